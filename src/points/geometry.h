// Shared routines around the work point and the from-point: slopes of two lines
// for an intersection, direction and distance of a leg, restoring the work point
// the point input saved, the coordinate labels, the coordinate line of the main
// window and the input of a from-point.
//
// Like the rest of the program they read and leave named shared values of the
// App (points::Store unless stated otherwise), which the caller reads right after
// the call.
#pragma once

struct App;

// FirstLineEndX/Y += 1e-7 (single precision, stored back), FirstLineSlope :=
// dY/dX of the first line (FirstLineStart -> FirstLineEnd), then all that
// ComputeSecondLineSlope does. A zero denominator is run-time error 11.
void ComputeLineSlopes(App& app);
// SecondLineEndX/Y -= 1e-7 (stored back), SecondLineSlope := dY/dX of the line
// from the from-point to SecondLineEnd. A zero denominator is run-time error 11.
void ComputeSecondLineSlope(App& app);

// HorizontalDistance := horizontal distance from the from-point to the work
// point plus 1e-20 (single precision); LegDirection := its direction
// angle in decimal degrees from +X towards +Y, 0 to 360 (90 for a zero leg).
void ComputeDirectionAndDistance(App& app);

// WorkPointX/Y/Z := SavedWorkPointX/Y/Z.
void RestoreWorkPoint(App& app);

// CoordinateLabelX/Y := "X=" / "Y=", or "x=" / "y=" with the main window's
// text colour 5 when CoordinateDisplayMode is exactly -1.
void SetCoordinateLabels(App& app);

// The chain of the coordinate line in the main window, one entry into another:
// DrawAndPrintPointCoordinates marks the work point with a cross and the name
// Answer in the dynamic view, then does all that PrintPointCoordinates does;
// PrintPointCoordinates sets the standard labels, then does all that
// PrintPointCoordinatesSameLabels does, which writes, in colour 6 at the cursor,
// " X=    1234.567  Y=    2345.678" (the caller's labels, coordinates rounded to
// 1/TN) and "  Z=  123.456" (rounded to 1/TZ) when WorkPointZ is not 0, ends the
// line and leaves the text colour at 7.
void DrawAndPrintPointCoordinates(App& app);
void PrintPointCoordinates(App& app);
void PrintPointCoordinatesSameLabels(App& app);

// Asks for a point (InputPoint) and makes it the from-point: FromPointX/Y/Z and
// FromPointName := the designated point, its height and its answer text; the
// work point is put back as before the call. Answer, RawAnswer,
// DesignatedPointZ, CurrentPointNumber and PointInputMode stay as the input left
// them (an abandoned input leaves "%" in RawAnswer for the caller to test).
void InputFromPoint(App& app);
