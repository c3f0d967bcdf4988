// The station set-up after its station and back-sight points.
#pragma once

struct App;

// Ends the base-point input of a set-up. When no back-sight point was given
// (RawAnswer "%") it asks the direction angle "ﾎｳｺｳｶｸ=" (dd.mmss; the
// orientation LegDirection := it in decimal degrees; Enter gives 0 and
// marks the station unoriented: UnorientedStation := Epsilon). Then the
// eccentric reduction (ReduceEccentricObservation) and ObservationRunning := 0.
void InputBacksightAngle(App& app);
