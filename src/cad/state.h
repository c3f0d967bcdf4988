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
};

}  // namespace cad
