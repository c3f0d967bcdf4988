#include "fieldbook/browser.h"

#include "cogo/return_to_menu.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/sound.h"
#include "fieldbook/book.h"
#include "files/result.h"
#include "points/station_offset.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "runtime/windows.h"
#include "ui/input.h"
#include "ui/navigator.h"

namespace {

constexpr int kGuideBrowser = 22;
constexpr int kGuideZJ = 217;
constexpr int kGuideZN = 218;

std::string WaitForBrowserKey() {
  for (;;) {
    RtWait(1);
    const std::string key = RtInkey();
    RtActivateWindow(RtWindowId::Main);
    if (!key.empty()) return key;
  }
}

// Asks one option after its prompt and the present value; Enter keeps it.
void AskOption(App& app, const char* prompt, double& option, int guide) {
  RtPrintStr(prompt, false);
  RtPrintNum(option, false);
  app.input.GuideNumber = guide;
  InputPointName(app);
  if (!app.input.Answer.empty()) option = app.input.AnswerValue;
}

}  // namespace

Jump BrowseRawFieldBook(App& app) {
  app.traverse.FieldBookRecordIndex = 1;
  BrowseRawData(app);
  return ReturnToCallingMenu(app);
}

void LoadRecordBuffer(App& app) {
  fieldbook::State& f = app.fieldbook;
  const double i = app.traverse.FieldBookRecordIndex;
  f.RecordBuffer(0) = f.FieldBookRecord(i) + "    " + f.FieldBookAttribute(i);
}

void BrowseRawData(App& app) {
  fieldbook::State& f = app.fieldbook;
  double& index = app.traverse.FieldBookRecordIndex;
  const double last = f.FieldBookRecord.Bound();
  app.input.GuideNumber = kGuideBrowser;
  ShowGuideNext(app);
  for (;;) {
    if (index < 0) index = 0;
    if (index > last) index = last;
    LoadRecordBuffer(app);
    RtPrintUsingNum("##### ", {index}, false);
    RtPrintStr(f.RecordBuffer(0), true);
    if (f.RecordBuffer(0).starts_with("*")) PlaySound(app, "ding.wav");
    const std::string key = WaitForBrowserKey();
    app.input.Answer = key;
    const int code = key.size() == 1 ? static_cast<unsigned char>(key[0]) : -1;
    if (key == "+" || code == kKeyDown) {
      RtColor(7);
      index += 1;
    } else if (key == "-" || code == kKeyUp) {
      RtColor(2);
      index -= 1;
    } else if (code == kKeyEnter) {
      RtColor(7);
      return;
    }
  }
}

Jump PrintRawFieldBook(App& app) {
  fieldbook::State& f = app.fieldbook;
  app.output.ReportTitle = "ﾅﾏﾃﾞｰﾀ";
  for (double i = 0; i <= f.FieldBookCount; ++i) {
    app.traverse.FieldBookRecordIndex = i;
    LoadRecordBuffer(app);
    RtPrintToFile(core::kPrintBuffer, RtLeft(RtStr(i) + "      ", 7) + f.RecordBuffer(0));
  }
  return {ShowResultMenu};
}

Jump FieldBookOptions(App& app) {
  fieldbook::State& f = app.fieldbook;
  AskOption(app, "ﾎｳｼｬﾃﾞ-ﾀﾞﾄｳﾛｸ [0,1] ZJ=", f.ZJ, kGuideZJ);
  AskOption(app, "Y ﾊﾟﾗﾒ-ﾀ  [0,1,2,3] ZN=", f.ZN, kGuideZN);
  return {FieldBookMenu};
}

void PrintLineAndDistance(App& app) {
  if (app.settings.ZD == 1) RtPrintToFile(core::kPrintBuffer, app.input.Answer);
  PrintDistanceLine(app);
}
