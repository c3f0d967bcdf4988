// The reverse traverse from the instrument station to a point with coordinates,
// and the stake-out report that the setting ZE asks for after a registration.
#pragma once

struct App;

// The report from the instrument station to the work point labelled Answer, in
// report-only (GuidanceMode -1) or guidance mode (1). The work point is as
// before the call.
// NOT AVAILABLE YET: says so and changes nothing; the stake-out commands bring it.
void ReverseTraverseToPoint(App& app);

// After a registration, with the work point back on the stored point: ZE 1 the
// reverse traverse as a report (GuidanceMode := -1), ZE 2 with guidance
// (GuidanceMode := 1), any other ZE nothing.
void ReportStoredPointByZe(App& app);
