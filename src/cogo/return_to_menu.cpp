#include "cogo/return_to_menu.h"

#include "core/app.h"
#include "core/routines.h"

Jump ReturnToCallingMenu(App& app) {
  const double menu = app.cogo.ReturnMenu;
  if (menu == 2) return {EntryOf(Routines().ParcelDivisionMenu)};
  if (menu == 3) return {EntryOf(Routines().TraverseKindsMenu)};
  // TEMPORARY: the cross-section placement comes with the stake-out commands.
  if (menu == 1) return {EntryOf(Routines().CommandNotAvailable)};
  return {EntryOf(Routines().RepeatLastCommand)};
}
