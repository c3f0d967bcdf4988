#include "traverse/new_point_start.h"

#include "core/app.h"
#include "core/routines.h"
#include "points/point_input.h"
#include "points/table.h"
#include "runtime/console.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

bool IsTableNumber(const App& app, double n) {
  return n >= 1 && n <= app.points.PointCapacity && n == static_cast<int>(n);
}

// The question once: true when its answer settled NewPointStartNumber.
bool AskOnce(App& app) {
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
    const double orientation = p.LegDirection;  // the table's cursor shares it
    ShowCoordinateTableFrom(app);
    p.LegDirection = orientation;
    t.NewPointStartNumber = p.TablePointNumber;
    return true;
  }
  if (answer.empty()) return true;
  // Only a number of the table is taken; anything else is said and asked again,
  // so that no point is ever written outside the table.
  if (!IsTableNumber(app, app.input.AnswerValue)) {
    ReportPointNumberOutOfRange(app);
    return false;
  }
  t.NewPointStartNumber = app.input.AnswerValue;
  return true;
}

}  // namespace

void AskNewPointStartNumber(App& app) {
  if (app.settings.ZD != 1) {
    while (!AskOnce(app)) {
    }
  }
  app.traverse.PointCountAtStart = app.points.PointCount;
  app.traverse.RunFirstPointNumber = app.traverse.NewPointStartNumber;
}
