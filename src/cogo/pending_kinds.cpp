// TEMPORARY: the radial observation from the instrument station comes with
// the stake-out commands.
#include "cogo/pending_kinds.h"

#include "core/routines.h"

namespace {

Jump NotAvailable() { return {EntryOf(Routines().CommandNotAvailable)}; }

}  // namespace

Jump MachineRadiation(App&) { return NotAvailable(); }
