// The three reports of a levelling run in the print buffer: the heights list,
// the direct levelling observation books (one per direction) and the direct
// levelling calculation book, each ended by the page break "_". The values
// come from the run's state; these routines only place them.
#pragma once

#include <string>

struct App;

namespace traverse {

// The items of a name field "&      &@": the name (the field pads or cuts it
// to 8 bytes) and what follows its 8th byte (empty for a record's name).
std::string NameRestOf(const std::string& name);

// The tail of an observation book line: the rise d (d >= 0) in the rise
// column or -d in the fall column.
std::string RiseOrFallTail(double d);

// The "[距離和]" line's distance text: 2 decimals right-aligned in 8 columns,
// 8 blanks for 0.
std::string BookDistanceText(double distance, double decimals);

}  // namespace traverse

// Heights list: the route, an empty line and the column header.
void PrintHeightsListHead(App& app);
// A back sight's line (name, DistanceText, StaffReading, CollimationHeight);
// the run's first one carries the start height (WorkPointZ) too.
void PrintHeightsListBacksight(App& app, const std::string& name, bool withStartHeight);
// A fore sight's line (name, DistanceText, StaffReading, WorkPointZ).
void PrintHeightsListForesight(App& app, const std::string& name);

// An observation book's head with LevellingRunLabel and its first back sight.
void PrintObservationBookHead(App& app, const std::string& name, double reading);
// A change point: the fore sight and the following back sight on one line.
void PrintChangePointLine(App& app, const std::string& name, double backsight, double foresight, double d);
// A single fore sight: an intermediate sight, the closing point, the last record.
void PrintSingleForesightLine(App& app, const std::string& name, double foresight, double d);
// Closes an observation book with `lastForesight`, the book's last fore sight
// (booked without being summed): ForeSightSum gains it; "[和]", "[距離和]",
// the arithmetic check "[fn-bn]" and "_". DistanceText keeps the distance sum.
void PrintLevellingSums(App& app, double lastForesight);

// The calculation book's head and its start point's line (left open for the
// registration tail).
void PrintCalculationBookHead(App& app, const std::string& name);
// A point's line, left open for the registration tail: forward and return
// differences, the mean in the + or - column, the correction value, the decided
// difference and the decided height.
void PrintCalculationBookLine(const std::string& name, double forward, double back, double mean,
                              double correction, double decidedDifference, double decidedHeight);
// The summary of the calculation book and "_".
void PrintCalculationBookSummary(App& app);
