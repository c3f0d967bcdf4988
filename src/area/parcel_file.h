// The parcel work file "K.D": the records of a parcel block, the field reader
// that turns the file into parcels, and the walk that lists and labels them.
//
// A block is "D00," number, land number, kind; its "B01," point number, point
// name records in boundary order; optionally "E00,", one "E01," per triangle
// (three number-name pairs) and "E99,"; and "D99,". Every field, the last
// included, is followed by a comma; numbers stand in their print form (" 12 ").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "files/parcel_records.h"

struct App;

namespace area {

// The stored land number: at most 20 bytes, never splitting a double-byte
// character.
std::string StoredLotNumber(std::string_view lot);

// The records as written, without the line end.
std::string ParcelHeadRecord(double parcelNumber, std::string_view lot, std::string_view kind);
std::string BoundaryPointRecord(double pointNumber, std::string_view storedName);

// A point name as stored: without its leading blanks.
std::string StoredPointName(std::string_view pointName);

// The comma fields of "K.D" in the data folder (none when it is missing); file
// number 4 is closed first, which finishes a block still open for append.
std::vector<std::string> ReadParcelFileFields(App& app);

// The vertex of a stored boundary point for the walk's label: the stored number
// when its point still has the stored name, else the lowest-numbered point of
// that name, else the stored number; -1 when that is no point of the table.
int WalkVertex(const App& app, const StoredVertex& v);
// The vertex for loading a parcel: the highest-numbered point whose name is the
// stored one (a name with a numeric value gets back its leading blank), else
// the stored number; -1 when that is no point of the table.
int SearchVertex(const App& app, const StoredVertex& v);

}  // namespace area

// The walk over the parcel file before every land-number prompt: lists the land
// numbers, rebuilds the parcel labels when ParcelLabelsLoaded is 0, draws them,
// leaves ParcelNumber at the number a new parcel gets and prints the summary
// line of the parcel just finished with the command's totals.
void ReadParcelFile(App& app);
