#include "traverse/traverse_menu.h"

#include <cmath>

#include "core/app.h"
#include "core/routines.h"
#include "fieldbook/book.h"
#include "fieldbook/book_file.h"
#include "fieldbook/browser.h"
#include "runtime/console.h"
#include "traverse/field_book_calculation.h"
#include "traverse/open_reverse_traverse.h"
#include "traverse/report_columns.h"
#include "traverse/station_loop.h"
#include "ui/input.h"
#include "ui/navigator.h"

traverse::MenuTarget traverse::TraverseMenuTarget(double answer) {
  const double n = std::floor(answer);
  if (n == 1) return MenuTarget::OpenTraverse;
  if (n == 2) return MenuTarget::Radiation;
  if (n == 3) return MenuTarget::KindsMenu;
  if (n == 4) return MenuTarget::OpenReverse;
  if (n == 5) return MenuTarget::RadiationReverse;
  if (n == 6) return MenuTarget::ConnectPoints;
  if (n == 7) return MenuTarget::ReportColumns;
  return MenuTarget::ResultMenu;
}

void traverse::HighlightMenuCell(App& app, double column) {
  app.navigator.MenuCellColumn = column;
  app.navigator.MenuCellRow = 0;
  ShowMenuPosition(app);
}

traverse::KindsTarget traverse::KindsMenuTarget(double answer) {
  const double n = std::round(answer);  // half away from zero
  if (n >= 1 && n <= 4) return KindsTarget::TraverseInput;
  if (n == 5) return KindsTarget::Correct;
  if (n == 6) return KindsTarget::Clear;
  if (n == 7) return KindsTarget::File;
  if (n == 8) return KindsTarget::Browse;
  if (n == 9) return KindsTarget::Print;
  if (n == 10) return KindsTarget::Calculate;
  return KindsTarget::ResultMenu;
}

namespace {

Jump ResultMenu() { return {EntryOf(Routines().ShowResultMenu)}; }

// Choice 7, shown nowhere on the menu: the reverse traverses' column set-up on
// its own; the header it writes stays in the report of the result menu.
Jump SetUpColumnsOnly(App& app) {
  SetUpReverseTraverseColumns(app);
  return ResultMenu();
}

Jump CorrectInEditor(App& app) {
  EditFieldBookInEditor(app);
  return {TraverseKindsMenu};
}

Jump TraverseFileMenu(App& app) {
  FieldBookFileMenu(app);
  return {TraverseKindsMenu};
}

}  // namespace

Jump TraverseMenu(App& app) {
  using traverse::MenuTarget;
  Call(Routines().ResetRunState, app);
  app.lines.CurrentLayer = 8;
  RtPrintStr(" 1:開放ﾄﾗﾊﾞｰｽ       2:放射ﾄﾗﾊﾞｰｽ/1,3    3:各種ﾄﾗﾊﾞｰｽ", true);
  RtPrintStr(" 4:開放逆ﾄﾗﾊﾞｰｽ/ﾋﾟ  5:放射逆ﾄﾗﾊﾞｰｽ/ﾋﾟ   6:結線 ", false);
  app.input.GuideNumber = 18;
  InputMenuChoice(app);
  app.job.SubmenuChoice = app.input.AnswerValue;
  app.traverse.ObservationReturnMenu = 1;
  switch (traverse::TraverseMenuTarget(app.job.SubmenuChoice)) {
    case MenuTarget::OpenTraverse:
      traverse::HighlightMenuCell(app, 0);
      return {TraverseObservationLoop};
    case MenuTarget::Radiation:
      app.shell.HeightLabel = "H=";
      traverse::HighlightMenuCell(app, 1);
      return {TraverseObservationLoop};
    case MenuTarget::KindsMenu:
      return {TraverseKindsMenu};
    case MenuTarget::OpenReverse:
      return {StartOpenReverseTraverse};
    case MenuTarget::RadiationReverse:
      return {RadiationReverseTraverse};
    case MenuTarget::ConnectPoints:
      return {EntryOf(Routines().ConnectPoints)};
    case MenuTarget::ReportColumns:
      return {SetUpColumnsOnly};
    case MenuTarget::ResultMenu:
      break;
  }
  return ResultMenu();
}

Jump TraverseKindsMenu(App& app) {
  using traverse::KindsTarget;
  traverse::State& t = app.traverse;
  RtPrintStr("", true);
  RtPrintStr(" 入力  1:開放   2:放射   3:結合   4:閉合   5:修正", true);
  RtPrintStr(" 編集  6:新規   7:Yﾌｧｲﾙ  8:ﾃﾞｰﾀ  9:ﾌﾟﾘﾝﾄ  10:計算 ", false);
  app.input.GuideNumber = 19;
  InputMenuChoice(app);
  const double answer = app.input.AnswerValue;
  const KindsTarget target = traverse::KindsMenuTarget(answer);
  // A traverse input records whole kinds: an answer such as 2.4 is the kind it
  // rounds to, so that its records and its mode agree.
  t.TraverseInputKind = target == KindsTarget::TraverseInput ? std::round(answer) : answer;
  app.cogo.ReturnMenu = 3;
  t.ObservationReturnMenu = 3;
  t.DistancePromptFlag = 0;
  if (t.TraverseInputKind == 2) app.shell.HeightLabel = "H=";
  switch (target) {
    case KindsTarget::TraverseInput:
      return {StartTraverseObservation};
    case KindsTarget::Correct:
      return {CorrectInEditor};
    case KindsTarget::Clear:
      return {ConfirmClearFieldBook};
    case KindsTarget::File:
      return {TraverseFileMenu};
    case KindsTarget::Browse:
      return {BrowseRawFieldBook};
    case KindsTarget::Print:
      return {PrintRawFieldBook};
    case KindsTarget::Calculate:
      return {StartFieldBookCalculation};
    case KindsTarget::ResultMenu:
      break;
  }
  return ResultMenu();
}
