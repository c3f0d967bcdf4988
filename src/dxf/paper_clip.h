// A straight line cut to the drawing's paper after the drawing's rotation: the
// printed grid and the drawing output's grid draw only what lies on the sheet.
#pragma once

struct App;

namespace dxf {

struct PaperLine {
  double startX = 0, startY = 0, endX = 0, endY = 0;
};

struct PaperClip {
  // 0 the line misses the paper (or lies along an edge, or only touches a
  // corner); 2 two crossings among the left, top and right edges; 3 the second
  // one on the bottom edge. A corner that the line passes through counts as a
  // crossing, so both ends are always set when the result is not 0.
  int result = 0;
  // Edge of the clipped start: 0 left (or none), 2 top, 1 right.
  int startEdge = 0;
  // The clipped ends in rotated paper millimetres; the line as it came in
  // (unrotated) when it misses the paper.
  PaperLine line;
};

// The line through `line` (paper millimetres from the drawing origin, y
// upward), turned by `rotationDegrees` about the origin, against the paper
// 0..widthMm by 0..heightMm. The line is unbounded: its crossings with the
// four edge lines count when they lie strictly inside an edge, tried in the
// order left, top, right, bottom. The start is the first crossing, the end the
// second or the bottom one. A crossing on the top edge followed by one on the
// bottom edge makes the start edge 1 when the rotation is 0 or above 180 and at
// most 270 degrees, so that the first label stands right of its line.
PaperClip ClipToPaper(PaperLine line, double rotationDegrees, double widthMm, double heightMm);

}  // namespace dxf

// ClipToPaper over the shared values: PaperLineStartX/Y and PaperLineEndX/Y of
// dxf::State in and out, ClipResult and ClipStartEdge out, with
// DrawingRotation (dd.mmss), PaperWidth and PaperHeight (metres) of the drawing.
void ClipLineToPaper(App& app);
