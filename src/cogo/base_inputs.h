// The base-line and point inputs the coordinate calculations, the stake-out
// and the traverse, area and route menus share: a base point or base line, a
// sideways width, a polar point, an offset line and the angle of three points.
//
// Directions are decimal degrees from +X towards +Y; the leg in hand is the
// point store's LegDirection and HorizontalDistance; BackDirection and
// IncludedAngle are the inverse's (traverse::State). Every routine returns to
// its caller, which tests RawAnswer for "%"; "Q" at a point question leaves
// for the result menu from inside the point input.
#pragma once

struct App;

// "Aﾃﾝ", point A as the from-point (InputFromPoint), then "Bﾃﾝ" as the title of
// the caller's next question, also after an abandoned A.
void InputPointsAB(App& app);

// WorkPointZ := 0, InputPointsAB, BackDirection := 180 and the work point at A
// (with A's height when ZE is 3).
void InputBaseLineAB(App& app);

// "ｷｼﾞｭﾝﾃﾝ": the base point as the from-point (an existing point is asked
// first), then its direction: "ﾊﾞｯｸ [ﾎｳｺｳｲﾝ= ENT]" asks a back-sight point
// (ReportTwoPointInverse: the leg to it, the work point on it) or, on Enter, a
// direction angle (InputBacksightAngle, which also ends an eccentric set-up).
// StationPointNumber and StationInputMode keep the base point's number and how
// it was given. ObservationRunning is 1 while the two are asked. An abandoned
// base point returns at once with RawAnswer "%", ObservationRunning 0 and the
// leg's distance 0.
void InputBasePoint(App& app);
// The same with the current from-point as the base point: only its direction.
void InputBacksight(App& app);

// "W=" (guide 35) through the input routine with the marker on the line from
// the from-point along LegDirection, where a pick answers with its
// offset from that line: OffsetWidth := the answer (Enter gives 0).
void InputParallelWidth(App& app);
// The base line along the leg in hand (from the from-point in the direction
// LegDirection, no chainage, straight), with a pick in the view
// answering the offset from it: what a width question marks.
void SetBaseLineAlongLeg(App& app);

// The from-point and the work point shifted by OffsetWidth to the right of
// LegDirection into OffsetStartX/Y and OffsetEndX/Y; "  W=" and the
// width as a line of the report.
void OffsetLineByWidth(App& app);

// The work point HorizontalDistance from the from-point at PolarAzimuth (its
// height as it was), drawn with the line from the from-point.
void ComputePolarPoint(App& app);

// The angle at B of the path A→B→C: A asked as the base line (InputBaseLineAB),
// B by its inverse from A, whose leg goes into the report as B becomes the
// from-point (AdvanceStationAndReport), then "Cﾃﾝ" by its inverse from B.
// Afterwards BackDirection is the direction A→B, LegDirection and
// HorizontalDistance the leg B→C, IncludedAngle the angle at B from B→A
// clockwise to B→C and IntersectionAngle how far the path turns at B (both
// dd.mmss, the turn 0 to 180). An abandoned A repeats the command in hand
// (RepeatLastCommand): the menu that asked for the angle shows again. An
// abandoned B or C returns at once with RawAnswer "%", for the caller to
// start again rather than go on with the leg of before.
void InputThreePointAngle(App& app);
