#include "cogo/return_to_menu.h"

#include "cogo/cross_sections.h"
#include "core/app.h"
#include "core/routines.h"

Jump ReturnToCallingMenu(App& app) {
  const double menu = app.cogo.ReturnMenu;
  if (menu == 2) return {EntryOf(Routines().ParcelDivisionMenu)};
  if (menu == 3) return {EntryOf(Routines().TraverseKindsMenu)};
  if (menu == 1) return {CrossSectionConversionMenu};
  return {EntryOf(Routines().RepeatLastCommand)};
}
