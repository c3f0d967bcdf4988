// The stored points of a levelling run: the heights offered for its closing
// point, and what the calculation book does with each levelled point.
#pragma once

#include <string>

struct App;

namespace traverse {

// A field-book name as the point table keeps it: blanks trimmed, and one
// leading blank before a name that begins with a digit 1-9 ("12" is " 12").
std::string StoredNameOf(const std::string& name);

}  // namespace traverse

// Lists every point whose name is LevellingLookupName (in its stored form) as
// "##### &      &@ H= #####.### " and leaves the height of the last one in
// DecidedClosingHeight (unchanged when none bears the name).
void FindClosingPointHeight(App& app);

// The levelled point LevelledPointName with the height R(AdjustedHeight), by
// RegistrationChoice: 2 imports the height into the lowest-numbered stored
// point of the name (the report line ends " (name)"; "  name" when none bears
// it); 3 registers a new point at X = height, Y = the record's distance
// (DistanceText), 4 at X = distance, Z = height, both under the first free
// number from NewPointStartNumber with the attribute of columns 35 on and a
// connection vertex on layer 1 of the type in column 35 (9 when blank; "A": no
// attribute and no vertex). The report line is then ended. False when the
// point or line table is full: the calculation is ended with a message.
bool StoreLevelledPoint(App& app);
