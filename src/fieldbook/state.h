// Shared state of the field book that other subsystems read or reset.
#pragma once

#include <string>
#include <vector>

#include "core/constants.h"
#include "runtime/table.h"

namespace fieldbook {

// The values SaveWorkingState keeps.
struct KeptWorkingState {
  double WorkPointX = 0;
  double WorkPointY = 0;
  double WorkPointZ = 0;
  double IncludedAngle = 0;
  double SecondLineSlope = 0;
  double LegDirection = 0;
  double HorizontalDistance = 0;
  double FromPointX = 0;
  double FromPointY = 0;
  double FromPointZ = 0;
  double DesignatedPointZ = 0;
  double BackDirection = 0;
  double SecondLineEndX = 0;
  double SecondLineEndY = 0;
  double FirstLineStartY = 0;
};

struct State {
  double FieldBookMode = 0;  // 0 traverse, 1 level, 2 level with distance
  double FieldBookCount = 0;  // the last record of the book; 0 = empty
  // 1: every point registered after the radial observation has been used also
  // logs its observation in the book (at the record of its own number).
  double ZJ = 0;
  // The sight in hand: slope distance (metres), vertical and horizontal readings
  // (dd.mmss) and the target height, which is the staff reading of a level sight.
  double MeasuredDistance = 0;
  double MeasuredVerticalAngle = 0;
  double MeasuredHorizontalAngle = 0;
  double ObservationTargetHeight = 0;
  // Its values as the fixed-width column texts of the records.
  std::string DistanceColumn;
  std::string VerticalColumn;
  std::string HorizontalColumn;
  std::string ObservationHeightField;
  // Attribute column of the field book, indexed like the point numbers.
  RtTable<std::string> FieldBookAttribute{core::kPointCapacity};
  // The 44-column observation records, and the last record of an instrument.
  RtTable<std::string> FieldBookRecord{core::kPointCapacity};
  RtTable<std::string> RecordBuffer{1};
  double ForwardIntersectionActive = 0;
  // The instrument height of the sight in hand (0 = heights off) and the text
  // typed as its vertical angle (empty when none was typed); its target height
  // is ObservationTargetHeight.
  double ObservationInstrumentHeight = 0;
  std::string VerticalAngleText;

  // ---- The field book's input, entry and options ----
  // Records entered by the input since the book was last cleared, and since the
  // present input began (menu choice 3).
  double FieldBookEntryCount = 0;
  double FieldBookSessionEntryCount = 0;
  // The option that chooses the attribute questions after a point name (0 none,
  // 1 point information, 2 also the line type, 3 also a supplement); 0 also
  // writes the running height into the last level reading's attribute.
  double ZN = 0;
  // The first answer of an input pass, upper-cased ("Q" before the prompt).
  std::string TargetCommand;
  // "[R]" or "[L]": the side of a level sight's distance in mode 2 ("[L]" negative).
  std::string LevelSideMark = "[R]";
  // The instrument height of the field-book traverse station (0 = heights off).
  double FieldBookInstrumentHeight = 0;
  std::string SuggestedPointName;
  std::string LastStoredName;
  std::string LastEnteredPointName;
  std::string LastPassAnswer;
  // The station as typed, and padded to 17; the back-sight padded to 17.
  std::string TypedStationName;
  std::string FieldBookStationName;
  std::string FieldBookBacksightName;
  std::string InstrumentHeightText;
  // The column of the point name in the records of the present input: 2 after a
  // levelling set-up, 36 after a traverse set-up.
  double NameColumn = 36;
  std::string NameSearchKey;
  std::string EntryAttribute;
  std::string EnteredPointName;
  std::string FieldBookDefaultLineType = "9";
  std::string FieldBookDefaultPointInfo = "8";
  // The levelling run: its starting point and height, the index of its first
  // back sight (its run record stands before it), the last back-sight name, the
  // name suggestions of this pass and the two before, the running height shown
  // and the height of the last point's earlier sight.
  std::string LevelBacksightName;
  double LevelStartHeight = 0;
  double LevelRunStart = 0;
  std::string LevelSuggestion1;
  std::string LevelSuggestion2;
  std::string LevelSuggestion3;
  std::string RunningHeightText;
  double RepeatedPointHeight = 99;
  // The digital level's last reply line.
  std::string LevelReply;
  // The total station's trigger and stop characters of the present
  // conversation, and the angles (dd.mmss) of its last angle reading.
  std::string TriggerCode;
  std::string StopCode;
  double ObservedVerticalAngle = 0;
  double TargetHorizontalAngle = 0;
  // 1 when the last sight of the input came from a measurement that failed, so
  // that a correction keeps the good record before it.
  double LastSightFailed = 0;
  // The working state SaveWorkingState keeps while the instrument station
  // stands in as the from-point: the work point, the leg and its included
  // angle, the slope of A-B, the from-point, the heights, the back direction
  // and the construction points B and C (its Y).
  // One copy per SaveWorkingState not yet restored: a report nested inside
  // another (a registration's own stake-out report) restores its own copy and
  // leaves the outer one in place.
  std::vector<KeptWorkingState> KeptWorkingStates;

  // ---- The online measurement of a target from the instrument station ----
  // Horizontal distance of the sight before the scale factor (its slope
  // distance and the reading before it became the sight's azimuth in
  // TargetHorizontalAngle are the observation line's SlopeDistance and
  // ObservedHorizontalAngle); the height of the point under the target; the
  // placed target.
  double TargetDistance = 0;
  double TargetPointHeight = 0;
  double MeasuredTargetX = 0;
  double MeasuredTargetY = 0;
  // The intersection of two sights: the forward-intersection kind (1 water
  // surface, 2 two instruments, else wall surface), the first ray's reading
  // from the base azimuth (dd.mmss; a route run sets it to 0) and the last
  // "IH=" answer, upper-cased (empty: nothing was observed).
  double IntersectionKind = 0;
  double FirstRayAngle = 0;
  std::string IntersectionAnswer;
};

}  // namespace fieldbook
