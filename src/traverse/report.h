// Report output of the traverse and observation commands used elsewhere.
#pragma once

struct App;

// Writes a report line the last observation command still holds back, if any.
void FlushPendingReportLine(App& app);
