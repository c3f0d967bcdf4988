// The target sighted from the instrument station of the stake-out set-up.
//
// A target measurement: the caller prints its option line and calls
// InputTargetDistance; by TargetCommand it then calls ComputeFromInstrumentReading
// ("@", "S", "^"), InputTargetAngles (a typed distance) or handles its own
// letters. Both end in ComputeTargetFromInstrument, which places the target in
// MeasuredTargetX/Y. A measurement that failed places nothing and leaves
// CommFailureFlag 1; the callers ask again.
#pragma once

struct App;

// "IS=" (slope distance, guide 96) or "IL=" (horizontal distance, guide 95) by
// DistancePromptFlag; "C" switches between them and asks again, the choice
// kept for the next target. Leaves TargetCommand (upper-cased), TargetDistance
// (its value, 0 for a letter) and ObservedVerticalAngle 90.
void InputTargetDistance(App& app);

// After a typed distance: "IV=" (zenith angle; Enter keeps 90) after a slope
// distance, or "Iz=" (height difference, with an instrument height) after a
// horizontal one; then "IH=" proposing the reading towards the last inverse
// (DegreesToDms(leg direction - InstrumentOrientation)), the target height when
// the sight is inclined, the height of the point under the target, and the
// target placed. "P" at any of them leaves the rest unasked and places nothing
// (Answer "P").
void InputTargetAngles(App& app);

// InputTargetHeight unless the sight is exactly horizontal (zenith angle 90).
void InputTargetHeightIfInclined(App& app);

// One total-station measurement with TargetCommand, its target height question
// showing the online TargetHeight; reduced to the slope and horizontal
// distances and the point height, and the target placed. A failed measurement
// (a time-out or an error mark) leaves every target value as it was and
// CommFailureFlag 1.
void ComputeFromInstrumentReading(App& app);

// ObservedHorizontalAngle := the reading; TargetHorizontalAngle := its azimuth;
// the target placed at TargetDistance times the scale factor.
void ComputeTargetFromInstrument(App& app);

// The guidance's "U": angle readings one after another until Esc, each good
// one shown against the design point (ShowTrackingReadout); Esc places the
// target on the last good sight at the design point's distance from the
// station. Without a good reading nothing is placed and CommFailureFlag is 1.
void MeasureTargetOnline(App& app);

// The readout of one angle reading: the readings and the slope distance at the
// design distance; the deviation from the reading towards the design point and
// the offset it makes there; with an instrument height the height of the
// ground under the target against the design height.
void ShowTrackingReadout(App& app);

namespace fieldbook {

// A target placed from the station: its position and the azimuth of the sight
// (decimal degrees, not brought into 0-360).
struct PlacedTarget {
  double x = 0;
  double y = 0;
  double azimuth = 0;
};

// The target at the horizontal circle reading `readingDms` (ddd.mmss) of a
// station whose circle zero points to `orientation` (degrees), `distance`
// metres away before the scale factor.
PlacedTarget PlaceTarget(double stationX, double stationY, double orientation, double readingDms,
                         double distance, double scaleFactor);

}  // namespace fieldbook
