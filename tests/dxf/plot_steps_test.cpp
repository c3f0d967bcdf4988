// The steps of a plot run as pure functions: the point texts and their places,
// the choice of a point's mark, the mark shapes by their geometry, the triangle
// numbers and parcel labels, the work-result column, the mark answers and the
// checks that ask an answer again. Expected numbers come from the format's
// worked examples and from geometry coded here, not from the code's tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "dxf/labels.h"
#include "dxf/mark_shapes.h"
#include "dxf/plot_run.h"
#include "dxf/plot_settings.h"
#include "dxf/point_texts.h"
#include "dxf/work_result.h"
#include "dxf/plot_records.h"

namespace {

using plot_records::Parse;
using plot_records::Record;

constexpr double kTolerance = 1e-6;

TEST(DxfPointTexts, ElevationsNamesAndCodes) {
  struct Elevation {
    double z, decimals;
    const char* text;
  };
  for (const Elevation& c : std::vector<Elevation>{{12.3456, 2, "12.35"},
                                                   {12.3456, 3, "12.346"},
                                                   {9.9996, 3, "10.000"},
                                                   {-3.2, 2, "-3.20"},
                                                   {-0.04, 1, "-0.0"},
                                                   {7, 3, "7.000"},
                                                   {0, 2, ""}}) {
    EXPECT_EQ(dxf::ElevationTextOf(c.z, c.decimals), c.text) << c.z << " " << c.decimals;
  }
  struct Code {
    const char* attribute;
    const char* code;
  };
  for (const Code& c : std::vector<Code>{
           {"9A12", "A12"}, {"95TREE", "TREE"}, {"95", ""}, {"90X", "X"}, {"9", ""}, {"", ""}}) {
    EXPECT_EQ(dxf::CodeTextOf(c.attribute), c.code) << c.attribute;
  }
  EXPECT_EQ(dxf::CodeTextOf("91" + std::string(120, 'C')).size(), 99u);
  struct Name {
    const char* name;
    const char* separator;
    double start;
    const char* text;
  };
  for (const Name& c : std::vector<Name>{{" 12", "", 1, "　１２"},
                                         {" 12", "", 2, "１２"},
                                         {"N25-15", "-", 1, "１５"},
                                         {"P7", "-", 1, "Ｐ７"},
                                         {"N25-", "-", 1, ""},
                                         {"ｶﾞｹ1", "", 1, "ガケ１"},
                                         // A start inside a double-byte character
                                         // begins at the next character.
                                         {"測点1", "", 2, "点１"},
                                         {"測点1", "", 3, "点１"},
                                         {"測点1", "", 4, "１"},
                                         {"測点1", "", 6, ""},
                                         {"A", "", 1e30, ""}}) {
    EXPECT_EQ(dxf::NameTextOf(c.name, c.separator, c.start), c.text) << c.name << " " << c.start;
  }
}

TEST(DxfPointTexts, TheColumnBesideThePoint) {
  dxf::Sink out;
  dxf::PointTexts texts{.name = true, .elevation = true, .code = true,
                        .nameText = "Ａ１", .elevationText = "12.35", .codeText = "TREE"};
  dxf::WritePointTexts(out, texts, 100, 50, 7.5, 2);
  const std::vector<Record> r = Parse(out.Text());
  ASSERT_EQ(r.size(), 3u) << out.Text();
  struct Expected {
    const char* layer;
    double x, y;
    const char* width;
    const char* text;
  } expected[] = {{"点名", 101.6, 49, "0.7", "Ａ１"},
                  {"標高", 101.6, 47, "0.5", "12.35"},
                  {"コ-ド", 101.6, 51, "0.5", "TREE"}};
  for (size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(r[k].kind, "TEXT");
    EXPECT_EQ(r[k].Text("8"), expected[k].layer);
    EXPECT_NEAR(r[k].Number("10"), expected[k].x, kTolerance);
    EXPECT_NEAR(r[k].Number("20"), expected[k].y, kTolerance);
    EXPECT_EQ(r[k].Number("30"), 7.5);
    EXPECT_EQ(r[k].Number("40"), 2);
    EXPECT_EQ(r[k].Text("41"), expected[k].width);
    EXPECT_EQ(r[k].Text("1"), expected[k].text);
    EXPECT_EQ(r[k].Text("7"), "KANJI");
    EXPECT_FALSE(r[k].Has("50"));
  }
  // Without height and without elevation the code keeps its place.
  dxf::Sink flat;
  texts.elevation = false;
  dxf::WritePointTexts(flat, texts, 100, 50, std::nullopt, 2);
  const std::vector<Record> f = Parse(flat.Text());
  ASSERT_EQ(f.size(), 2u);
  EXPECT_FALSE(f[0].Has("30"));
  EXPECT_NEAR(f[1].Number("20"), 51, kTolerance);
}

TEST(DxfPlotRun, APointsMarkText) {
  struct Case {
    const char* answer;
    const char* general;
    const char* attribute;
    const char* mark;
  };
  for (const Case& c : std::vector<Case>{{"10", "＋", "93", "□＋"},
                                         {"10", "＋", "91", "・"},
                                         {"10", "＋", "97", "×"},
                                         {"10", "", "96", "§"},
                                         {"10", "＋", "90", "＋"},
                                         {"10", "＋", "9", "＋"},
                                         {"10", "＋", "9A", "＋"},
                                         {"10", "", "9A", ""},
                                         {"0", "◎", "93", "◎"},
                                         {"", "＋", "95", "＋"},
                                         {"10 ", "＋", "95", "＋"}}) {
    EXPECT_EQ(dxf::MarkTextOf(c.answer, c.general, c.attribute), c.mark)
        << c.answer << " " << c.attribute;
  }
}

TEST(DxfPlotSettings, TheMarkAnswers) {
  struct Case {
    const char* answer;  // Answer as the input routine leaves it
    double value;
    const char* copy;  // AnswerCopy: as typed, or the word clicked
    const char* markAnswer;
    const char* general;
  };
  for (const Case& c : std::vector<Case>{
           {"", 0, "", "", "＋"},                // Enter
           {"10", 10, "10", "10", "＋"},         // 10 typed
           {"10", 10, "10:登録", "10", "＋"},    // a click on 10:登録
           {"0", 0, "0:ﾅｼ", "0", ""},            // a click on 0:ﾅｼ
           {"0:ﾅｼ", 0, "0:ﾅｼ", "0:ﾅｼ", ""},      // 0:ﾅｼ typed
           {"0", 0, "◎", "0", "◎"},              // a click on ◎
           {"◎", 0, "◎", "◎", "◎"},              // ◎ typed
           {"0", 0, "0", "0", "0"},              // 0 typed
           {"5", 5, "5", "5", "＋"}}) {          // 5 typed
    const dxf::MarkSettings m = dxf::MarkSettingsOf(c.answer, c.value, c.copy);
    EXPECT_EQ(m.markAnswer, c.markAnswer) << c.copy;
    EXPECT_EQ(m.generalMark, c.general) << c.copy;
  }
}

TEST(DxfPlotSettings, AnswersThatMakeNoDrawingAreRefused) {
  using dxf::SettingCheck;
  struct Case {
    SettingCheck check;
    double value;
    bool usable;
  };
  for (const Case& c : std::vector<Case>{{SettingCheck::kPositive, 1.8, true},
                                         {SettingCheck::kPositive, 5, true},
                                         {SettingCheck::kPositive, 0, false},
                                         {SettingCheck::kPositive, -1, false},
                                         {SettingCheck::kDecimals, 0, true},
                                         {SettingCheck::kDecimals, 4, true},
                                         {SettingCheck::kDecimals, -1, false},
                                         {SettingCheck::kDecimals, 1.5, false},
                                         {SettingCheck::kNameStart, 0, true},
                                         {SettingCheck::kNameStart, 1, true},
                                         {SettingCheck::kNameStart, 3, true},
                                         {SettingCheck::kNameStart, 0.4, false},
                                         {SettingCheck::kNameStart, 0.5, false},
                                         {SettingCheck::kNameStart, -2, false},
                                         {SettingCheck::kNotNegative, 0, true},
                                         {SettingCheck::kNotNegative, -5, false},
                                         {SettingCheck::kAny, -7.5, true}}) {
    EXPECT_EQ(dxf::SettingCheckMessage(c.check, c.value).empty(), c.usable)
        << static_cast<int>(c.check) << " " << c.value;
  }
}

// ---- Mark shapes: their geometry about the point (10, 20), mark size 1.5 ----

constexpr double kX = 10, kY = 20, kSize = 1.5;

std::vector<Record> Marks(const std::string& mark, dxf::Height z = std::nullopt) {
  dxf::Sink out;
  dxf::WriteMarkShapes(out, mark, kX, kY, z, kSize);
  return Parse(out.Text());
}

std::vector<double> Radii(const std::vector<Record>& records) {
  std::vector<double> radii;
  for (const Record& r : records) {
    EXPECT_EQ(r.kind, "CIRCLE");
    EXPECT_EQ(r.Text("8"), "マ-ク");
    EXPECT_NEAR(r.Number("10"), kX, kTolerance);
    EXPECT_NEAR(r.Number("20"), kY, kTolerance);
    radii.push_back(r.Number("40"));
  }
  return radii;
}

void ExpectRadii(const std::vector<double>& got, const std::vector<double>& want, const char* mark) {
  ASSERT_EQ(got.size(), want.size()) << mark;
  for (size_t k = 0; k < want.size(); ++k) EXPECT_NEAR(got[k], want[k], kTolerance) << mark << " " << k;
}

TEST(DxfMarkShapes, CirclesByTheirRadii) {
  const double h = kSize / 2;
  ExpectRadii(Radii(Marks("・")), {0.05 * kSize}, "・");
  ExpectRadii(Radii(Marks("○")), {h}, "○");
  ExpectRadii(Radii(Marks("●")), {h, 0.4 * kSize, 0.3 * kSize, 0.2 * kSize, 0.1 * kSize}, "●");
  ExpectRadii(Radii(Marks("◎")), {h, 0.3 * kSize}, "◎");
  ExpectRadii(Radii(Marks("○・")), {h, 0.05 * kSize}, "○・");
}

// The vertices of an outline, relative to the point.
std::vector<std::pair<double, double>> Outline(const Record& r) {
  EXPECT_EQ(r.kind, "POLYLINE");
  EXPECT_EQ(r.Text("8"), "マ-ク");
  EXPECT_EQ(r.Text("66"), "1");
  std::vector<std::pair<double, double>> relative;
  for (const auto& [x, y] : r.vertices) relative.emplace_back(x - kX, y - kY);
  return relative;
}

TEST(DxfMarkShapes, OutlinesByTheirCornersAtHalfTheSize) {
  const double h = kSize / 2;
  struct Case {
    const char* mark;
    size_t vertices;
    bool closed;
    // The distance of a corner from the point by the shape's own measure.
    double (*measure)(double, double);
  };
  const auto square = [](double x, double y) { return std::max(std::fabs(x), std::fabs(y)); };
  const auto diamond = [](double x, double y) { return std::fabs(x) + std::fabs(y); };
  const auto round = [](double x, double y) { return std::hypot(x, y); };
  for (const Case& c : std::vector<Case>{{"□", 5, true, square},
                                         {"◇", 5, true, diamond},
                                         {"△", 4, true, round},
                                         {"▽", 4, true, round}}) {
    const std::vector<Record> r = Marks(c.mark);
    ASSERT_EQ(r.size(), 1u) << c.mark;
    const auto v = Outline(r[0]);
    ASSERT_EQ(v.size(), c.vertices) << c.mark;
    EXPECT_EQ(v.front(), v.back()) << c.mark;
    for (const auto& [x, y] : v) EXPECT_NEAR(c.measure(x, y), h, 0.0002) << c.mark;  // 4.33 for 5 sin 60
  }
  // The apex of △ is up, of ▽ down.
  EXPECT_NEAR(Outline(Marks("△")[0])[0].second, h, kTolerance);
  EXPECT_NEAR(Outline(Marks("▽")[0])[1].second, -h, kTolerance);
  // The crosses and the asterisk run through the point.
  for (const auto& [mark, count] : std::vector<std::pair<const char*, size_t>>{{"×", 5}, {"＋", 5}, {"＊", 8}}) {
    const auto v = Outline(Marks(mark)[0]);
    ASSERT_EQ(v.size(), count) << mark;
    EXPECT_NE(std::find(v.begin(), v.end(), std::make_pair(0.0, 0.0)), v.end()) << mark;
    for (const auto& [x, y] : v) EXPECT_LE(std::max(std::fabs(x), std::fabs(y)), h + kTolerance) << mark;
  }
  // □＋: two polylines, the square then the cross.
  const std::vector<Record> two = Marks("□＋");
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(Outline(two[0]).size(), 5u);
  EXPECT_EQ(Outline(two[1]).size(), 5u);
}

TEST(DxfMarkShapes, FilledShapesAreSixShrinkingTraces) {
  const double h = kSize / 2;
  for (const char* mark : {"■", "◆"}) {
    const std::vector<Record> r = Marks(mark);
    ASSERT_EQ(r.size(), 1u) << mark;
    const auto v = Outline(r[0]);
    ASSERT_EQ(v.size(), 30u) << mark;
    const double factors[] = {1, 0.8, 0.6, 0.4, 0.2, 0};
    for (int trace = 0; trace < 6; ++trace) {
      for (int k = 0; k < 5; ++k) {
        const auto [x, y] = v[5 * trace + k];
        // Each trace is the first one scaled about the point.
        EXPECT_NEAR(x, v[k].first * factors[trace], kTolerance) << mark << trace;
        EXPECT_NEAR(y, v[k].second * factors[trace], kTolerance) << mark << trace;
      }
    }
    for (int k = 0; k < 5; ++k) EXPECT_NEAR(std::max(std::fabs(v[k].first), std::fabs(v[k].second)), h, kTolerance);
  }
}

TEST(DxfMarkShapes, OtherCharactersAreTextsAndHeightsGoOnEveryRecordButSeqend) {
  const std::vector<Record> r = Marks("§ＡＢ");
  ASSERT_EQ(r.size(), 3u);
  const char* texts[] = {"§", "Ａ", "Ｂ"};
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(r[k].kind, "TEXT");
    EXPECT_EQ(r[k].Text("1"), texts[k]);
    EXPECT_NEAR(r[k].Number("10"), kX - kSize / 2, kTolerance);
    EXPECT_NEAR(r[k].Number("20"), kY - kSize / 2, kTolerance);
    EXPECT_EQ(r[k].Number("40"), kSize);
    EXPECT_EQ(r[k].Text("41"), "1");
    EXPECT_EQ(r[k].Text("7"), "KANJI");
    EXPECT_FALSE(r[k].Has("30"));
  }
  dxf::Sink out;
  dxf::WriteMarkShapes(out, "◎□§", kX, kY, 3.25, kSize);
  const std::string& text = out.Text();
  size_t heights = 0, records = 0, seqends = 0;
  for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) {
    const size_t next = text.find("\r\n", at + 2);
    const std::string line = text.substr(at + 2, next - at - 2);
    if (line == " 30") ++heights;
  }
  for (size_t at = 0; (at = text.find("  0\r\n", at)) != std::string::npos; at += 5) ++records;
  for (size_t at = 0; (at = text.find("SEQEND", at)) != std::string::npos; at += 6) ++seqends;
  // 2 circles, a polyline with 5 vertices and its SEQEND, a text.
  EXPECT_EQ(records, 10u);
  EXPECT_EQ(seqends, 1u);
  EXPECT_EQ(heights, records - seqends);
  EXPECT_EQ(text.find("SEQEND\r\n 30"), std::string::npos);
}

// ---- Labels ----

TEST(DxfLabels, TriangleNumbersWholeInTheirCircle) {
  struct Case {
    const char* label;
    double x;  // of the text at T 2 about (50, 80)
    const char* text;
  };
  for (const Case& c : std::vector<Case>{{"^7", 49.34, "７"}, {"^123", 48.02, "１２３"}, {"^1234", 47.36, "１２３４"}}) {
    dxf::Sink out;
    dxf::WriteTriangleNumber(out, c.label, 50, 80, 2);
    const std::vector<Record> r = Parse(out.Text());
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].kind, "TEXT");
    EXPECT_EQ(r[0].Text("8"), "三斜番号");
    EXPECT_NEAR(r[0].Number("10"), c.x, kTolerance) << c.label;
    EXPECT_NEAR(r[0].Number("20"), 78.9, kTolerance);
    EXPECT_NEAR(r[0].Number("40"), 2.2, kTolerance);
    EXPECT_EQ(r[0].Text("41"), "0.6");
    EXPECT_EQ(r[0].Text("1"), c.text);
    EXPECT_EQ(r[1].kind, "CIRCLE");
    EXPECT_EQ(r[1].Text("6"), "CONTINUOUS");
    EXPECT_NEAR(r[1].Number("10"), 50, kTolerance);
    EXPECT_NEAR(r[1].Number("20"), 80, kTolerance);
    EXPECT_NEAR(r[1].Number("40"), 1.4, kTolerance);
    EXPECT_FALSE(r[1].Has("30"));
  }
}

TEST(DxfLabels, AParcelNumberWithItsItemLines) {
  dxf::Sink out;
  // Columns 6, 8 and 11 marked; the middle one's forms are the caller's.
  dxf::WriteParcelLabel(out, "25-3", {"宅地", "123.45㎡", "山田"}, 50, 80, 2);
  const std::vector<Record> r = Parse(out.Text());
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].Text("8"), "地番");
  EXPECT_NEAR(r[0].Number("10"), 47.2, kTolerance);
  EXPECT_NEAR(r[0].Number("20"), 79, kTolerance);
  EXPECT_NEAR(r[0].Number("40"), 2.8, kTolerance);
  EXPECT_EQ(r[0].Text("1"), "２５－３");
  const double ys[] = {76.6, 74.2, 71.8};
  const char* texts[] = {"宅地", "１２３．４５㎡", "山田"};
  const double characters[] = {2, 7, 2};
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(r[k + 1].Text("8"), "地番外");
    EXPECT_NEAR(r[k + 1].Number("20"), ys[k], kTolerance);
    EXPECT_NEAR(r[k + 1].Number("10"), 50 - characters[k] * 2 * 0.7 / 2, kTolerance);
    EXPECT_EQ(r[k + 1].Text("1"), texts[k]);
    EXPECT_EQ(r[k + 1].Text("41"), "0.7");
  }
  // An empty item keeps its line.
  dxf::Sink gap;
  dxf::WriteParcelLabel(gap, "25-3", {"", "123.45㎡", "山田"}, 50, 80, 2);
  const std::vector<Record> g = Parse(gap.Text());
  ASSERT_EQ(g.size(), 3u);
  EXPECT_NEAR(g[1].Number("20"), 74.2, kTolerance);
  EXPECT_NEAR(g[2].Number("20"), 71.8, kTolerance);
}

// ---- The work result ----

TEST(DxfWorkResult, OneColumnFromThePapersTopEdge) {
  dxf::Sink out;
  dxf::WriteWorkResultLines(out, {"A", "_", "B"}, 0.5, 0.25, 3, false);
  const std::vector<Record> r = Parse(out.Text());
  ASSERT_EQ(r.size(), 3u);
  const double ys[] = {250, 246.4, 242.8};
  const char* texts[] = {"　A", "", "　B"};
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(r[k].Text("8"), "結果");
    EXPECT_EQ(r[k].Number("10"), 600);
    EXPECT_NEAR(r[k].Number("20"), ys[k], kTolerance);
    EXPECT_EQ(r[k].Number("40"), 3);
    EXPECT_EQ(r[k].Text("41"), "0.8");
    EXPECT_EQ(r[k].Text("1"), texts[k]);
    EXPECT_FALSE(r[k].Has("30"));
    EXPECT_FALSE(r[k].Has("50"));
  }
  dxf::Sink wide;
  dxf::WriteWorkResultLines(wide, {"X= 12.345"}, 0.5, 0.25, 3, true);
  EXPECT_EQ(Parse(wide.Text())[0].Text("1"), "Ｘ＝　１２．３４５");
}

}  // namespace
