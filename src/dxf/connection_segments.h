// One straight segment of the connection lines in the drawing: an ordinary
// line through the line writer, or on the contour layer the whole metres of
// height that its slope passes, each a point with its height label.
#pragma once

struct App;

namespace dxf {

// The contour layer: its segments stand for a slope between their end heights.
inline constexpr int kContourLayer = 10;

// Both ends of a segment are points of the job (1 to PointCount): a number
// beyond it is a row the job no longer uses.
bool JoinsJobPoints(const App& app, int start, int end);

}  // namespace dxf

// The segment ending at vertex DxfLineVertex (its layer, type and type name set
// by the caller): nothing on a hidden layer or between points that are not in
// the job; contour marks on layer 10 (none when an end has no height, or the
// segment has no length on the ground); else WriteDxfLine.
void WriteSegmentOrContours(App& app);
