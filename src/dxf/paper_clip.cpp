#include "dxf/paper_clip.h"

#include "cad/state.h"
#include "core/app.h"
#include "core/numeric.h"
#include "dxf/state.h"

namespace dxf {

PaperClip ClipToPaper(PaperLine line, double rotationDegrees, double widthMm, double heightMm) {
  // The single-precision 1e-20 keeps lines along an axis from dividing by 0.
  const double tiny = double(1e-20f);
  const double c = CosDegrees(rotationDegrees), s = SinDegrees(rotationDegrees);
  const double x1 = line.startX * c - line.startY * s, y1 = line.startX * s + line.startY * c;
  const double x2 = line.endX * c - line.endY * s, y2 = line.endX * s + line.endY * c;
  const double w = widthMm, h = heightMm;
  PaperClip clip;
  clip.line = line;
  auto setStart = [&](double x, double y) {
    clip.line.startX = x;
    clip.line.startY = y;
  };
  auto setEnd = [&](double x, double y) {
    clip.line.endX = x;
    clip.line.endY = y;
  };
  const double yLeft = (y2 - y1) / (x2 - x1 + tiny) * (-x1) + y1;
  if (0 < yLeft && yLeft < h) {
    setStart(0, yLeft);
    clip.result = 1;
  }
  const double xTop = (x2 - x1) / (y2 - y1 + tiny) * (h - y1) + x1;
  if (0 < xTop && xTop < w) {
    if (clip.result == 1) {
      clip.result = 2;
      setEnd(xTop, h);
    } else if (clip.result == 0) {
      clip.result = 1;
      setStart(xTop, h);
      clip.startEdge = 2;
    }
  }
  const double yRight = (y2 - y1) / (x2 - x1 + tiny) * (w - x1) + y1;
  if (0 < yRight && yRight < h) {
    if (clip.result == 1) {
      clip.result = 2;
      setEnd(w, yRight);
    } else if (clip.result == 0) {
      clip.result = 1;
      setStart(w, yRight);
      clip.startEdge = 1;
    }
  }
  const double xBottom = (x2 - x1) / (y2 - y1 + tiny) * (-y1) + x1;
  if (0 < xBottom && xBottom < w) {
    setEnd(xBottom, 0);
    clip.result = 3;
    const bool labelRight = rotationDegrees == 0 || (rotationDegrees > 180 && rotationDegrees <= 270);
    if (clip.startEdge == 2 && labelRight) clip.startEdge = 1;
  }
  return clip;
}

}  // namespace dxf

void ClipLineToPaper(App& app) {
  dxf::State& d = app.dxf;
  const cad::Lines& l = app.lines;
  const dxf::PaperClip clip = dxf::ClipToPaper(
      {d.PaperLineStartX, d.PaperLineStartY, d.PaperLineEndX, d.PaperLineEndY},
      DmsToDegrees(l.DrawingRotation), l.PaperWidth * 1000, l.PaperHeight * 1000);
  d.PaperLineStartX = clip.line.startX;
  d.PaperLineStartY = clip.line.startY;
  d.PaperLineEndX = clip.line.endX;
  d.PaperLineEndY = clip.line.endY;
  d.ClipResult = clip.result;
  d.ClipStartEdge = clip.startEdge;
}
