#include "traverse/eccentric.h"

#include <cmath>

#include "core/app.h"
#include "runtime/console.h"

void ReduceEccentricObservation(App& app) {
  const double choice = app.job.SubmenuChoice;
  if (choice == std::trunc(choice)) return;
  // TEMPORARY: the eccentric reduction (its heights, the two eccentric sights
  // and the reduced station) comes with the traverse observations.
  RtPrintStr(" 偏心観測の補正はまだ使えません", true);
}
