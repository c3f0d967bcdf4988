#include "traverse/levelling_calculation.h"

#include "core/app.h"
#include "core/sound.h"
#include "runtime/console.h"
#include "traverse/record_parsing.h"

namespace {

// NOT AVAILABLE YET: the levelling calculation and its books.
void PassRunOver(App& app) {
  traverse::State& t = app.traverse;
  RtPrintStr(" 水準計算はまだ使えません", true);
  PlaySound(app, "chord.wav");
  t.FieldBookRecordIndex = LastRecordOfBlock(app, t.FieldBookRecordIndex);
}

}  // namespace

void ParseHeightField(App& app) { PassRunOver(app); }

void ComputeLevellingFieldBook(App& app) { PassRunOver(app); }
