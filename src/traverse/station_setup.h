// The station set-up after its station and back-sight points.
//
// Its state: the station is the from-point (FromPointX/Y, its stored height
// FromPointZ, FromPointName, StationPointNumber, StationInputMode); the
// orientation of the horizontal circle is LegDirection (the set-up's
// BacksightAzimuth); the heights are ObservationStationHeight and
// StationInstrumentHeight (traverse::State) with the field book's
// ObservationInstrumentHeight and ObservationTargetHeight.
#pragma once

struct App;

// Ends the base-point input of a set-up. When no back-sight point was given
// (RawAnswer "%") it asks the direction angle "ﾎｳｺｳｶｸ=" (dd.mmss; the
// orientation LegDirection := it in decimal degrees; Enter gives 0 and marks
// the station unoriented: UnorientedStation := Epsilon). A station with an
// orientation clears UnorientedStation. Then the eccentric reduction
// (ReduceEccentricObservation) and ObservationRunning := 0.
void InputBacksightAngle(App& app);

// The instrument height starts at 0 and InputInstrumentHeight asks it, unless
// the set-up was eccentric (SubmenuChoice with a fraction): the eccentric
// reduction has asked it already.
void InputInstrumentHeightIfNeeded(App& app);

// ObservationStationHeight := the station's stored height, WorkPointZ := 0;
// "ｷｶｲﾀﾞｶ=" with the current instrument height (Enter keeps it); the target
// height and StationInstrumentHeight := it. A non-zero height goes on to
// InputStationHeight.
void InputInstrumentHeight(App& app);

// Only for a station without a stored height: "Z=" (Enter gives 0) becomes
// ObservationStationHeight, and the height of the station point when it is an
// existing point ("ding.wav").
void InputStationHeight(App& app);
