#include "area/survey_items.h"

#include <cmath>

#include "area/area_menu.h"
#include "area/labels.h"
#include "area/survey_table.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace area {

std::vector<std::string> SurveyItemLines(const std::vector<std::vector<std::string>>& rows, const std::string& lot,
                                         int filter) {
  auto cell = [&](size_t r, int c) { return c < static_cast<int>(rows[r].size()) ? rows[r][c] : std::string(); };
  std::vector<std::string> lines{""};
  for (int c = 0; c < kSurveyColumnCount; ++c) {
    if (c == kSurveyColumnMeasuredArea) lines.push_back("");
    if (rows.size() <= kSurveyRowListScene || cell(kSurveyRowListScene, c) != "*") continue;
    size_t found = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
      if (cell(r, kSurveyColumnLotNumber) == lot &&
          PassesLabelFilter(filter, cell(r, kSurveyColumnOutputFlag), cell(r, kSurveyColumnUse))) {
        found = r + 1;
        break;
      }
    }
    if (found == 0) return {};
    std::string item = cell(found - 1, c);
    if (c == kSurveyColumnRegisteredArea || c == kSurveyColumnMeasuredArea) item = RtTrim(item) + " ㎡";
    const std::string heading = rows.size() > kSurveyRowHeading ? cell(kSurveyRowHeading, c) : std::string();
    lines.back() += heading + " " + item + "    ";
  }
  return lines;
}

}  // namespace area

namespace {


void PrintScene(const std::string& text, double sw) {
  RtColor(static_cast<int>(13 + sw));
  RtPrintStr(text, false);
  RtColor(7);
}

}  // namespace

Jump SurveyTableDisplaySwitch(App& app) {
  area::State& a = app.area;
  for (;;) {
    RtCls();
    RtPrintStr("", true);
    RtPrintStr("地番以外項目有効場面選択", true);
    PrintScene("1:ｸﾞﾗﾌｨｯｸ", a.SurveyItemsOnScreen);
    RtPrintStr("  ", false);
    PrintScene("2:出力図中", a.SurveyItemsOnPlot);
    RtPrintStr("  ", false);
    PrintScene("3:出力表中", a.SurveyItemsInList);
    RtPrintStr("  Ent:次へ", false);
    app.input.GuideNumber = 325;
    InputMenuChoice(app);
    RtPrintStr("", true);
    const double choice = app.input.AnswerValue;
    double* scene = choice == 1 ? &a.SurveyItemsOnScreen
                    : choice == 2 ? &a.SurveyItemsOnPlot
                    : choice == 3 ? &a.SurveyItemsInList
                                  : nullptr;
    if (scene != nullptr) {
      *scene = *scene == 0 ? -9 : 0;
      continue;
    }
    if (choice == 0) break;
  }
  RtPrintStr("", true);
  RtPrintStr(" 標示する画地", true);
  RtPrintStr(" 0:無し 1:全画地  2:指定画地  3:元地  4:用地  5:用残地 " + RtNumText(a.ParcelLabelFilter) + " ", false);
  app.input.GuideNumber = 324;
  InputMenuChoice(app);
  RtPrintStr("", true);
  if (!app.input.Answer.empty()) a.ParcelLabelFilter = app.input.AnswerValue;
  app.input.ViewRedrawPending = 1;
  return {AreaMenu};
}

void OutputSurveyItemsOfParcel(App& app) {
  const area::State& a = app.area;
  const std::string lotLine = " 地番  " + a.SurveyLotNumber;
  if (a.LabelCount == 0 || a.ParcelLabelFilter == 0 || a.SurveyItemsInList != 0) {
    RtPrintToFile(core::kPrintBuffer, lotLine);
    return;
  }
  // The rows searched run to SurveyTableRowCount itself (one past those in use).
  std::vector<area::SurveyRow> rows = SurveyTableRows(app);
  if (a.SurveyTable.Contains(static_cast<long long>(a.SurveyTableRowCount))) {
    area::SurveyRow extra;
    for (int c = 0; c < area::kSurveyColumnCount; ++c) extra.push_back(a.SurveyTable(a.SurveyTableRowCount)(c));
    rows.push_back(extra);
  }
  const std::vector<std::string> lines =
      area::SurveyItemLines(rows, a.SurveyLotNumber, static_cast<int>(a.ParcelLabelFilter));
  if (lines.empty()) {
    RtPrintToFile(core::kPrintBuffer, lotLine);
    return;
  }
  for (const std::string& line : lines) RtPrintToFile(core::kPrintBuffer, line);
}

void StoreMeasuredAreaInSurveyTable(App& app) {
  area::State& a = app.area;
  if (a.ParcelLabelFilter == 0 || a.CurrentLotNumber.empty()) return;
  if (!a.SurveyLotNumber.empty() && a.SurveyLotNumber[0] == '@') a.SurveyLotNumber.erase(0, 1);
  for (int r = 0; r <= a.SurveyTableRowCount && a.SurveyTable.Contains(r); ++r) {
    if (RtTrim(a.SurveyTable(r)(area::kSurveyColumnLotNumber)) != a.SurveyLotNumber) continue;
    a.SurveyTable(r)(area::kSurveyColumnMeasuredArea) = RtTrim(FormatDecimals(a.ParcelArea, 2));
    return;
  }
}
