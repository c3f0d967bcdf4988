#include "fieldbook/instruments.h"

#include "core/app.h"
#include "core/sound.h"
#include "runtime/console.h"

namespace {

// TEMPORARY: until the serial links to the instruments exist, every measurement
// fails with this message and stores nothing.
void LinkNotAvailable(App& app) {
  app.traverse.DistancePromptFlag = 0;
  app.shell.CommFailureFlag = 1;
  RtColor(2);
  RtPrintStr(" 器械との通信はまだ使えません", true);
  RtColor(7);
  PlaySound(app, "chord.wav");
}

}  // namespace

void MeasureWithTotalStation(App& app) { LinkNotAvailable(app); }

void MeasureWithBarcodeLevel(App& app) { LinkNotAvailable(app); }
