#include "area/labels.h"

#include "core/app.h"
#include "runtime/graphics.h"
#include "runtime/graphics_state.h"
#include "runtime/text.h"
#include "ui/transform.h"

namespace area {

bool PassesLabelFilter(int filter, const std::string& outputFlag, const std::string& use) {
  const std::string u = RtTrim(use);
  switch (filter) {
    case 1: return true;
    case 2: return outputFlag == "*";
    case 3: return u == "元地";
    case 4: return u == "用地";
    case 5: return u == "残地" || u == "用地";
    default: return false;
  }
}

}  // namespace area

namespace {

constexpr RtWindowId kView = RtWindowId::View;
constexpr int kTriangleColour = 8;
constexpr double kTriangleCircleRadius = 15;
constexpr int kSurveyColumns = 17;

int FindSurveyRow(const area::State& a, const std::string& lot) {
  for (int row = 0; row < a.SurveyTableRowCount; ++row) {
    if (a.SurveyTable(row)(area::kSurveyColumnLotNumber) == lot) return row;
  }
  return -1;
}

// A row for a land number the loaded table lacks. Without a loaded table (its
// first rows would be taken for the scene and headings) or with a full one,
// none is made.
void EnsureSurveyRow(area::State& a, const std::string& lot) {
  if (FindSurveyRow(a, lot) >= 0) return;
  if (a.SurveyTableRowCount < area::kSurveyFirstDataRow) return;
  const double row = a.SurveyTableRowCount;
  if (!a.SurveyTable.Contains(static_cast<long long>(row))) return;
  RtTable<std::string>& fresh = a.SurveyTable(row);
  const size_t open = lot.find('(');
  const int base = open == std::string::npos ? -1 : FindSurveyRow(a, RtTrim(lot.substr(0, open)));
  if (base >= 0) {
    for (int c = 0; c < kSurveyColumns; ++c) fresh(c) = a.SurveyTable(base)(c);
    fresh(area::kSurveyColumnUse) = "用地";
  } else {
    for (int c = 0; c < kSurveyColumns; ++c) fresh(c).clear();
    fresh(area::kSurveyColumnUse) = "元地";
    fresh(area::kSurveyColumnMarker) = "aa" + std::to_string(static_cast<int>(row) - area::kSurveyFirstDataRow);
  }
  fresh(area::kSurveyColumnLotNumber) = lot;
  a.SurveyTableRowCount += 1;
}

// The first row of the land number that the filter lets through; -1 when none.
int SurveyRowOfLabel(const area::State& a, const std::string& lot, int filter) {
  for (int row = 0; row < a.SurveyTableRowCount; ++row) {
    const RtTable<std::string>& r = a.SurveyTable(row);
    if (r(area::kSurveyColumnLotNumber) == lot &&
        area::PassesLabelFilter(filter, r(area::kSurveyColumnOutputFlag), r(area::kSurveyColumnUse)))
      return row;
  }
  return -1;
}

void DrawSurveyItems(App& app, const std::string& lot, double x, double y) {
  area::State& a = app.area;
  const int filter = static_cast<int>(a.ParcelLabelFilter);
  const double step = filter == 2 ? 20 : 2 * app.view.LabelOffset;
  const int colour = static_cast<int>(app.view.HeightTextColour);
  int found = -2;  // not looked up yet: only a starred column needs the row
  for (int c = 0; c <= 15; ++c) {
    if (c == area::kSurveyColumnLotNumber || a.SurveyTable(area::kSurveyRowScreenScene)(c) != "*") continue;
    if (found == -2) found = SurveyRowOfLabel(a, lot, filter);
    if (found < 0) return;
    a.LabelItemOffset += step;
    const std::string& item = a.SurveyTable(found)(c);
    RtSymbol(kView, x - 5 * double(item.size()), y - 2 + a.LabelItemOffset, item, 1, 1, 0, colour);
  }
}

}  // namespace

void DrawParcelLabels(App& app) {
  area::State& a = app.area;
  if (a.LabelCount == 0) return;
  RtSetLineStyle(kView, rt::kPenSolid);
  const bool tableThere = a.SurveyTable.Contains(0) && a.SurveyTable(0).Contains(kSurveyColumns - 1);
  for (int i = 0; i < a.LabelCount; ++i) {
    const std::string& text = a.LabelText(i);
    const double x = ViewUnitX(app, a.LabelY(i));
    const double y = ViewUnitY(app, a.LabelX(i));
    if (!text.empty() && text[0] == '^') {
      const std::string t = text.substr(1, 3);
      RtSymbol(kView, x - 5 * double(t.size()), y - 9, t, 1, 1, 0, kTriangleColour);
      RtCircle(kView, x, y, kTriangleCircleRadius, kTriangleColour);
      continue;
    }
    if (tableThere) EnsureSurveyRow(a, text);
    a.LabelItemOffset = 0;
    RtSymbol(kView, x - 5 * double(text.size()), y - 2, text, 1, 1, 0, static_cast<int>(app.view.HeightTextColour));
    if (tableThere && a.ParcelLabelFilter != 0 && a.SurveyItemsOnScreen == 0) DrawSurveyItems(app, text, x, y);
  }
}
