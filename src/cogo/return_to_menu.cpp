#include "cogo/return_to_menu.h"

#include "core/app.h"
#include "core/routines.h"

Jump ReturnToCallingMenu(App& app) {
  const double menu = app.cogo.ReturnMenu;
  if (menu == 2) return {EntryOf(Routines().ParcelDivisionMenu)};
  // TEMPORARY: the cross-section conversion and traverse-kinds menus come later.
  if (menu == 1 || menu == 3) return {EntryOf(Routines().CommandNotAvailable)};
  return {EntryOf(Routines().RepeatLastCommand)};
}
