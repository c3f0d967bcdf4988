#include "dxf/paper_clip.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "cad/state.h"
#include "core/app.h"
#include "core/numeric.h"
#include "dxf/state.h"

namespace dxf {

namespace {

// A line through a corner of the paper meets two edges there, which the strict
// tests of the edges do not count: the corner becomes the missing end. A line
// that still has fewer than two ends (one that only touches a corner) misses
// the paper, so that no end is ever left where no crossing put it.
void ThroughCorners(PaperClip& clip, int crossings, PaperLine line, double x1, double y1, double x2, double y2,
                    double w, double h) {
  const double dx = x2 - x1, dy = y2 - y1, length = std::hypot(dx, dy);
  const double tolerance = 1e-9 * std::max({1.0, w, h});
  std::vector<PaperLine> corners;  // as points: startX, startY
  for (const PaperLine& c : {PaperLine{0, 0}, PaperLine{0, h}, PaperLine{w, 0}, PaperLine{w, h}}) {
    if (length == 0 || std::fabs(dx * (c.startY - y1) - dy * (c.startX - x1)) / length > tolerance) continue;
    corners.push_back(c);
  }
  if (crossings == 1 && !corners.empty()) {
    // The crossing found: the start, or the end when only the bottom was crossed.
    const bool onlyBottom = clip.result == 3;
    const double fx = onlyBottom ? clip.line.endX : clip.line.startX;
    const double fy = onlyBottom ? clip.line.endY : clip.line.startY;
    // Of two corners (a diagonal), the one across the paper from the crossing.
    const PaperLine& c = *std::max_element(corners.begin(), corners.end(), [&](const PaperLine& a, const PaperLine& b) {
      return std::hypot(a.startX - fx, a.startY - fy) < std::hypot(b.startX - fx, b.startY - fy);
    });
    if (onlyBottom) {  // the corner starts
      clip.line.startX = c.startX;
      clip.line.startY = c.startY;
      clip.startEdge = c.startX == w ? 1 : 0;
    } else {
      clip.line.endX = c.startX;
      clip.line.endY = c.startY;
      clip.result = 2;
    }
    return;
  }
  // Two opposite corners: a diagonal of the paper (two corners of one edge
  // are a line along that edge, which is not drawn).
  if (crossings == 0 && corners.size() == 2 && corners[0].startX != corners[1].startX &&
      corners[0].startY != corners[1].startY) {
    clip.line = {corners[0].startX, corners[0].startY, corners[1].startX, corners[1].startY};
    clip.result = 2;
    clip.startEdge = 0;
    return;
  }
  clip.result = 0;
  clip.startEdge = 0;
  clip.line = line;
}

}  // namespace

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
  int crossings = 0;
  const double yLeft = (y2 - y1) / (x2 - x1 + tiny) * (-x1) + y1;
  if (0 < yLeft && yLeft < h) {
    ++crossings;
    setStart(0, yLeft);
    clip.result = 1;
  }
  const double xTop = (x2 - x1) / (y2 - y1 + tiny) * (h - y1) + x1;
  if (0 < xTop && xTop < w) {
    ++crossings;
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
    ++crossings;
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
    ++crossings;
    setEnd(xBottom, 0);
    clip.result = 3;
    const bool labelRight = rotationDegrees == 0 || (rotationDegrees > 180 && rotationDegrees <= 270);
    if (clip.startEdge == 2 && labelRight) clip.startEdge = 1;
  }
  if (crossings < 2) ThroughCorners(clip, crossings, line, x1, y1, x2, y2, w, h);
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
