#include "dxf/labels.h"

#include "area/labels.h"
#include "area/survey_table.h"
#include "cad/print_page.h"
#include "core/app.h"
#include "dxf/mapping.h"
#include "runtime/text.h"

namespace {

constexpr int kOutputScene = 1;
constexpr int kLastItemColumn = 15;

bool SurveyTableThere(const area::State& a) {
  return a.SurveyTable.Contains(kOutputScene) && a.SurveyTable(kOutputScene).Contains(area::kSurveyColumnCount - 1);
}

// The first data row of the parcel that the filter lets through; -1 when none.
int SurveyRowOfParcel(const area::State& a, const std::string& lot, int filter) {
  for (int row = area::kSurveyFirstDataRow; row < a.SurveyTableRowCount && a.SurveyTable.Contains(row); ++row) {
    const RtTable<std::string>& r = a.SurveyTable(row);
    if (!r.Contains(area::kSurveyColumnCount - 1)) continue;
    if (r(area::kSurveyColumnLotNumber) == lot &&
        area::PassesLabelFilter(filter, r(area::kSurveyColumnOutputFlag), r(area::kSurveyColumnUse)))
      return row;
  }
  return -1;
}

// The item lines of a parcel: one per column the output scene marks, empty
// where the cell is.
std::vector<std::string> SurveyItemsOf(const area::State& a, const std::string& lot) {
  if (a.ParcelLabelFilter == 0 || a.SurveyItemsOnPlot != 0 || !SurveyTableThere(a)) return {};
  const int row = SurveyRowOfParcel(a, lot, static_cast<int>(a.ParcelLabelFilter));
  if (row < 0) return {};
  std::vector<std::string> items;
  for (int c = 0; c <= kLastItemColumn; ++c) {
    if (c == area::kSurveyColumnLotNumber || a.SurveyTable(kOutputScene)(c) != "*") continue;
    const std::string cell = RtTrim(a.SurveyTable(row)(c));
    items.push_back(cell.empty() ? std::string() : cad::SurveyItemText(c, cell));
  }
  return items;
}

double CharacterCount(const std::string& text) { return double(cad::CharactersOf(text).size()); }

}  // namespace

namespace dxf {

void WriteTriangleNumber(Sink& out, const std::string& label, double x, double y, double size) {
  const std::string number = label.substr(1);
  const double length = double(number.size());
  const double height = double(1.1f) * size;
  const std::string shown = RtToFullWidth(number);
  TextRecord t;
  t.layer = "三斜番号";
  t.x = x - length * size * double(0.6f) * double(1.1f) / 2;
  t.y = y - height / 2;
  t.height = height;
  t.widthFactor = "0.6";
  t.text = shown;
  WriteText(out, t);
  WriteCircle(out, "三斜番号", "CONTINUOUS", x, y, std::nullopt, double(0.7f) * size);
}

void WriteParcelLabel(Sink& out, const std::string& label, const std::vector<std::string>& items,
                      double x, double y, double size) {
  const double height = double(1.4f) * size;
  const auto text = [&](std::string_view layer, const std::string& shown, double count, double at) {
    TextRecord t;
    t.layer = layer;
    t.x = x - count * size * double(0.7f) / 2;
    t.y = at;
    t.height = height;
    t.widthFactor = "0.7";
    t.text = shown;
    WriteText(out, t);
  };
  text("地番", RtToFullWidth(label), CharacterCount(label), y - size / 2);
  double offset = 0;
  for (const std::string& item : items) {
    offset += double(1.2f) * size;
    if (item.empty()) continue;
    const std::string shown = RtToFullWidth(item);
    text("地番外", shown, CharacterCount(shown), y - size / 2 - offset);
  }
}

}  // namespace dxf

void WriteLabelsToDxf(App& app) {
  area::State& a = app.area;
  const dxf::DrawingFrame frame = dxf::FrameOf(app);
  const double size = app.dxf.TextSize;
  dxf::Sink out;
  for (int i = 0; i < a.LabelCount && a.LabelText.Contains(i); ++i) {
    const std::string& label = a.LabelText(i);
    const dxf::PaperPoint at = dxf::GroundToPaper(frame, a.LabelX(i), a.LabelY(i), 0);
    app.points.WorkPointX = at.x;
    app.points.WorkPointY = at.y;
    a.LabelItemOffset = 0;
    if (label.starts_with('^')) {
      dxf::WriteTriangleNumber(out, label, at.x, at.y, size);
      continue;
    }
    const std::vector<std::string> items = SurveyItemsOf(a, label);
    dxf::WriteParcelLabel(out, label, items, at.x, at.y, size);
    a.LabelItemOffset = double(1.2f) * size * double(items.size());
  }
  out.WriteToDrawing();
}
