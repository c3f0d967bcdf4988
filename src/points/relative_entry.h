// The relative point entry: a new point observed from the instrument station
// (a typed distance and angles, a total-station measurement, or the crossing
// of two sights) and registered.
#pragma once

struct App;

// One entry: "IS=" or "IL=" under "[P =ｵﾜﾘ,@,S,^,C,K]". "P" ends without a
// point; "K" registers the crossing of two sights; "@", "S", "^" measure; a
// distance asks the angles. A failed measurement or "P" at an angle asks again.
// The registered point is left as the work point; TargetCommand "P" when the
// user ended.
void EnterRelativePoint(App& app);

// Entries until "P", each proposing the horizontal reading 0 (SightDirection
// := InstrumentOrientation); the caller's direction is put back at the end.
void RelativeEntryLoop(App& app);

// The target in MeasuredTargetX/Y and TargetPointHeight becomes the work point,
// its observation line goes into the report and StorePoint registers it.
void StoreTraverseEnteredPoint(App& app);
