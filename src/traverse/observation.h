// One sight from a set-up station: the horizontal-angle prompt with its
// commands, the distance and vertical questions (or a total-station
// measurement), and the reduction of the sight to the sighted point.
//
// The sight lives in shared values: the field book's MeasuredHorizontalAngle,
// MeasuredDistance, MeasuredVerticalAngle (dd.mmss; after "L=" and "z=" the
// typed height difference in metres) and VerticalAngleText (empty: no vertical
// information, no height); its reduced distance is the point store's
// HorizontalDistance, its azimuth the coordinate calculations' PolarAzimuth;
// the sighted point is the work point.
#pragma once

struct App;

namespace traverse {

// A sight reduced from a slope distance S with the vertical reading V
// (decimal degrees) under the convention vv (0 zenith angles, 90 elevation
// angles): the horizontal distance |sin(vv - V) S| before and after the scale
// factor, and the height difference cos(V - vv) S of the line of sight.
struct SlopeReduction {
  double unscaled = 0;
  double horizontal = 0;
  double rise = 0;
};
SlopeReduction ReduceSlopeSight(double slope, double verticalDegrees, double vv, double scale);

// The sight's azimuth (decimal degrees): the orientation plus the horizontal
// reading (dd.mmss), or at an unoriented station the reading alone.
double SightAzimuthOf(double orientation, double horizontalDms, bool unoriented);

// The vertical reading recorded for a horizontal distance typed at "L=": the
// reading of a horizontal sight under the convention vv (90 for zenith
// angles, 0 for elevation angles), so that the record reduces back to the
// typed distance.
double HorizontalSightReading(double vv);

}  // namespace traverse

// The horizontal-angle prompt ("ｶｲﾎｳ h=" in open-traverse mode, "H=" in
// radiation mode) and its answers: Enter ends the station (an empty line and a
// page break "_" into the report, ObservationCommand empty); "V" during a
// field-book traverse input edits the book in the text editor; "*" registers
// the last point again for a new target height; "P" switches between the two
// modes; "Q" leaves for the result menu; "@", "S", "^" measure with the total
// station; anything else is the horizontal angle (dd.mmss), followed by the
// distance "S=" or "L=" and the vertical reading "V=" or the height difference
// "z=" ("-" steps back a question). Returns with one reduced sight in the
// work point, or with ObservationCommand empty.
void ObservationLoop(App& app);

// The reduction of a sight from its slope distance (ReduceSlopeSight), the
// height when StationInstrumentHeight is not 0 and a vertical reading was
// given (station height + rise + instrument height - target height, also
// LastComputedHeight), the azimuth and the sighted point drawn from the
// station.
void ComputeFromStation(App& app);
