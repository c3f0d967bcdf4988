// Plot runs into a drawing of a small job, read back by python3-ezdxf: points,
// marks and texts at the places the mapping coded here gives (rotations 0, 90
// and 30, vertical ratio 0.2), free and deleted numbers passed over, the flags
// of the plotted points, the labels with the land survey table's filters, the
// work result with its questions, and choices 1 and 2 with their answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "area/area_menu.h"
#include "cad/cad_menu.h"
#include "core/app.h"
#include "core/routines.h"
#include "dxf/dxf_menu.h"
#include "dxf/plot_records.h"
#include "dxf/plot_run.h"
#include "dxf/plot_settings.h"
#include "dxf/records.h"
#include "points/point_question.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "support/dxf_entities.h"
#include "support/u8.h"

namespace {

using plot_records::Parse;
using plot_records::Record;

constexpr double kScale = 500, kOriginX = 1000, kOriginY = 2000;

struct Paper {
  double x, y;
};

// Ground to paper as the format states it, coded apart from the program.
Paper Mapped(double X, double Y, double rotationDegrees, double ratio) {
  const double x = (Y - kOriginY) / kScale * 1000;
  const double y = (X - kOriginX) / kScale * 1000 / ratio;
  const double t = rotationDegrees * M_PI / 180;
  return {x * std::cos(t) - y * std::sin(t), x * std::sin(t) + y * std::cos(t)};
}

class DxfPlotTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    cad::Lines& l = app.lines;
    l.PaperWidth = 0.5;
    l.PaperHeight = 0.25;
    l.ScaleDenominator = kScale;
    app.view.PlotOriginX = kOriginX;
    app.view.PlotOriginY = kOriginY;
    app.view.VerticalRatio = 1;
    app.output.ResultsPlaced = 1;
    app.dxf.UseRegisteredLines = 0;
    app.dxf.DrawingPath = data_ / "PLAN.DXF";
    SetPoint(1, 1050, 2040, "A1", 12.3456, "93CODE");
    SetPoint(2, 1020, 2010, "測点2", 0, "9");
    // 3 is free; 4 was deleted.
    SetPoint(4, 1030, 2030, "GONE", 5, "NULL");
    SetPoint(5, 1070, 2060, "N25-15", -3.2, "95TREE");
    Select({1, 2, 3, 4, 5});
    CreateDxfFile(app);
  }

  void Select(const std::vector<int>& numbers) {
    points::Store& p = app.points;
    for (size_t k = 0; k < numbers.size(); ++k) p.SelectionList(k) = static_cast<int16_t>(numbers[k]);
    p.SelectionLast = double(numbers.size()) - 1;
  }
  // The plan settings of the default plot without grid and lines.
  void PlanSettings() {
    dxf::State& d = app.dxf;
    d.TextSize = 2;
    d.ElevationDecimals = 2;
    d.NameTextStart = 1;
    d.ShowCodes = 1;
    d.ShowPointEntity = 1;
    d.MarkAnswer = "10";
    d.GeneralMark = "＋";
    d.MarkSize = 1;
    d.Output3D = 1;
    app.lines.GridInterval = 0;
  }
  dxf_entities::Drawing Finished() {
    FinishDxfFile(app);
    const dxf_entities::Drawing d = dxf_entities::Read(app.dxf.DrawingPath);
    EXPECT_EQ(d.readErrors, 0) << d.all;
    EXPECT_EQ(d.auditErrors, 0) << d.all;
    return d;
  }
  // The drawing as it stands (file 6 closed first).
  std::string Drawing() {
    RtClose(dxf::kDrawingFile);
    return ReadHostFile(app.dxf.DrawingPath);
  }
  std::vector<Record> Entities() { return Parse(Drawing()); }
};

TEST_F(DxfPlotTest, PointsMarksAndTextsAtTheMappedPlaces) {
  struct Case {
    double rotation;  // dd.mmss
    double degrees;
    double ratio;
  };
  for (const Case& c : std::vector<Case>{{0, 0, 1}, {90, 90, 1}, {30, 30, 1}, {30.3, 30.5, 0.2}}) {
    CreateDxfFile(app);
    PlanSettings();
    app.lines.DrawingRotation = c.rotation;
    app.view.VerticalRatio = c.ratio;
    PlotDrawingToDxf(app);
    const dxf_entities::Drawing d = Finished();
    const std::vector<dxf_entities::Entity> points = d.On(U8(u8"ポイント"), "POINT");
    const std::vector<dxf_entities::Entity> names = d.On(U8(u8"点名"), "TEXT");
    ASSERT_EQ(points.size(), 3u) << d.all;
    ASSERT_EQ(names.size(), 3u) << d.all;
    const int numbers[] = {1, 2, 5};
    const char8_t* shown[] = {u8"Ａ１", u8"測点２", u8"Ｎ２５－１５"};
    for (int k = 0; k < 3; ++k) {
      const points::Store& p = app.points;
      const int n = numbers[k];
      const Paper at = Mapped(p.PointX(n), p.PointY(n), c.degrees, c.ratio);
      EXPECT_NEAR(points[k].numbers[0], at.x, 2e-6) << c.rotation << " point " << n;
      EXPECT_NEAR(points[k].numbers[1], at.y, 2e-6) << c.rotation << " point " << n;
      EXPECT_NEAR(points[k].numbers[2], p.PointZ(n) / kScale * 1000, 2e-6);
      // The texts stay upright to the right of the point: name 0.8 T right, T/2 down.
      EXPECT_NEAR(names[k].numbers[0], at.x + 1.6, 2e-6) << c.rotation;
      EXPECT_NEAR(names[k].numbers[1], at.y - 1, 2e-6) << c.rotation;
      EXPECT_EQ(names[k].text, U8(shown[k]));
    }
  }
}

TEST_F(DxfPlotTest, EachPointsMarkElevationAndCode) {
  PlanSettings();
  app.lines.NameOmitSeparator = "-";
  PlotDrawingToDxf(app);
  const dxf_entities::Drawing d = Finished();
  const std::string mark = U8(u8"マ-ク");
  // 1: □＋ (two outlines); 2: no mark digit, the general ＋; 5: ○・ (two circles).
  EXPECT_EQ(d.On(mark, "POLYLINE").size(), 3u) << d.all;
  EXPECT_EQ(d.On(mark, "CIRCLE").size(), 2u) << d.all;
  std::vector<std::string> texts;
  for (const auto& e : d.entities) {
    if (e.kind == "TEXT" && e.layer != U8(u8"タイトル")) texts.push_back(e.layer + " " + e.text);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{U8(u8"点名 Ａ１"), U8(u8"標高 12.35"), U8(u8"コ-ド CODE"),
                                             U8(u8"点名 測点２"), U8(u8"コ-ド "),
                                             U8(u8"点名 １５"), U8(u8"標高 -3.20"), U8(u8"コ-ド TREE")}))
      << d.all;
  EXPECT_EQ(app.dxf.MarkString, "○・");  // the last plotted point's
}

TEST_F(DxfPlotTest, FlagsOfTheLatestRunAndAnEmptySelection) {
  PlanSettings();
  PlotDrawingToDxf(app);
  const std::vector<char>& flags = app.dxf.PlottedPointFlag;
  ASSERT_EQ(flags.size(), size_t(app.points.PointCapacity) + 1);
  for (int n = 0; n <= 6; ++n) EXPECT_EQ(flags[n] == 1, n == 1 || n == 2 || n == 5) << n;
  Select({2});
  PlotDrawingToDxf(app);
  for (int n = 0; n <= 6; ++n) EXPECT_EQ(flags[n] == 1, n == 2) << n;

  // An empty selection plots nothing, whatever entry 0 holds.
  CreateDxfFile(app);
  app.points.SelectionLast = -1;
  app.points.SelectionList(0) = 1;
  app.dxf.DxfPlotted = 0;
  PlotDrawingToDxf(app);
  EXPECT_EQ(app.dxf.DxfPlotted, 1);
  EXPECT_TRUE(Entities().empty());
  EXPECT_EQ(std::count(flags.begin(), flags.end(), 1), 0);
}

TEST_F(DxfPlotTest, AScaleOrVerticalRatioOfZeroIsSaidBeforeAnythingIsWritten) {
  PlanSettings();
  const std::string head = Drawing();
  for (const auto& [scale, ratio] : std::vector<std::pair<double, double>>{{0, 1}, {500, 0}}) {
    app.lines.ScaleDenominator = scale;
    app.view.VerticalRatio = ratio;
    ForgetTranscript();
    PlotDrawingToDxf(app);
    EXPECT_EQ(app.dxf.DxfPlotted, 0);
    EXPECT_EQ(Drawing(), head);
    EXPECT_EQ(CountContaining(U8(u8"縮尺または縦倍率が 0")), 1);
  }
}

class DxfLabelsTest : public DxfPlotTest {
 protected:
  void SetUp() override {
    DxfPlotTest::SetUp();
    PlanSettings();
    Select({});
    area::State& a = app.area;
    area::DimensionAreaTables(a);
    const struct {
      const char* text;
      double x, y;
    } labels[] = {{"^7", 1050, 2040}, {"^1234", 1060, 2020}, {"12-3", 1040, 2050}};
    for (int i = 0; i < 3; ++i) {
      a.LabelText(i) = labels[i].text;
      a.LabelX(i) = labels[i].x;
      a.LabelY(i) = labels[i].y;
    }
    a.LabelCount = 3;
    // The output scene marks columns 5, 6, 7 and 8 (and 4, never repeated).
    for (const int c : {4, 5, 6, 7, 8}) a.SurveyTable(1)(c) = "*";
    // The heading row would match the parcel number: it is no data row.
    a.SurveyTable(3)(4) = "12-3";
    a.SurveyTable(3)(9) = "元地";
    a.SurveyTable(3)(5) = "HEAD";
    struct Row {
      const char* flag;
      const char* use;
      const char* kind;
    } rows[] = {{"", " 元地 ", "宅地"}, {"", "残地", "山林"}, {"*", "用地", "原野"}};
    for (int r = 0; r < 3; ++r) {
      RtTable<std::string>& row = a.SurveyTable(4 + r);
      row(0) = rows[r].flag;
      row(4) = "12-3";
      row(9) = rows[r].use;
      row(5) = rows[r].kind;
      row(6) = "";
      row(7) = " 120 ";
      row(8) = "99.5";
    }
    // A row past those read is no row.
    a.SurveyTable(7)(4) = "12-3";
    a.SurveyTable(7)(9) = "用地";
    a.SurveyTable(7)(5) = "STALE";
    a.SurveyTableRowCount = 7;
  }
};

TEST_F(DxfLabelsTest, TheFiltersChooseTheRowOfTheItems) {
  struct Case {
    double filter;
    const char8_t* kind;  // the 公簿地目 line; empty: no item lines
  };
  for (const Case& c : std::vector<Case>{{0, u8""},
                                         {1, u8"（宅地）"},
                                         {2, u8"（原野）"},
                                         {3, u8"（宅地）"},
                                         {4, u8"（原野）"},
                                         {5, u8"（山林）"},
                                         {6, u8""}}) {
    CreateDxfFile(app);
    app.area.ParcelLabelFilter = c.filter;
    PlotDrawingToDxf(app);
    const std::vector<Record> r = Entities();
    std::vector<Record> items;
    for (const Record& e : r) {
      if (e.Text("8") == "地番外") items.push_back(e);
    }
    const std::string kind = U8(c.kind);
    if (kind.empty()) {
      EXPECT_TRUE(items.empty()) << c.filter;
      continue;
    }
    ASSERT_EQ(items.size(), 3u) << c.filter;  // column 6 is empty: its line stays blank
    const Paper at = Mapped(1040, 2050, 0, 1);
    EXPECT_EQ(rt::Cp932ToUtf8(items[0].Text("1")), kind) << c.filter;
    EXPECT_NEAR(items[0].Number("20"), at.y - 1 - 2.4, 1e-6);
    EXPECT_EQ(rt::Cp932ToUtf8(items[1].Text("1")), U8(u8"（１２０㎡）"));
    EXPECT_NEAR(items[1].Number("20"), at.y - 1 - 3 * 2.4, 1e-6);
    EXPECT_EQ(rt::Cp932ToUtf8(items[2].Text("1")), U8(u8"９９．５㎡"));
    EXPECT_NEAR(items[2].Number("20"), at.y - 1 - 4 * 2.4, 1e-6);
  }
  // Items switched off for plots.
  CreateDxfFile(app);
  app.area.ParcelLabelFilter = 1;
  app.area.SurveyItemsOnPlot = -9;
  PlotDrawingToDxf(app);
  size_t count = 0;
  for (const Record& e : Entities()) count += e.Text("8") == "地番外";
  EXPECT_EQ(count, 0u);
}

TEST_F(DxfLabelsTest, LabelsAtTheirPlacesNoneInAnAddedPlotAndTheSectionsSize) {
  app.area.ParcelLabelFilter = 0;
  app.lines.DrawingRotation = 90;
  PlotDrawingToDxf(app);
  const dxf_entities::Drawing d = Finished();
  const std::vector<dxf_entities::Entity> triangles = d.On(U8(u8"三斜番号"), "TEXT");
  const std::vector<dxf_entities::Entity> circles = d.On(U8(u8"三斜番号"), "CIRCLE");
  const std::vector<dxf_entities::Entity> parcels = d.On(U8(u8"地番"), "TEXT");
  ASSERT_EQ(triangles.size(), 2u) << d.all;
  ASSERT_EQ(circles.size(), 2u);
  ASSERT_EQ(parcels.size(), 1u);
  const Paper seven = Mapped(1050, 2040, 90, 1);
  EXPECT_NEAR(triangles[0].numbers[0], seven.x - 0.66, 1e-6);
  EXPECT_NEAR(triangles[0].numbers[1], seven.y - 1.1, 1e-6);
  EXPECT_EQ(triangles[1].text, U8(u8"１２３４"));
  EXPECT_NEAR(circles[0].numbers[0], seven.x, 1e-6);
  EXPECT_NEAR(circles[0].numbers[3], 1.4, 1e-6);
  const Paper lot = Mapped(1040, 2050, 90, 1);
  EXPECT_NEAR(parcels[0].numbers[0], lot.x - 4 * 2 * 0.7 / 2, 1e-6);
  EXPECT_NEAR(parcels[0].numbers[3], 2.8, 1e-6);

  // An added plot writes no labels.
  CreateDxfFile(app);
  app.lines.AdditionalPlotMode = 1;
  PlotDrawingToDxf(app);
  EXPECT_TRUE(Entities().empty());

  // In profile mode the section's value-text size is the labels' T.
  CreateDxfFile(app);
  app.lines.AdditionalPlotMode = 0;
  app.profile.ProfileMode = 1;
  app.profile.ProfileValueTextSize = 2.4;
  PlotDrawingToDxf(app);
  EXPECT_EQ(app.dxf.TextSize, 2.4);
  std::vector<Record> r = Entities();
  ASSERT_FALSE(r.empty());
  EXPECT_NEAR(r[0].Number("40"), double(1.1f) * 2.4, 1e-6);
}

TEST_F(DxfPlotTest, TheWorkResultIsAskedAndWrittenOnce) {
  PlanSettings();
  Select({});
  RtPrintToFile(5, "A\r\n_\r\nB\r\n", false);
  RtClose(5);
  app.output.ResultsPlaced = 0;
  // A size of 0 is asked again; then 2.6, and the full-width form.
  Answers("0\n2.6\n1\n");
  PlotDrawingToDxf(app);
  EXPECT_EQ(app.output.ResultsPlaced, 1);
  EXPECT_EQ(app.dxf.TextSize, 2.6);
  EXPECT_EQ(CountContaining(U8(u8"作業結果文字サイズ")), 1);
  EXPECT_EQ(CountContaining(U8(u8"0 より大きい値")), 1);
  std::vector<Record> r = Entities();
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].Text("1"), "Ａ");
  EXPECT_EQ(r[1].Text("1"), "");
  EXPECT_EQ(r[2].Number("10"), 600);
  EXPECT_NEAR(r[2].Number("20"), 250 - 2 * 2.6 * 1.2, 1e-5);
  // The next run asks nothing and writes no result.
  ForgetTranscript();
  PlotDrawingToDxf(app);
  EXPECT_EQ(CountContaining(U8(u8"作業結果文字サイズ")), 0);
  EXPECT_EQ(Entities().size(), 3u);
}

// ---- Choices 1 and 2 ----

// The answers of choice 1 after "登録結線[0,1]": text size 2, elevations with 2
// decimals, names, codes, point records, the mark ◎ of size 2, no grid, 3-D
// off, then `confirm`.
std::string ChoiceOneAnswers(const std::string& confirm) {
  return U8(u8"0\n2\n2\n1\n1\n1\n◎\n2\n0\n0\n") + confirm + "\n";
}

TEST_F(DxfPlotTest, ChoiceOneMakesTheDrawingAnewOnlyOnceConfirmed) {
  app.output.ResultsPlaced = 1;
  app.dxf.UseRegisteredLines = 1;
  PlanSettings();
  PlotDrawingToDxf(app);  // an earlier plot
  const std::string earlier = Drawing();
  const size_t earlierRecords = Entities().size();
  ASSERT_GT(earlierRecords, 0u);

  // "N": the CAD menu, the earlier plot kept and the drawing readable.
  Answers(ChoiceOneAnswers("n"));
  EXPECT_EQ(SetUpDxfDrawing(app).next, EntryOf(Routines().CadMenu));
  EXPECT_EQ(Drawing(), earlier + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n");

  // Confirmed: the drawing holds this plot only.
  app.dxf.UseRegisteredLines = 1;
  Answers(ChoiceOneAnswers(""));
  EXPECT_EQ(SetUpDxfDrawing(app).next, Entry{ReturnToDxfMenu});
  EXPECT_EQ(app.dxf.UseRegisteredLines, 0);
  EXPECT_EQ(app.dxf.GridIntervalAsked, 1);
  EXPECT_EQ(app.lines.GridInterval, 0);
  const std::vector<Record> r = Entities();
  size_t points = 0, circles = 0, heights = 0;
  for (const Record& e : r) {
    points += e.kind == "POINT";
    if (e.kind == "CIRCLE") {
      ++circles;
      EXPECT_TRUE(std::fabs(e.Number("40") - 1) < 1e-9 || std::fabs(e.Number("40") - 0.6) < 1e-9);
    }
    heights += e.Has("30");
    if (e.kind == "TEXT") {
      EXPECT_EQ(e.Number("40"), 2);
    }
  }
  EXPECT_EQ(points, 3u);
  EXPECT_EQ(circles, 6u);  // ◎ for every point, registered marks not used
  EXPECT_EQ(heights, 0u);
  EXPECT_EQ(app.dxf.MarkAnswer, "◎");
}

TEST_F(DxfPlotTest, AnswersThatMakeNoDrawingAreAskedAgain) {
  app.dxf.UseRegisteredLines = 0;
  // Text size 0 and -1, decimals 1.5, name start 0.5, mark size 0, grid -5.
  Answers(U8(u8"0\n-1\n2\n1.5\n2\n0.5\n1\n\n\n\n0\n1.5\n-5\n\n\n\n"));
  EXPECT_EQ(SetUpDxfDrawing(app).next, Entry{ReturnToDxfMenu});
  const dxf::State& d = app.dxf;
  EXPECT_EQ(d.TextSize, 2);
  EXPECT_EQ(d.ElevationDecimals, 2);
  EXPECT_EQ(d.NameTextStart, 1);
  EXPECT_EQ(d.MarkSize, 1.5);
  EXPECT_EQ(d.GeneralMark, "＋");
  EXPECT_EQ(d.GridIntervalAsked, 0);  // Enter at the grid: asked again next time
  EXPECT_EQ(CountContaining(U8(u8"0 より大きい値")), 3);
  EXPECT_EQ(CountContaining(U8(u8"0 以上の整数")), 1);
  EXPECT_EQ(CountContaining(U8(u8"0 または 1 以上")), 1);
  EXPECT_EQ(CountContaining(U8(u8"0 以上の値")), 1);
}

TEST_F(DxfPlotTest, ChoiceTwoPlotsTheDefaultsFirstThenTheAddedPointsWithoutLabels) {
  app.lines.ScaleDenominator = kScale;
  area::DimensionAreaTables(app.area);
  app.area.LabelText(0) = "^7";
  app.area.LabelX(0) = 1050;
  app.area.LabelY(0) = 2040;
  app.area.LabelCount = 1;
  // The selection: point 5; then the settings with a mark ○, no grid.
  Answers(U8(u8"5\n\n1.8\n0\n1\n0\n0\n○\n\n0\n\n\n"));
  app.dxf.DxfPlotted = 0;
  EXPECT_EQ(AddPlotToDxf(app).next, Entry{ReturnToDxfMenu});
  EXPECT_EQ(app.lines.AdditionalPlotMode, 1);
  EXPECT_EQ(app.dxf.UseRegisteredLines, 0);
  const std::vector<Record> r = Entities();
  size_t triangles = 0, names = 0;
  std::vector<std::string> lastNames;
  for (const Record& e : r) {
    triangles += e.Text("8") == "三斜番号" && e.kind == "TEXT";
    if (e.Text("8") == "点名") lastNames.push_back(e.Text("1"));
  }
  names = lastNames.size();
  EXPECT_EQ(triangles, 1u);  // from the default plot only
  ASSERT_EQ(names, 4u);      // three by the default plot, one added
  EXPECT_EQ(lastNames.back(), "Ｎ２５－１５");
  EXPECT_EQ(app.dxf.PlottedPointFlag[5], 1);
  EXPECT_EQ(app.dxf.PlottedPointFlag[1], 0);
}

}  // namespace
