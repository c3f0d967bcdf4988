// Connection lines and the CAD drawing state.
#pragma once

#include <cstdint>
#include <string>

#include "core/constants.h"
#include "runtime/table.h"

namespace cad {

inline constexpr int kLineCapacity = 2 * core::kPointCapacity;

struct Lines {
  // Polyline vertices 1 to LineVertexCount.
  RtTable<int16_t> LinePointNumber{kLineCapacity};
  RtTable<std::string> LinePointName{kLineCapacity};
  RtTable<int16_t> LineLayer{kLineCapacity};
  RtTable<int16_t> LineType{kLineCapacity};  // 0-8 segment type, 9 no segment ends here
  RtTable<std::string> LineArc{kLineCapacity};
  double LineVertexCount = 0;
  double LineVertexCountBeforeCalc = 0;
  // Vertices delivered by the last complete read of the connection-line file;
  // the save tells loaded segments from new ones by it.
  double LoadedVertexCount = 0;

  RtTable<int16_t> LayerVisible{15};
  double CurrentLayer = 1;
  double CurrentLineType = 9;
  double LineEraseMode = -1;
  // The layer and line-type prompts.
  double ChosenLayer = 1;
  double ChosenLineType = 10;
  std::string LineTypeAllText;
  // The change of the lines at selected points: LineEditChoice 5 gives their
  // segments ChosenLayer, 6 deletes them; EndPointMode 1 takes a segment whose
  // two end points are selected, 2 one whose start or end is. Only shown layers
  // count unless LineChangeOnEveryLayer is 1, which holds for one change.
  double LineEditChoice = 0;
  double EndPointMode = 1;
  double LineChangeOnEveryLayer = 0;

  // Scratch of the segment drawing: the segment ending at SegmentVertex, its
  // chord and, for an arc, its centre and end angles (degrees, from east
  // turning south).
  double SegmentVertex = 0;
  double SegmentStartPoint = 0;
  double SegmentEndPoint = 0;
  double LineDrawColour = 0;
  double ArcRadius = 0;
  double ChordStartPoint = 0;
  double ChordEndPoint = 0;
  double ChordLength = 0;
  double ChordDirection = 0;
  double ArcCentreX = 0;
  double ArcCentreY = 0;
  double ArcStartAngle = 0;
  double ArcEndAngle = 0;
  double ArcCurrentAngle = 0;

  // Drawing and paper.
  double CadInitialised = 0;
  double PrinterSelected = 0;
  double PaperFrameOn = 0;
  double PaperWidth = 0.198;
  double PaperHeight = 0.279;
  double DrawingRotation = 0;
  double ScaleDenominator = 0;    // S of the drawing scale 1:S
  double PaperUnitsPerMetre = 0;  // tenths of a millimetre of paper per ground metre
  double PlotSelectionLast = -1;  // the selection the drawing was fitted to
  double PrintSettingsGiven = 0;

  // The drawing settings: the separator that shortens printed point names, the
  // frame's colour on the view and the frame last drawn (view position of its
  // origin, paper width and height, scale) so that it can be erased.
  std::string NameOmitSeparator;
  double PaperFrameColour = 13;
  struct Frame {
    double x = 0, y = 0, width = 0, height = 0, scale = 0;
  } SavedPaperFrame;

  // The print menu and its settings.
  double PrintMenuChoice = 0;
  double AdditionalPlotMode = 0;
  double PrintLineMode = 0;  // registered lines: 0 none, 1 one colour, 2 layer colours
  double PrintTextSize = 12;
  double PrintElevationDecimals = 0;
  double PrintPointNames = 1;
  double PrintPointInfo = 0;
  std::string PrintMarkAnswer;  // "10": each point's own mark
  std::string PrintMarkSymbol;  // the mark of every other point; empty: none
  double GridInterval = 0;      // ground metres; 0 no grid
  double PrintFrame = 0;
  std::string AdditionalLineType = "0";
  // The page drawing: the ink (1 colour pens, else black) and its pens.
  double InkColour = 0;
  double PrintElevationColour = 0;
  double PrintInfoColour = 0;
  double PrintNameColour = 0;
  double PrintMarkColour = 0;
  double PrintGridColour = 0;
  double PrintLineColour = 0;
  double PrintVertex = 0;
  // PointPairToPage: two point numbers in, their rotated page positions out.
  double JoinFromPoint = 0;
  double JoinToPoint = 0;
  double JoinFromPageX = 0;
  double JoinFromPageUp = 0;
  double JoinToPageX = 0;
  double JoinToPageUp = 0;
};

}  // namespace cad
