// Shared state of the DXF output that other subsystems reset or call upon.
#pragma once

namespace dxf {

struct State {
  double DxfPlotted = 0;
  // The colour number of the added lines' preview on the view (9 shows it, 0
  // draws it over).
  double CurrentLineLayer = 0;
  // ClipLineToPaper: a line in millimetres of paper from the drawing origin (y
  // upward) before rotation in, its rotated ends cut to the paper out;
  // ClipResult 0 when it misses the paper, ClipStartEdge the edge of the start
  // (0 left or none, 2 top, 1 right).
  double PaperLineStartX = 0;
  double PaperLineStartY = 0;
  double PaperLineEndX = 0;
  double PaperLineEndY = 0;
  double ClipResult = 0;
  double ClipStartEdge = 0;
};

}  // namespace dxf
