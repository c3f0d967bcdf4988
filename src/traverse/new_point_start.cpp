#include "traverse/new_point_start.h"

#include "core/app.h"
#include "core/routines.h"
#include "points/point_input.h"
#include "runtime/console.h"
#include "runtime/text.h"
#include "ui/input.h"

void AskNewPointStartNumber(App& app) {
  if (app.settings.ZD == 1) return;
  points::Store& p = app.points;
  traverse::State& t = app.traverse;
  const double proposal = p.NextPointNumber;
  RtPrintStr("始点登録[L,N] No. ", false);
  RtPrintNum(proposal, false);
  t.NewPointStartNumber = proposal;
  app.input.GuideNumber = 21;
  InputPointName(app);
  const std::string answer = RtUcase(app.input.Answer);
  if (answer == "N") JumpTo(EntryOf(Routines().RepeatLastCommand));
  if (answer == "L") {
    p.NextPointNumber = proposal;
    ShowCoordinateTableFrom(app);
    t.NewPointStartNumber = p.TablePointNumber;
    return;
  }
  // Only a number of the table is taken; anything else keeps the proposal.
  const double n = app.input.AnswerValue;
  if (!answer.empty() && n >= 1 && n <= p.PointCapacity && n == static_cast<int>(n)) {
    t.NewPointStartNumber = n;
  }
}
