#include "points/selection.h"

#include "core/app.h"
#include "core/point_names.h"
#include "points/resolver.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "ui/input.h"

namespace {

// The option line, the count of entries so far, at column 26 of the current row.
void ShowSelectionOptionLine(const App& app) {
  RtPrintTab(26);
  RtColor(3);
  RtPrintStr("[[-,+,=],*,/,H,M,L,J,I,S,F,Q]", false);
  RtColor(5);
  RtPrintNum(app.points.SelectionLast + 1, false);
  RtColor(7);
  RtLocate(0, RtCsrlin());
}

// Resolves the answer and appends the point when it names one.
void AppendPointReference(App& app) {
  points::Store& p = app.points;
  ResolvePointNumberOrName(app);
  if (p.PointNotFound == app.shell.Epsilon) return;
  p.SelectionLast += 1;
  p.SelectionList(p.SelectionLast) = RtInt16(p.WorkPointY);
}

}  // namespace

void SelectPoints(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  p.SelectionLast = -1;
  p.WorkPointY = p.CurrentPointNumber;
  p.PointReaskFlag = 0;
  for (;;) {
    ShowSelectionOptionLine(app);
    RtColor(7);
    RtPrintStr("no.", false);
    in.GuideNumber = 15;
    InputText(app);
    if (in.Answer.empty()) {
      p.SelectionIndex = 0;
      return;
    }
    CaretToSpaceInAnswer(app);
    AppendPointReference(app);
  }
}

void SelectAllPoints(App& app) {
  points::Store& p = app.points;
  const int count = RtWhole(p.PointCount);
  // Entry 0 is cleared first: loops that look at it even in an empty selection
  // find no point there.
  p.SelectionList(0) = 0;
  for (int i = 0; i < count; ++i) p.SelectionList(i) = static_cast<int16_t>(i + 1);
  p.SelectionLast = count - 1;
}
