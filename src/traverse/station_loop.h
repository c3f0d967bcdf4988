// The traverse observed station by station: the set-up of a station, its
// sights one by one, each reported, registered (or, during a field-book
// traverse input, named and recorded into the field book), and either the
// same station kept (radiation, HeightLabel "H=") or the station moved on to
// the point just sighted (open traverse, "h=").
#pragma once

#include <string>

#include "core/control.h"

struct App;

namespace traverse {

// The station record of a field-book traverse input: "*", the station's name
// and the back-sight text each padded to 17, the instrument height with three
// decimals (a blank before a non-negative value).
std::string StationRecordOf(const std::string& station, const std::string& backsight, double instrumentHeight);

// A sight record from the column texts of the sight (FormatObservationFields):
// the radiation record "'" + distance + vertical + horizontal + target height,
// a blank and the name padded to 9; the turning record of an open traverse
// the same with "T" in place of "'" and the next station's instrument-height
// text behind.
struct SightColumns {
  std::string distance;  // "'" and 8 characters
  std::string vertical;
  std::string horizontal;
  std::string height;
};
std::string RadiationRecordOf(const SightColumns& c, const std::string& name);
std::string TurningRecordOf(const SightColumns& c, const std::string& name, const std::string& nextHeightText);

}  // namespace traverse

// The entry of the traverse kinds 1 to 4: the kind record (AnswerCopy) is
// appended to the field book, then the station loop. A full book is refused
// with a message, back to the traverse kinds menu.
Jump StartTraverseObservation(App& app);

// A new station: ReportTitle := AnswerCopy, the station and back-sight
// (InputBasePoint; "%" goes to RepeatLastCommand), the instrument height,
// then the header step.
Jump TraverseObservationLoop(App& app);

// The header step, also the entry of the machine radiation from the
// instrument station: the station header line, the station record during a
// field-book traverse input, then the sights until Enter at the
// horizontal-angle prompt, which goes where ObservationReturnMenu says (1 a
// new station, 2 the menu of the last command, 3 the traverse kinds menu, 4
// the coordinate calculations menu).
Jump TraverseObservationHeader(App& app);
