// Shared state of the coordinate calculations and stake-out that other
// subsystems read or reset.
#pragma once

#include <string>

namespace cogo {

struct State {
  double ToolLevelDisplay = 1;
  double CarryGradeHeight = 0;
  double InstrumentAxisHeight = 0;

  // The instrument station of the stake-out set-up.
  double InstrumentStationX = 0;
  double InstrumentStationY = 0;
  double InstrumentStationZ = 0;
  double InstrumentOrientation = 0;
  double SetupInstrumentHeight = 0;
  std::string StationName;
  std::string BacksightName;

  // The base line of the station and offset commands.
  double BasePointX = 0;
  double BasePointY = 0;
  double BaseAzimuth = 0;
  double BaseRadius = 0;
  double BaseChainage = 0;
  // The height of the base point, set with the base line by the stake-out tasks
  // that work in local coordinates.
  double BaseHeight = 0;

  // The coordinate calculations: the azimuth of a polar point, the sideways
  // width of a line (positive to the right) and the two points of the line
  // shifted by it, the height of C of an intersection, the signed distances
  // from A and from C to the crossing (rounded to 1/T), the D less C of the
  // last four-point intersection, and the side sign of a foot's offset.
  double PolarAzimuth = 0;
  double OffsetWidth = 0;
  double OffsetStartX = 0;
  double OffsetStartY = 0;
  double OffsetEndX = 0;
  double OffsetEndY = 0;
  double PointCZ = 0;
  double SignedDistanceAP = 0;
  double SignedDistanceCP = 0;
  double LastCDDifferenceX = 0;
  double LastCDDifferenceY = 0;
  std::string SideSignText;

  // The radiation log of registered points: 1 once the radial observation of
  // the instrument station has been used. The station set-up leaves the heading
  // of its first record ("*", station and back-sight names and the instrument
  // height) and state 0; the first record then carries the heading and every
  // later one the reference to the first (its number and "="); state 2 keeps the
  // text of the record before.
  double RadiationStarted = 0;
  double RadiationRecordState = 0;
  std::string RadiationStationText;
  std::string RadiationReferenceText;

  // The last answer of the continuous transformation's start-number question,
  // upper-cased, kept for the whole run ("U": every point written over itself).
  std::string TransformStartAnswer;
  // The menu that shared operations return to (ReturnToCallingMenu): 1 the
  // cross-section conversion, 2 the parcel division, 3 the traverse kinds menu,
  // 4 the menu of the last main-menu command.
  double ReturnMenu = 4;
  // The traverse-line commands of the line and circle extensions: the answer
  // (after parsing its command character alone) and its number, the distance
  // handed back, whether the answer was a command (1) or a value (0); the
  // height carried along the line and its gradient in per cent; the gradient of
  // the line and the length that "V" divides; "W" while offsets follow each
  // staked point; the prompt whose last two characters label the report line.
  std::string TraverseCommand;
  double TraverseCommandValue = 0;
  double CommandDistance = 0;
  double TraverseCommandHandled = 0;
  double LineRunningHeight = 0;
  double LineGradePercent = 0;
  double ExtensionGradePercent = 0;
  double ReferenceLength = 0;
  std::string OffsetPromptMode;
  std::string PromptText;
  // The offset and height tool: the running offset and the offset marked with
  // T, the slope ratio of W (kept between calls), the height before the
  // command in hand.
  double ToolOffset = 0;
  double ToolOffsetMark = 0;
  double SlopeRatio = 0;
  double HeightBeforeCommand = 0;
  // The extensions: the point offsets are measured from, and the circle's
  // signed radius (positive: clockwise), its absolute radius and the angle
  // swept for the last arc length.
  double OffsetOriginX = 0;
  double OffsetOriginY = 0;
  double CircleRadius = 0;
  double CircleArcRadius = 0;
  double CircleSweptAngle = 0;
  // The label of the point the reverse traverse went to, for the guidance.
  std::string GuidanceTargetName;
  // The ground height under the target and the target height of the last
  // guidance pass that showed a height (the bench-mark set-up reads them).
  double LastGuidanceHeight = 0;
  double LastGuidanceTargetHeight = 0;
  // "BM " when the set-up took the instrument height from a bench mark.
  std::string HeightSourceTag;
  // The cross-section conversion: 1 = new points as height and distance
  // along (a profile in the plan), else distance along, offset and height;
  // the pitch added to the placement DH after each run, and DH, added to the
  // X of every new point.
  double CrossSectionAxisMode = 1;
  double SectionPlacementPitch = 0;
  double SectionPlacementOffset = 0;
};

}  // namespace cogo
