// Shared state of the DXF output that other subsystems reset or call upon.
#pragma once

#include <string>
#include <vector>

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

  // WriteDxfLine: the line's heights at the drawing scale, its two point
  // numbers, and for a connection segment the vertex it ends at (0 for a line
  // that is no connection segment, such as an added line).
  double PaperLineStartZ = 0;
  double PaperLineEndZ = 0;
  double DxfLineStartPoint = 0;
  double DxfLineEndPoint = 0;
  double DxfLineVertex = 0;

  // The drawing in hand: its full path, kept from the save dialog on, so that
  // nothing that later changes the job's folder, name or extension can send a
  // pass of the drawing to another file. Empty while no drawing was chosen.
  std::string DrawingPath;
  // 1 while the drawing handed to the CAD program stands finished.
  double DxfFinished = 0;
  double DxfMenuChoice = 0;
  double GridIntervalAsked = 0;

  // The plot settings (the defaults of a plan plot).
  double UseRegisteredLines = 1;
  // Text height in paper millimetres of the drawing's texts and its title; the
  // drawing output's own (the CAD view keeps its own orientation flag).
  double TextSize = 1.8;
  double ElevationDecimals = 2;
  double NameTextStart = 1;
  double ShowCodes = 1;
  double ShowPointEntity = 0;
  std::string MarkAnswer = "10";
  // One flag per point number (index = point number, 0 unused): 1 when the
  // plot of points wrote the point in this run. The drawing output's own table,
  // so that a range search of the point selection never changes which line ends
  // are cut at marks. The line writer reads it.
  std::vector<char> PlottedPointFlag;
  std::string MarkString;
  std::string GeneralMark;
  double MarkSize = 1.0;
  double Output3D = 1;

  // GetLineTypeName: the line type 0-8 of a connection line in, its name out.
  double DxfLineTypeNumber = 0;
  std::string DxfLineTypeName = "CONTINUOUS";

  // The line writer's state of one pass of the DXF menu: whether its question
  // about lines inside marks was asked, whether it was answered "N", and the
  // clearance it keeps from marks.
  double LineWriterAsked = 0;
  double LineWriterKeepInside = 0;
  double MarkClearance = 0;
};

}  // namespace dxf
