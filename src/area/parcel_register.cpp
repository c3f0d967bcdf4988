#include "area/parcel_register.h"

#include <cmath>
#include <string>

#include "area/area_menu.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/control.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

using core::kPrintBuffer;

// The area of the parcel just finished joins the command's totals once.
void AddFinishedParcelToTotals(area::State& a) {
  a.ParcelArea = std::floor(a.ParcelArea * 100) / 100;
  a.CumulativeParcelArea += a.ParcelArea;
  a.CumulativeParcelCount += a.ParcelArea > 0 ? 1 : 0;
  a.ParcelArea = 0;
}

void AskLotNumber(App& app) {
  RtPrintTab(38);
  RtPrintStr("[[=],Q,V,M,K,@･･]", false);
  RtLocate(0, RtCsrlin());
  RtPrintStr("地番= ", false);
  app.input.GuideNumber = 123;
  app.area.LotNumberPickEnabled = 1;
  InputPointName(app);
  app.area.LotNumberPickEnabled = 0;
}

}  // namespace

void EditParcelRegister(App& app) {
  area::State& a = app.area;
  AddFinishedParcelToTotals(a);
  for (;;) {
    a.ParcelKind.clear();
    app.points.SelectionIndex = 0;
    RtPrintStr("", true);
    AskLotNumber(app);
    const std::string answer = app.input.Answer;
    a.CurrentLotNumber = answer;
    RtPrintToFile(kPrintBuffer, "");
    if (RtUcase(answer) == "Q") JumpTo(AreaMenu);
    if (a.ParcelPageBreakDue == 1) {
      RtPrintToFile(kPrintBuffer, "_");
      RtPrintToFile(kPrintBuffer, "");
    }
    a.ParcelPageBreakDue = 1;
    a.ParcelSource = 0;
    a.SurveyLotNumber = a.CurrentLotNumber;
    // The land-number line; the survey items beside it come with the land
    // survey table.
    RtPrintToFile(kPrintBuffer, " 地番  " + a.SurveyLotNumber);
    if (answer.empty()) return;
    // TEMPORARY: the parcel file comes later.
    RtColor(2);
    RtPrintStr("地番による画地の登録と呼出しはまだ使えません", true);
    RtColor(7);
  }
}
