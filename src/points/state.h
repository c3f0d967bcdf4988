// The job's points and the shared state of point input, selection and registration.
#pragma once

#include <cstdint>
#include <string>

#include "core/constants.h"
#include "runtime/table.h"

namespace points {

using core::kPointCapacity;

struct Store {
  double PointCapacity = kPointCapacity;
  double AreaTableCapacity = 2000;

  // The point table, numbers 1 to PointCapacity (index 0 is never a point).
  RtTable<std::string> PointName{kPointCapacity};
  RtTable<double> PointX{kPointCapacity};
  RtTable<double> PointY{kPointCapacity};
  RtTable<double> PointZ{kPointCapacity};
  RtTable<std::string> PointAttribute{kPointCapacity};

  double PointCount = 0;
  double NextPointNumber = 1;
  double CurrentPointNumber = 1;
  double LastPointX = 0;
  double LastPointY = 0;

  // The point in hand.
  double WorkPointX = 0;
  double WorkPointY = 0;
  double WorkPointZ = 0;
  double SavedWorkPointX = 0;
  double SavedWorkPointY = 0;
  double SavedWorkPointZ = 0;
  // A second copy taken by the point input at the same moment: the previous point of reports.
  double InputSavedPointX = 0;
  double InputSavedPointY = 0;
  double PreviousWorkPointZ = 0;
  double DesignatedPointZ = 0;
  // The from-point, from which lines, directions and distances are taken.
  double FromPointX = 0;
  double FromPointY = 0;
  double FromPointZ = 0;
  std::string FromPointName;
  // The leg from the from-point to the work point: its horizontal distance and
  // direction angle. LegDirection is also the station set-up's BacksightAzimuth
  // (the azimuth of the horizontal circle's zero), and HorizontalDistance the
  // reduced distance of the sight in hand: one value each, whatever the use.
  double HorizontalDistance = 0;
  double LegDirection = 0;
  // Two lines of an intersection: the first through FirstLineStart and
  // FirstLineEnd, the second from the from-point through SecondLineEnd.
  double FirstLineStartX = 0;
  double FirstLineStartY = 0;
  double FirstLineEndX = 0;
  double FirstLineEndY = 0;
  double SecondLineEndX = 0;
  double SecondLineEndY = 0;
  double FirstLineSlope = 0;
  double SecondLineSlope = 0;
  // The three-point input: the answer texts that named A and C, and B less A
  // of the last B given, from which a B not given is made.
  std::string PointAName;
  std::string PointCName;
  double ABVectorX = 0;
  double ABVectorY = 0;
  // The base point of a station set-up: its number, and PointInputMode as it
  // was given (0 an existing point, 1 typed coordinates).
  double StationPointNumber = 0;
  double StationInputMode = 0;
  // Labels printed before X and Y: "X=" / "Y=", "x=" / "y=" or a caller's own.
  std::string CoordinateLabelX = "X=";
  std::string CoordinateLabelY = "Y=";
  // Left by the point list line: the name it listed and the mark looked up.
  std::string ListedPointName;
  std::string PointMarkText;
  std::string MarkDigit;

  // Selections: entries 0 to SelectionLast; negative means empty.
  RtTable<int16_t> SelectionList{kPointCapacity};
  double SelectionLast = -1;
  double SelectionIndex = 0;
  // The packing's count of the points it keeps; callers set it to 0 before they
  // go to CompactDeletedPoints.
  double KeptPointCount = 0;

  // Points registered since the command began, and the undo snapshot.
  RtTable<int16_t> NewPointList{2 * kPointCapacity};
  double NewPointCount = 0;
  double PointCountBeforeCalc = 0;

  double PointInputMode = 0;
  // The point reference resolver: 1 = it asks again by itself when an answer
  // names no point, 0 = it returns; PointNotFound is Epsilon after such an answer.
  double PointReaskFlag = 1;
  double PointNotFound = 0;
  std::string LastPointAnswer;  // the answer text the last point was found from
  // Registration: the number stored under, the point as passed in, and its attribute.
  double StoredPointNumber = 0;
  double PendingPointX = 0;
  double PendingPointY = 0;
  std::string PendingPointAttribute;
  // The registration's own values: the number picked from the coordinate table,
  // and the offset and height change of its "+" command.
  double ForcedPointNumber = 0;
  double ProjectionOffset = 0;
  double HeightIncrement = 0;
  // The work point as it stood when the number was picked from the table.
  double PreviousWorkPointX = 0;
  double PreviousWorkPointY = 0;
  // The point the command registered last, from which the next connection line
  // runs; 0 at each status header (the first line then runs from PointCount).
  double PreviousRegisteredPoint = 0;
  // The reply to the initial-registration question of a converted list.
  std::string InitialRegistrationAnswer;
  // The running number of the commands that number their points themselves.
  double RunningPointNumber = 0;
  double CoordinateDisplayMode = 1;
  // Left by the station and offset conversion: the offset, and the polar values
  // of the point seen from the base point (or the arc's centre).
  double StationOffset = 0;
  double PolarAngle = 0;
  double PolarDistance = 0;
  double CurrentMark = 0;
  double LineConnectMode = 0;

  // The coordinate table screen: the point whose row was printed last, the
  // lowest console row the edit cursor may reach, the name overflow of the row
  // being read back, the character under the edit cursor and the row read back.
  double TablePointNumber = 0;
  double TableBottomRow = 0;
  double NameOverflow = 0;
  std::string CellUnderCursor;
  std::string EditedRowText;

  // The coordinate input menu and its loop: the mode chosen (0 to 11; the
  // coordinate management menu leaves the decimal digit of its choice here),
  // the point in hand and the name that will be stored for it, whether the run
  // has had its first number, and whether automatic names follow without a
  // question.
  double CoordinateInputMode = 0;
  double InputPointNumber = 0;
  std::string PendingInputName;
  double InputNumberGiven = 0;
  double AutoNameRunning = 0;
  // The kind of correction of the point correction: 0 asks at every point,
  // 2 name, 3 name and X, Y, Z, 4 mark and code, any other value everything.
  double CorrectionKind = 0;
  // The coordinate list: the point whose entry is printed next.
  double ListPointNumber = 1;
  // The coordinate print: the width of the name column without its two blanks.
  double NameWidth = 8;
};

}  // namespace points
