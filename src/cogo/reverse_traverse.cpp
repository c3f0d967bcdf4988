#include "cogo/reverse_traverse.h"

#include "core/app.h"
#include "runtime/console.h"

void ReverseTraverseToPoint(App&) {
  // TEMPORARY: the stake-out commands complete this in place.
  RtPrintStr(" 逆トラバースはまだ使えません", true);
}

void ReportStoredPointByZe(App& app) {
  const double ze = app.settings.ZE;
  if (ze != 1 && ze != 2) return;
  app.view.GuidanceMode = ze == 1 ? -1 : 1;
  ReverseTraverseToPoint(app);
}
