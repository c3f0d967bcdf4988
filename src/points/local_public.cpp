#include "points/local_public.h"

#include "core/app.h"
#include "points/point_list_line.h"
#include "runtime/numtext.h"

void PrintPointListByMode(App& app) {
  switch (RtWhole(app.settings.ZD)) {
    case 1:
      PrintPointListLine(app);
      break;
    case 2:
      CheckPointListMode(app);
      break;
    default:
      break;
  }
}
