// TEMPORARY: the circle intersections, the circle and line extensions and the
// radial observation from the instrument station replace these with the
// stake-out and traverse-line commands.
#include "cogo/pending_kinds.h"

#include "core/routines.h"

namespace {

Jump NotAvailable() { return {EntryOf(Routines().CommandNotAvailable)}; }

}  // namespace

Jump CircleCircleIntersection(App&) { return NotAvailable(); }
Jump CircleLineIntersection(App&) { return NotAvailable(); }
Jump CircleExtension(App&) { return NotAvailable(); }
Jump LineExtension(App&) { return NotAvailable(); }
Jump MachineRadiation(App&) { return NotAvailable(); }
