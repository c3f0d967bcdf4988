#include "fieldbook/book.h"

#include <cmath>

#include "cogo/return_to_menu.h"
#include "core/app.h"
#include "core/routines.h"
#include "core/sound.h"
#include "fieldbook/book_file.h"
#include "fieldbook/collector_files.h"
#include "fieldbook/browser.h"
#include "fieldbook/input_loop.h"
#include "fieldbook/records.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

constexpr int kGuideMenu = 219;
constexpr int kGuideClear = 17;

}  // namespace

Jump FieldBookMenu(App& app) {
  fieldbook::State& f = app.fieldbook;
  Call(Routines().ResetRunState, app);
  f.ObservationTargetHeight = f.FieldBookInstrumentHeight;
  app.traverse.DistancePromptFlag = 0;
  app.cogo.ReturnMenu = 4;
  f.FieldBookDefaultLineType = "9";
  f.FieldBookDefaultPointInfo = "8";
  RtColor(5);
  RtPrintStr(" トランシット＆レベル電子野帳", true);
  RtColor(7);
  RtPrintStr(" 1:ﾃﾞｰﾀｸﾘｱ   2:計算    3:ﾃﾞｰﾀ入力  4:ﾅﾏﾃﾞｰﾀ    5:ﾅﾏﾌﾟﾘﾝﾄ", true);
  RtPrintStr(" 6:野帳ﾌｧｲﾙ  7:SD変換  8:ｵﾌﾟｼｮﾝ    9:追加入力 ", false);
  app.input.GuideNumber = kGuideMenu;
  InputMenuChoice(app);
  const double choice = std::round(app.input.AnswerValue);
  switch (choice >= 1 && choice <= 9 ? static_cast<int>(choice) : 0) {
    case 1:
      return {ConfirmClearFieldBook};
    case 2:
      return {EntryOf(Routines().FieldBookCalculation)};
    case 3:
      return {FieldBookInput};
    case 4:
      return {BrowseRawFieldBook};
    case 5:
      return {PrintRawFieldBook};
    case 6:
      return {OpenFieldBookFileMenu};
    case 7:
      return {FieldBookConversionMenu};
    case 8:
      return {FieldBookOptions};
    case 9:
      return {ContinueFieldBookInput};
    default:
      return {ShowResultMenu};
  }
}

Jump ConfirmClearFieldBook(App& app) {
  RtPrintStr("野帳メモリーをクリアします[Y,N]Y ", false);
  app.input.GuideNumber = kGuideClear;
  InputPointName(app);
  if (RtUcase(app.input.Answer) == "N") return ReturnToCallingMenu(app);
  ClearFieldBook(app);
  ResetPrintBuffer(app);
  PlaySound(app, "recycle.wav");
  return ReturnToCallingMenu(app);
}

void ClearFieldBook(App& app) {
  fieldbook::State& f = app.fieldbook;
  f.FieldBookEntryCount = 0;
  f.FieldBookCount = 0;
  const int bound = f.FieldBookRecord.Bound();
  f.FieldBookRecord.Dimension(bound);
  f.FieldBookAttribute.Dimension(bound);
}

bool RoomForRecords(App& app, int records) {
  if (app.fieldbook.FieldBookCount + records <= fieldbook::kRecordCapacity) return true;
  RtColor(2);
  RtPrintStr(" 野帳が一杯です (9999件まで)", true);
  RtColor(7);
  PlaySound(app, "chord.wav");
  return false;
}
