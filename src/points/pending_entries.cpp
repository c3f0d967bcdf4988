// TEMPORARY: stand-ins for block deletion, name replacement and mark change,
// which are being built beside the coordinate management. Each says that the
// command is not available yet and goes back to the menu of the last command.
#include "core/app.h"
#include "core/routines.h"
#include "points/block_deletion.h"
#include "points/name_replacement.h"
#include "runtime/console.h"

namespace {

// TEMPORARY
Jump NotAvailableYet() {
  RtPrintStr(" このコマンドはまだ使えません", true);
  return {EntryOf(Routines().RepeatLastCommand)};
}

}  // namespace

// TEMPORARY
Jump DeletePointBlock(App&) { return NotAvailableYet(); }

// TEMPORARY: packs nothing yet.
Jump CompactDeletedPoints(App&) { return NotAvailableYet(); }

// TEMPORARY
Jump ReplacePointNameText(App&) { return NotAvailableYet(); }

// TEMPORARY
Jump ChangeMarks(App&) { return NotAvailableYet(); }

// TEMPORARY: the copies stay as they are.
void RefreshLineVertexNames(App&) { JumpTo(NotAvailableYet().next); }
