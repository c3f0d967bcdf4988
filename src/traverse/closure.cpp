#include "traverse/closure.h"

#include "core/app.h"
#include "core/sound.h"
#include "runtime/console.h"
#include "traverse/record_parsing.h"

void ComputeFieldBookClosure(App& app) {
  traverse::State& t = app.traverse;
  if (t.TraverseInputKind < 3) return;
  // NOT AVAILABLE YET: the closure and the compass-rule adjustment.
  RtPrintStr(" 結合・閉合ﾄﾗﾊﾞｰｽの計算はまだ使えません", true);
  PlaySound(app, "chord.wav");
  t.FieldBookRecordIndex = LastRecordOfBlock(app, t.FieldBookRecordIndex);
}
