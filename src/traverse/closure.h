// The closure of a connecting or closed traverse block of the field-book
// calculation: the block computed three times (angles as observed, angles
// corrected, angles and coordinates corrected by the compass rule), the
// misclosures summarised in the main window and the report, and the result
// accepted or discarded.
#pragma once

#include <string>

struct App;

namespace traverse {

// The angular misclosure, known minus computed closing direction (degrees),
// brought fully into -180..180 (a computed direction between 360 and 720
// still closes on a known direction near north).
double AngularMisclosureOf(double known, double computed);

// The precision ratio's denominator as printed after "精度＝1/": the floor of
// `length` over `misclosure` as a plain number (a blank before and after);
// " ∞ " when the misclosure is 0, which has no finite ratio.
std::string PrecisionRatioText(double length, double misclosure);

}  // namespace traverse

// Nothing unless TraverseInputKind is 3 (connecting) or more (closed). On
// entry FieldBookRecordIndex is on the block's station record, set up by
// SetUpCalculationReport. The block is walked with ZD 5 (nothing printed or
// registered) for its angular misclosure and again with the angles corrected
// for the misclosures of the tie point; a connecting block first prints its
// tie point "結合点  ", closing back-sight point "ﾊﾞｯｸ点  " and the direction
// between them. The third walk registers the adjusted points (the tie point is
// printed only), then come the closing line, the summaries (window: the tie
// point minus its computed position; report: the printed corrections summed,
// sign reversed) and " 結果ＯＫ [Y,N]Y": "N" frees the points this block
// registered, takes out its connection vertices and list entries and its part
// of the report, nothing else. A block with no turn to share the angle over
// (or too few sights) is not closed: the user is told so and nothing is
// registered. Afterwards FieldBookRecordIndex is on the block's last record,
// ZD is what it was, and the next block numbers its points on from here.
void ComputeFieldBookClosure(App& app);
