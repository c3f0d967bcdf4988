#include "area/parcel_register.h"

#include <cmath>
#include <string>

#include "area/area_menu.h"
#include "area/parcel_deletion.h"
#include "area/parcel_file.h"
#include "area/survey_items.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/control.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/programs.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/layout.h"
#include "ui/navigator.h"

namespace {

using core::kPrintBuffer;
constexpr int kParcelFile = 4;
constexpr int kGuideLotNumber = 123;
constexpr int kGuideDeletionLotNumber = 294;
constexpr int kGuideNewParcel = 323;
constexpr int kGuideEditor = 250;

// The area of the parcel just finished joins the command's totals once; the
// walk shows it in the summary line and then clears it.
void AddFinishedParcelToTotals(App& app) {
  area::State& a = app.area;
  a.ParcelArea = std::floor(a.ParcelArea * 100) / 100;
  a.CumulativeParcelArea += a.ParcelArea;
  a.CumulativeParcelCount += a.ParcelArea > 0 ? 1 : 0;
  StoreMeasuredAreaInSurveyTable(app);
}

void AskLotNumber(App& app) {
  if (app.area.ParcelDeletionMode == 1) {
    RtPrintTab(49);
    RtPrintStr("[V,M]", false);
    RtLocate(0, RtCsrlin());
    RtColor(4);
    RtPrintStr("削除地番= ", false);
    RtColor(7);
    app.input.GuideNumber = kGuideDeletionLotNumber;
  } else {
    RtPrintTab(38);
    RtPrintStr("[[=],Q,V,M,K,@･･]", false);
    RtLocate(0, RtCsrlin());
    RtPrintStr("地番= ", false);
    app.input.GuideNumber = kGuideLotNumber;
  }
  app.area.LotNumberPickEnabled = 1;
  InputPointName(app);
  app.area.LotNumberPickEnabled = 0;
}


bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// The vertices of the parcel taken into SelectionList (and, for the coordinate
// triangle area, its triangle block after them). A vertex that names no point
// of the table is left out.
void LoadParcelVertices(App& app, const area::StoredParcel& parcel) {
  area::State& a = app.area;
  points::Store& p = app.points;
  auto append = [&](const area::StoredVertex& v) {
    const int n = area::SearchVertex(app, v);
    if (n < 0 || !p.SelectionList.Contains(static_cast<long long>(p.SelectionLast + 1))) return;
    p.SelectionLast += 1;
    p.SelectionList(p.SelectionLast) = static_cast<int16_t>(n);
  };
  for (const area::StoredVertex& v : parcel.boundary) append(v);
  if (a.ParcelTriangleState != 1) return;
  a.TriangleBlockStart = p.SelectionLast;
  a.TriangleBlockEnd = p.SelectionLast;
  if (!parcel.hasTriangleBlock) return;
  a.ParcelTriangleState = 2;
  // Corners are taken three at a time, a triangle with a corner that names no
  // point is left out; an empty block is one without triangle data.
  for (size_t k = 0; k + 2 < parcel.triangles.size(); k += 3) {
    const int c[3] = {area::SearchVertex(app, parcel.triangles[k]), area::SearchVertex(app, parcel.triangles[k + 1]),
                      area::SearchVertex(app, parcel.triangles[k + 2])};
    if (c[0] < 0 || c[1] < 0 || c[2] < 0 || !p.SelectionList.Contains(static_cast<long long>(p.SelectionLast + 3))) continue;
    for (int n : c) {
      p.SelectionLast += 1;
      p.SelectionList(p.SelectionLast) = static_cast<int16_t>(n);
    }
  }
  if (p.SelectionLast == a.TriangleBlockStart) return;
  p.SelectionIndex = p.SelectionLast - 1;
  a.TriangleBlockEnd = p.SelectionIndex;
}

enum class Search { kTaken, kNone };

// The parcel search: the parcel of CurrentLotNumber (or the series' next one).
Search SearchParcel(App& app) {
  area::State& a = app.area;
  app.points.SelectionLast = -1;
  a.ParcelSource = 2;
  const std::vector<area::StoredParcel> parcels = area::ParseParcelFields(area::ReadParcelFileFields(app));
  const std::string wanted = area::StoredLotNumber(a.CurrentLotNumber.substr(1));
  for (size_t i = 0; i < parcels.size(); ++i) {
    const area::StoredParcel& parcel = parcels[i];
    const double number = double(i) + 2;  // ParcelNumber advanced past it
    if (a.ParcelSeriesMode == 1) {
      if (number <= a.LastSeriesParcelNumber || !StartsWith(parcel.lot, wanted)) continue;
      a.LastSeriesParcelNumber = number;
      a.ParcelPageBreakDue = 1;
      a.CurrentLotNumber = a.SeriesLotPrefix;
      RtPrintStr("", true);
      RtPrintStr(" 地番  " + parcel.lot, true);
      a.SurveyLotNumber = parcel.lot;
      OutputSurveyItemsOfParcel(app);
    } else if (parcel.lot != wanted) {
      continue;
    }
    a.ParcelNumber = number;
    a.RecordLotNumber = parcel.lot;
    a.ParcelKind = parcel.kind;
    LoadParcelVertices(app, parcel);
    RtPrintStr("", true);
    return Search::kTaken;
  }
  a.ParcelNumber = double(parcels.size()) + 1;
  return Search::kNone;
}

// "新規 [Y,W,N]Y ": true when a new parcel was started.
bool StartNewParcel(App& app) {
  area::State& a = app.area;
  RtPrintStr("新規 [Y,W,N]Y ", false);
  app.input.GuideNumber = kGuideNewParcel;
  InputPointName(app);
  const std::string answer = RtUcase(app.input.Answer);
  a.ParcelKind = answer == "W" ? "2" : "1";
  if (StartsWith(a.CurrentLotNumber, "@@")) a.CurrentLotNumber.erase(0, 1);
  if (answer == "N") return false;
  const std::string lot = a.CurrentLotNumber.substr(1);
  // A comma would split the record's land-number field.
  if (lot.find(',') != std::string::npos) {
    RtColor(2);
    RtPrintStr("地番に , は使えません", true);
    RtColor(7);
    return false;
  }
  a.ParcelSource = 1;
  a.ParcelLabelsLoaded = 0;
  RtClose(kParcelFile);
  RtOpen(kParcelFile, app.shell.DataFolder + std::string(core::kParcelWorkFileName), RtFileMode::Append);
  RtPrintToFile(kParcelFile, area::ParcelHeadRecord(a.ParcelNumber, lot, a.ParcelKind));
  return true;
}

}  // namespace

void EditParcelFileInEditor(App& app) {
  app.input.GuideNumber = kGuideEditor;
  ShowGuideNext(app);
  ReleaseTopmost(app);
  RtShell(app.settings.VZ, app.shell.DataFolder + std::string(core::kParcelWorkFileName), true, 8,
          rt::ProgramRole::kEditor);
  app.area.ParcelLabelsLoaded = 0;
  RestoreTopmost(app);
}

void EditParcelRegister(App& app) {
  area::State& a = app.area;
  points::Store& p = app.points;
  bool countFinishedParcel = true;
  for (;;) {
    a.ParcelKind.clear();
    p.SelectionIndex = 0;
    if (countFinishedParcel) AddFinishedParcelToTotals(app);
    countFinishedParcel = true;
    const bool deleting = a.ParcelDeletionMode == 1;
    if (a.ParcelSeriesMode != 1) {
      RtPrintStr("", true);
      ReadParcelFile(app);
      AskLotNumber(app);
      std::string answer = app.input.Answer;
      if (!deleting && RtUcase(answer) == "K") {
        DeleteParcelCommand(app);
        a.ParcelDeletionMode = 0;
        a.ParcelLabelsLoaded = 0;
        continue;
      }
      if (!deleting && answer == "=") {
        a.CurrentLotNumber = "@=";
      } else {
        a.CurrentLotNumber = answer;
        RtPrintToFile(kPrintBuffer, "");
        if (RtUcase(answer) == "Q") JumpTo(AreaMenu);
      }
      if (!deleting && !a.CurrentLotNumber.empty() && a.CurrentLotNumber.back() == '=') {
        a.CurrentLotNumber.pop_back();
        a.ParcelSeriesMode = 1;
        a.SeriesLotPrefix = a.CurrentLotNumber;
      }
    }
    if (a.ParcelPageBreakDue == 1) {
      RtPrintToFile(kPrintBuffer, "_");
      RtPrintToFile(kPrintBuffer, "");
    }
    if (a.ParcelSeriesMode != 1) {
      a.ParcelPageBreakDue = 1;
      a.ParcelSource = 0;
      a.SurveyLotNumber = a.CurrentLotNumber;
      OutputSurveyItemsOfParcel(app);
      if (RtUcase(a.CurrentLotNumber) == "V") {
        EditParcelFileInEditor(app);
        continue;
      }
    }
    if (a.CurrentLotNumber.empty()) return;
    if (deleting || a.CurrentLotNumber[0] != '@') a.CurrentLotNumber = "@" + a.CurrentLotNumber;
    if (SearchParcel(app) == Search::kTaken) return;
    if (deleting) return;
    RtPrintStr("", true);
    if (a.ParcelSeriesMode == 1) {
      a.LastSeriesParcelNumber = 0;
      a.ParcelSeriesMode = 0;
      a.ParcelSource = 0;
      a.CurrentLotNumber.clear();
      app.input.Answer.clear();
      countFinishedParcel = false;
      continue;
    }
    if (StartNewParcel(app)) return;
  }
}
