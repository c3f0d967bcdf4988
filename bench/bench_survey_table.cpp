// The land survey table at its capacity: "K.csv" of 2001 rows read (with the
// area rule), sorted and written; and 2001 parcel labels drawn with the survey
// items of the screen scene under each.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "area/area_menu.h"
#include "area/labels.h"
#include "area/survey_table.h"
#include "core/app.h"
#include "full_job.h"
#include "runtime/files.h"
#include "runtime/windows.h"
#include "ui/transform.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;
constexpr int kRows = 2001;

std::vector<area::SurveyRow> FullTable() {
  std::vector<area::SurveyRow> rows;
  area::SurveyRow scene(17);
  scene[0] = "ｸﾞﾗﾌｨｯｸ";
  scene[4] = scene[5] = scene[8] = scene[11] = "*";
  rows.push_back(scene);
  rows.push_back(area::SurveyRow(17, ""));
  rows.push_back(area::SurveyRow(17, ""));
  rows.push_back(area::SurveyRow(17, "項目"));
  for (int k = 0; rows.size() < kRows; ++k) {
    area::SurveyRow row(17);
    row[0] = "*";
    row[1] = "町";
    row[4] = std::to_string(2000 - k) + "-" + std::to_string(k % 13);
    row[5] = k % 2 ? "宅地" : "畑";
    row[7] = std::to_string(100 + k) + ".5";
    row[8] = std::to_string(90 + k) + ".25";
    row[9] = "元地";
    row[11] = "所有者" + std::to_string(k);
    row[16] = "aa" + std::to_string(k + 1);
    rows.push_back(row);
  }
  return rows;
}

struct SurveyJob {
  SurveyJob() {
    char name[] = "/tmp/bench_survey_table.XXXXXX";
    folder = mkdtemp(name);
    app.shell.DataFolder = folder + "/";
    RtMaximizeWindow(kView);
    MeasureViewSize(app);
    FillJob(app);
    ZoomAll(app);
    area::State& a = app.area;
    area::DimensionAreaTables(a);
    const std::vector<area::SurveyRow> rows = FullTable();
    RtOpen(3, area::SurveyTablePath(app), RtFileMode::Output);
    for (const area::SurveyRow& row : rows) RtPrintToFile(3, area::SurveyFileLine(row));
    RtClose(3);
  }
  ~SurveyJob() { std::filesystem::remove_all(folder); }
  App app;
  std::string folder;
};

// The read of ReadSurveyTable (without its parcel walk and menus), the sort and
// the write.
void BM_SurveyTableReadSortWrite(benchmark::State& state) {
  SurveyJob job;
  for (auto _ : state) {
    std::vector<std::string> fields;
    RtOpen(3, area::SurveyTablePath(job.app), RtFileMode::Input);
    std::string field;
    while (!RtEof(3)) {
      RtInputVars(3, field);
      fields.push_back(field);
    }
    RtClose(3);
    area::SurveyRows read = area::SurveyRowsOf(fields);
    for (size_t r = 4; r < read.rows.size(); ++r) area::ApplyAreaRule(read.rows[r]);
    SetSurveyTableRows(job.app, read.rows);
    std::vector<area::SurveyRow> rows = SurveyTableRows(job.app);
    area::SortSurveyRows(rows);
    SetSurveyTableRows(job.app, rows);
    RtOpen(3, area::SurveyTablePath(job.app), RtFileMode::Output);
    for (const area::SurveyRow& row : SurveyTableRows(job.app)) RtPrintToFile(3, area::SurveyFileLine(row));
    RtClose(3);
  }
  state.counters["rows"] = job.app.area.SurveyTableRowCount;
}
BENCHMARK(BM_SurveyTableReadSortWrite)->Unit(benchmark::kMillisecond);

void BM_DrawLabelsWithSurveyItems(benchmark::State& state) {
  SurveyJob job;
  area::State& a = job.app.area;
  SetSurveyTableRows(job.app, FullTable());
  a.LabelCount = kRows;
  for (int i = 0; i < kRows; ++i) {
    const int n = i % core::kPointCapacity + 1;
    a.LabelX(i) = job.app.points.PointX(n);
    a.LabelY(i) = job.app.points.PointY(n);
    a.LabelText(i) = a.SurveyTable(i < 4 ? 4 : i)(4);
  }
  a.ParcelLabelFilter = 1;
  a.SurveyItemsOnScreen = 0;
  for (auto _ : state) DrawParcelLabels(job.app);
}
BENCHMARK(BM_DrawLabelsWithSurveyItems)->Unit(benchmark::kMillisecond);

}  // namespace
