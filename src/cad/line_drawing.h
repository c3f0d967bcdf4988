// One connection-line segment on the dynamic view, straight or as a circular arc,
// and the geometry of its chord and arc. The routines work on the segment
// variables of cad::Lines (SegmentVertex, SegmentStartPoint, SegmentEndPoint,
// LineDrawColour, ArcRadius, the chord and the arc results), which the plan
// print and the drawing output read the same way.
#pragma once

struct App;

// Chord of the segment ending at SegmentVertex: ChordStartPoint, ChordEndPoint,
// ChordLength (never 0) and ChordDirection (degrees from north towards east).
void ComputeChordOfLine(App& app);

// Centre and end angles of the segment's arc of radius ArcRadius. The angles
// count from east turning south; the arc runs from ArcStartAngle to
// ArcEndAngle in increasing angle. The side digit at the end of the vertex's
// arc text chooses the long arc ("1") or the short one.
void ComputeArcFromRadius(App& app);

// Draws the segment from SegmentStartPoint to SegmentEndPoint in
// LineDrawColour with the pen already set: nothing on a hidden layer or for a
// point beyond PointCount; an arc when the vertex has an arc text whose radius
// is a finite number.
void DrawLineSegment(App& app);

// Draws the straight segment in the view's background colour.
void EraseLineSegment(App& app);

namespace cad {
// Whether the number holds a point of the job: neither free nor deleted.
bool HoldsPointInUse(const App& app, int number);
}  // namespace cad
