// LEAST FORM, to be completed with the CAD subsystem: the menu itself (paper
// frame, first-use paper fit, the choices and their dispatch) is not built yet.
// For now the screen plot leaves here, and the menu resets the plan view and
// the orientation as the real one does, says it is not available and goes on
// to the result menu.
#include "cad/cad_menu.h"

#include "core/app.h"
#include "core/routines.h"

Jump CadMenu(App& app) {
  app.shell.PlanViewFlag = 1;
  app.view.PlotOrientation = -1;
  return {EntryOf(Routines().CommandNotAvailable)};
}
