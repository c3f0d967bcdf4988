// The working values of one longitudinal section being written into the open
// DXF drawing. One SectionPlot lives for one plot run: the station loop, the
// grade line, the plan-curve band and the line-type rows read and advance it,
// and every record goes into its sink.
//
// BandCentreY, BandOffset, BandStationX, GradeLineEnd and OrdinateInterval are
// not here: they travel in the job file and live in app.profile.
#pragma once

#include <memory>
#include <string>

#include "dxf/records.h"

struct App;

namespace profile {

struct LineTypeIndex;

struct SectionPlot {
  explicit SectionPlot(App& a) : app(a) {}

  App& app;
  dxf::Sink out;

  // Text proportions of the run.
  double TextWidthFactor = 1;
  double ValueTextWidthFactor = 0;
  double ValueTextHeight = 0;
  double RowTextMargin = 1;
  double StationInterval = 20;

  // The station column and row being written (paper millimetres).
  double StationPaperX = 0;
  double LineStartY = 0;
  double LineEndY = 0;
  double RowOffset = 0;
  std::string RowValueText;
  double SuppressRowValue = 0;
  double PairFound = 0;
  double PairSecond = 0;
  double RowCharCount = 0;
  double RowTextOffset = 0;

  // Frame and plan lines and texts.
  double ProfileLineX1 = 0;
  double ProfileLineY1 = 0;
  double ProfileLineX2 = 0;
  std::string ProfileLineLayer;
  double ProfileTextHeight = 0;
  double ProfileTextWidth = 0;
  double ProfileTextAngle = 0;  // degrees, counter-clockwise
  std::string ProfileTextLayer;

  // Plan segments and the table columns the grade line writes.
  double GradeFromChainage = 0;
  double GradeFromHeight = 0;
  double GradeToChainage = 0;
  double GradeToHeight = 0;
  double ChangePointHeight = 0;
  double StationColumnMode = 0;
  double StationPointFound = 0;
  double ProfileChainage = 0;
  double RowHalfHeight = 0;
  double CircleBaseY = 0;

  // The plan-curve band as the station loop hands it on.
  double IntersectionAngle = 0;
  double BandLastX = 0;
  double BandLastY = 0;
  double BandLastChainage = 0;

  // --- values of the grade line, the band and the line-type rows ---
  double WantedLineType = 0;
  double LineHeightAtStation = 0;
  // The band's curve in hand and its last text.
  std::string BandIpNumber;
  double CurveRadius = 0;
  double ClothoidA1 = 0;
  double ClothoidA2 = 0;
  double TangentLength = 0;
  double SecantLength = 0;
  std::string FormattedAngle;
  bool BandCurveFound = false;  // the curve's IP has a row in the route table
  bool BandStarted = false;     // the band's start point is set
  double BandNextX = 0;
  double BandNextY = 0;
  std::string BandLabel;
  double BandTextX = 0;
  // The segments of the line-type rows by line type, made at the first look.
  std::shared_ptr<LineTypeIndex> LineTypeSegments;

  // --- values of the station loop, the row values and the frame ---
  // The first of rows 0 to 19 of the plan-curve band, 20 when there is none.
  double BandRow = 20;
  // The values one station's rows share: steps to the previous point of the
  // table, the slope, the running slope total and the plan height.
  double ProfileHeightStep = 0;
  double ProfileChainageStep = 0;
  double ProfileSlopeLength = 0;
  double ProfileSlopeTotal = 0;
  double ProfileSlopeAngle = 0;
  double ProfileSlopePercent = 0;
  double PlanHeightKnown = 0;
  double StationPlanHeight = 0;
  double PlanMinusGround = 0;
  double ProfileSingleDistance = 0;
};

}  // namespace profile
