// The levelling runs of the field-book calculation. A run is its start record
// ("*_") and the back sights ("^") and fore sights ("'") after it; it is walked
// three times by moving the record cursor back to its start: the heights list,
// the observation books (forward and, for a round trip, return) with the
// closing height settled, and the calculation book with the equal correction
// per section and the registration of every levelled point.
#pragma once

#include <string>
#include <string_view>

struct App;

namespace traverse {

// LevellingPass once a run is finished, refused or stopped: its records do
// nothing more.
inline constexpr double kLevellingRunDone = 3;

// Millimetre rounding: floor(x * factor + 0.5) / factor, halves upwards (also
// for negative values).
double MillimetreRounded(double x, double factor = 1000);
// Even-millimetre rounding of a mean: a value whose millimetre fraction lies
// strictly between 0.49 and 0.51 goes to the step 1/evenFactor (12.3455 to
// 12.346, 12.3445 to 12.344); any other value is kept unrounded.
double EvenMillimetreRounded(double x, double factor = 1000, double evenFactor = 500);

// The start height of a run's start record: the signed number after its
// "H=", wherever the field book put it (column 23 when written, 25 once the
// run was ended and its closing name put in). 0 without one.
double LevellingStartHeightOf(std::string_view record);

// The closing point's name of a start record: its columns 14-21 as an 8-column
// field (blanks included).
std::string LevellingClosingNameOf(std::string_view record);

}  // namespace traverse

// At a start record (FieldBookRecordIndex, the run state reset by the caller):
// the start height read and confirmed ("出発点", guide 302), the route and the
// stored heights of the start point shown, the heights list's head printed.
void ParseHeightField(App& app);

// At each back or fore sight of the run, WorkPointZ and CollimationHeight
// updated by the caller: the line of the pass in hand. At the end of a pass
// the cursor goes back to the start record; after the calculation book to the
// run's last record. A run without a fore sight is refused with a message.
void ComputeLevellingFieldBook(App& app);
