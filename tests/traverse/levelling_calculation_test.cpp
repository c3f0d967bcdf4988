// The levelling runs of the field-book calculation: the rounding rules, the
// start record, the three reports of a round trip and a one-way run checked
// against an independent reduction, the decided closing height, import and
// registration of the levelled points, and the runs' edge cases.
#include "traverse/levelling_calculation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "cogo/kind_fixture.h"
#include "fieldbook/records.h"
#include "runtime/text.h"
#include "traverse/field_book_calculation.h"
#include "traverse/levelling_book.h"
#include "traverse/levelling_registration.h"

namespace {

using levelling_book::Reading;
using levelling_book::ReadingRecord;
using levelling_book::StartRecord;
using levelling_book::kBm2;
using levelling_book::kForward;
using levelling_book::kReturn;
using levelling_book::kStart;

class LevellingTest : public KindTest {
 protected:
  void SetUp() override {
    KindTest::SetUp();
    app.settings.ZD = 2;
    app.cogo.ReturnMenu = 4;
  }
  void Book(const std::string& start, const std::vector<Reading>& forward, const std::vector<Reading>& back = {},
            const std::vector<std::string>& tails = {}) {
    std::vector<std::string> records = {start};
    std::size_t k = 0;
    for (const auto* run : {&forward, &back}) {
      for (const Reading& r : *run) {
        records.push_back(ReadingRecord(r, k < tails.size() ? tails[k] : ""));
        ++k;
      }
    }
    fieldbook::State& f = app.fieldbook;
    for (std::size_t i = 0; i < records.size(); ++i) {
      f.FieldBookRecord(static_cast<double>(i + 1)) = records[i];
      f.FieldBookAttribute(static_cast<double>(i + 1)) = "";
    }
    f.FieldBookCount = static_cast<double>(records.size());
  }
  // The continuous kind: start number proposed, the registration choice, the
  // start height and the decided closing height as answered.
  void Calculate(const std::string& choice, const std::string& start = "", const std::string& closing = "") {
    Run(FieldBookCalculation, "1\n\n" + choice + "\n" + start + "\n" + closing + "\n");
  }
  // The lines of the report that opens with `title` (UTF-8), up to its "_".
  std::vector<std::vector<std::string>> Reports(const std::string& title) {
    std::vector<std::vector<std::string>> reports;
    const std::string cp = rt::Utf8ToCp932(title);
    bool in = false;
    for (const std::string& line : lines_) {
      if (line == cp) {
        reports.emplace_back();
        in = true;
        continue;
      }
      if (!in) continue;
      if (line == "_") {
        in = false;
        continue;
      }
      reports.back().push_back(line);
    }
    return reports;
  }
  void ReadBuffer() { lines_ = BufferLines(); }
  // The line of a report that begins with the 8-column name.
  static std::string LineOf(const std::vector<std::string>& report, const std::string& name) {
    const std::string key = (name + "        ").substr(0, 8);
    for (const std::string& l : report) {
      if (l.compare(0, 8, key) == 0) return l;
    }
    return "";
  }
  static double Field(const std::string& line, int first, int last) {
    if (line.size() < static_cast<std::size_t>(first)) return NAN;
    return std::atof(line.substr(first - 1, last - first + 1).c_str());
  }
  // The two values of a book's "[fn-bn]" line.
  static std::pair<double, double> Check(const std::vector<std::string>& book) {
    for (const std::string& l : book) {
      if (l.find("[fn-bn]") != std::string::npos) return {Field(l, 30, 36), Field(l, 40, 46)};
    }
    return {NAN, NAN};
  }
  void ExpectBookLines(const std::vector<std::string>& book, const levelling_book::CalculationBook& expected) {
    for (const levelling_book::Line& e : expected.lines) {
      SCOPED_TRACE(e.name);
      const std::string l = LineOf(book, e.name);
      ASSERT_FALSE(l.empty());
      EXPECT_NEAR(Field(l, 11, 17), e.forward, 5e-4);
      EXPECT_NEAR(Field(l, 21, 27), e.back, 5e-4);
      const double mean = e.mean >= 0 ? Field(l, 31, 37) : Field(l, 41, 47);
      EXPECT_NEAR(mean, e.mean, 5e-4);
      EXPECT_NEAR(Field(l, 51, 57), e.correction, 5e-4);
      EXPECT_NEAR(Field(l, 61, 69), e.decidedDifference, 1e-9);
      EXPECT_NEAR(Field(l, 73, 81), e.height, 1e-9);
    }
  }
  std::vector<std::string> lines_;
};

// ---- Rounding and the start record ----

TEST(LevellingRounding, EvenMillimetreAndMillimetreRounding) {
  struct Case {
    double x, even;
  } cases[] = {{12.3455, 12.346}, {12.3445, 12.344}, {0.0005, 0.000}, {0.0015, 0.002},
               {0.00049, 0.00049}, {0.00051, 0.00051}, {-0.0015, -0.002}, {1.23456, 1.23456}};
  for (const Case& c : cases) EXPECT_NEAR(traverse::EvenMillimetreRounded(c.x), c.even, 1e-12) << c.x;
  EXPECT_DOUBLE_EQ(traverse::MillimetreRounded(1.2345), 1.235);
  EXPECT_DOUBLE_EQ(traverse::MillimetreRounded(-1.2345), -1.234);  // halves upwards
  EXPECT_DOUBLE_EQ(traverse::MillimetreRounded(2.0004), 2.0);
}

TEST(LevellingStartRecord, HeightAfterTheLabelInBothFormsAndTheClosingName) {
  const std::string written = StartRecord("BM1", 12.345);
  const std::string ended = StartRecord("BM1", 12.345, "BM2");
  EXPECT_EQ(written, "*_BM1                 H=  12.3450");
  EXPECT_EQ(ended, "*_BM1     -->BM2        H=  12.3450");
  EXPECT_DOUBLE_EQ(traverse::LevellingStartHeightOf(written), 12.345);
  EXPECT_DOUBLE_EQ(traverse::LevellingStartHeightOf(ended), 12.345);
  EXPECT_DOUBLE_EQ(traverse::LevellingStartHeightOf(StartRecord("BM1", -3.25, "BM2")), -3.25);
  EXPECT_DOUBLE_EQ(traverse::LevellingStartHeightOf("*_BM1"), 0);
  EXPECT_EQ(traverse::LevellingClosingNameOf(ended), "BM2     ");
  EXPECT_EQ(traverse::StoredNameOf(" 12 "), " 12");
  EXPECT_EQ(traverse::StoredNameOf("A12 "), "A12");
}

// ---- A round trip ----

TEST_F(LevellingTest, RoundTripBooksAdjustmentAndImport) {
  Place({{"BM1", 0, 0, kStart}, {"BM2", 0, 0, 9.0}, {"P2", 1, 1, 0}, {"P2", 2, 2, 7.0}, {"BM2", 0, 0, kBm2}});
  Book(StartRecord("BM1", kStart, "BM2"), kForward, kReturn);
  Calculate("2");
  // The last stored BM2 is proposed as the decided closing height.
  EXPECT_GE(CountContaining(U8(u8"決定閉合点  H=    11.755")), 1);
  EXPECT_GE(CountContaining(U8(u8"   平均閉合点  H=    11.752")), 1);
  ReadBuffer();
  const auto observation = Reports(U8(u8"直接水準測量観測簿"));
  ASSERT_EQ(observation.size(), 2u);
  EXPECT_EQ(observation[0][0], rt::Utf8ToCp932(U8(u8"路線＝ BM1     -->BM2      往路")));
  EXPECT_EQ(observation[1][0], rt::Utf8ToCp932(U8(u8"路線＝ BM1     -->BM2      復路")));
  const std::vector<Reading>* runs[] = {&kForward, &kReturn};
  for (int k = 0; k < 2; ++k) {
    const levelling_book::Book b = levelling_book::Reduce(*runs[k], 0);
    const auto [sums, check] = Check(observation[k]);
    EXPECT_NEAR(sums, b.backsights - b.foresights, 5e-4) << k;
    EXPECT_NEAR(check, b.rises - b.falls, 5e-4) << k;
  }
  const auto calculation = Reports(U8(u8"直接水準測量計算簿"));
  ASSERT_EQ(calculation.size(), 1u);
  const levelling_book::CalculationBook expected = levelling_book::Calculate(kForward, kReturn, kStart, kBm2);
  ASSERT_EQ(expected.lines.size(), 2u);  // P1 and TP1 are not on the return run
  ExpectBookLines(calculation[0], expected);
  EXPECT_TRUE(LineOf(calculation[0], "P1").empty());
  EXPECT_TRUE(LineOf(calculation[0], "TP1").empty());
  EXPECT_NEAR(expected.lines.back().height, kBm2, 1e-9);
  // Imported: the lowest-numbered of each name; the later ones stay.
  EXPECT_NEAR(app.points.PointZ(1), kStart, 1e-9);
  EXPECT_NEAR(app.points.PointZ(2), kBm2, 1e-9);
  EXPECT_NEAR(app.points.PointZ(3), expected.lines[0].height, 1e-9);
  EXPECT_NEAR(app.points.PointZ(4), 7.0, 1e-9);
  EXPECT_EQ(LineOf(calculation[0], "P2").substr(82), " (P2      )");
  // The summary: sections, misclosure and its share.
  const std::string& summary = calculation[0][calculation[0].size() - 1];
  EXPECT_NEAR(Field(summary, 31, 37), expected.misclosure, 5e-4);
  EXPECT_NEAR(Field(summary, 50, 60), expected.perSection, 1e-8);
  EXPECT_EQ(Field(calculation[0][calculation[0].size() - 2], 46, 48), expected.sections);
}

// ---- A one-way run ----

TEST_F(LevellingTest, OneWayRunRegisteredAsXyOrXz) {
  const std::vector<Reading> run = {{'^', "A", 10, 1.2}, {'\'', "B", 12.346, 1.0}, {'^', "B", 10, 1.5},
                                    {'\'', "C", 11, 0.7}, {'\'', "D", 9, 1.9}};
  // Column 35: none for A, "A" for B (no attribute, no vertex), "2" with a
  // code for C, blank with a code for D.
  const std::vector<std::string> tails = {"", std::string(8, ' ') + "A-X", "", std::string(8, ' ') + "2CODE",
                                          std::string(8, ' ') + " CODE"};
  for (const double choice : {3.0, 4.0}) {
    SCOPED_TRACE(choice);
    Place({{"A", 0, 0, 5.0}});
    app.lines.LineVertexCount = 0;
    Book(StartRecord("A", 5), run, {}, tails);
    ForgetTranscript();
    Calculate(RtStr(choice));
    EXPECT_GE(CountContaining(U8(u8"   片道閉合点  H=     4.800")), 1);
    ReadBuffer();
    const auto observation = Reports(U8(u8"直接水準測量観測簿"));
    ASSERT_EQ(observation.size(), 1u);
    EXPECT_EQ(observation[0][0], rt::Utf8ToCp932(U8(u8"路線＝ A                   往路")));
    const levelling_book::Book b = levelling_book::Reduce(run, 0);
    EXPECT_NEAR(Check(observation[0]).first, b.backsights - b.foresights, 5e-4);
    EXPECT_NEAR(Check(observation[0]).second, b.rises - b.falls, 5e-4);
    const auto calculation = Reports(U8(u8"直接水準測量計算簿"));
    ASSERT_EQ(calculation.size(), 1u);
    // Closed on its own final height: nothing to correct.
    const levelling_book::CalculationBook expected = levelling_book::Calculate(run, {}, 5, 4.8);
    ExpectBookLines(calculation[0], expected);
    const std::string& summary = calculation[0][calculation[0].size() - 1];
    EXPECT_NEAR(Field(summary, 10, 17), 0, 1e-9);  // the return column
    EXPECT_EQ(Field(calculation[0][calculation[0].size() - 2], 46, 48), 3);
    // A, B, C, D registered from number 2.
    const bool xz = choice == 4;
    const double heights[] = {5, 5.2, 6.0, 4.8};
    const double distances[] = {10, 12.35, 11, 9};
    const char* names[] = {"A", "B", "C", "D"};
    for (int k = 0; k < 4; ++k) {
      const int n = 2 + k;
      EXPECT_EQ(app.points.PointName(n), names[k]);
      EXPECT_NEAR(app.points.PointX(n), xz ? distances[k] : heights[k], 1e-9) << k;
      EXPECT_NEAR(app.points.PointY(n), xz ? 0 : distances[k], 1e-9) << k;
      EXPECT_NEAR(app.points.PointZ(n), xz ? heights[k] : 0, 1e-9) << k;
    }
    EXPECT_EQ(app.points.PointAttribute(3), "");
    EXPECT_EQ(app.points.PointAttribute(4), "2CODE");
    EXPECT_EQ(app.points.PointAttribute(5), " CODE");
    ASSERT_EQ(app.lines.LineVertexCount, 3);
    const int types[] = {9, 2, 9};
    const int numbers[] = {2, 4, 5};
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(app.lines.LinePointNumber(k + 1), numbers[k]);
      EXPECT_EQ(app.lines.LineType(k + 1), types[k]);
      EXPECT_EQ(app.lines.LineLayer(k + 1), 1);
    }
    ForgetRegistered();
  }
}

// ---- Edge cases ----

TEST_F(LevellingTest, EdgeCasesOfRunsBooksAndRegistration) {
  const std::string fall = std::string(8, ' ');
  struct Case {
    const char* what;
    std::string start;
    double startHeight, decided;
    std::vector<Reading> forward, back;
    std::string choice;
    std::function<void()> extra;
  };
  const std::vector<Case> cases = {
      {"negative start height", StartRecord("A", -2.5), -2.5, -3.0, {{'^', "A", 5, 1.0}, {'\'', "B", 5, 1.5}}, {}, "1",
       [&] {
         const auto calc = Reports(U8(u8"直接水準測量計算簿"));
         ASSERT_EQ(calc.size(), 1u);
         EXPECT_NEAR(Field(calc[0][3], 73, 81), -2.5, 1e-9);  // the start line
         EXPECT_NEAR(Field(LineOf(calc[0], "B"), 41, 47), -0.5, 1e-9);
       }},
      {"a name twice in the return run", StartRecord("S", 1, "E"), 1, 1.525,
       {{'^', "S", 10, 1.5}, {'\'', "P", 10, 1.0}, {'^', "P", 10, 1.4}, {'\'', "E", 10, 1.7}},
       {{'^', "E", 10, 1.2}, {'\'', "P", 10, 1.499}, {'\'', "X", 10, 1.0}, {'^', "X", 10, 1.1}, {'\'', "P", 10, 1.65},
        {'^', "P", 10, 1.0}, {'\'', "S", 10, 1.5}},
       "1", [] {}},
      {"a zero mean in the plus column, all distances 0", StartRecord("A", 3), 3, 3.0,
       {{'^', "A", 0, 1.25}, {'\'', "B", 0, 1.25}}, {}, "1",
       [&] {
         const auto calc = Reports(U8(u8"直接水準測量計算簿"));
         ASSERT_EQ(calc.size(), 1u);
         EXPECT_EQ(LineOf(calc[0], "B").substr(28, 20), "    0.000           ");
         const auto book = Reports(U8(u8"直接水準測量観測簿"));
         ASSERT_EQ(book.size(), 1u);
         bool found = false;
         for (const std::string& l : book[0]) {
           if (l.rfind(rt::Utf8ToCp932(U8(u8"[距離和]")), 0) == 0) {
             EXPECT_EQ(l.substr(8, 10), std::string(10, ' '));
             EXPECT_EQ(l.substr(18, 11), "           ");
             found = true;
           }
         }
         EXPECT_TRUE(found);
       }},
      {"a stored name with a leading blank imported", StartRecord("A", 2), 2, 2.3,
       {{'^', "A", 5, 1.0}, {'\'', "7", 5, 0.7}}, {}, "2",
       [&] {
         // Its stored height is proposed as the closing height and imported.
         const auto calc = Reports(U8(u8"直接水準測量計算簿"));
         ASSERT_EQ(calc.size(), 1u);
         EXPECT_EQ(LineOf(calc[0], "7").substr(82), " (7       )");
         EXPECT_GE(CountContaining("  --->      2  7"), 1);
       }},
      {"a run ending on a back sight", StartRecord("A", 4), 4, 4.5,
       {{'^', "A", 5, 1.0}, {'\'', "B", 5, 0.5}, {'^', "B", 5, 1.2}}, {}, "1",
       [&] {
         const auto calc = Reports(U8(u8"直接水準測量計算簿"));
         ASSERT_EQ(calc.size(), 1u);
         EXPECT_NEAR(Field(LineOf(calc[0], "B"), 73, 81), 4.5, 1e-9);
       }},
      {"the closing fore sight under another name", StartRecord("S", 1, "E"), 1, 1.2,
       {{'^', "S", 10, 1.5}, {'\'', "E1", 10, 1.3}},
       {{'^', "E", 10, 1.2}, {'\'', "S", 10, 1.4}}, "1",
       [&] {
         const auto books = Reports(U8(u8"直接水準測量観測簿"));
         ASSERT_EQ(books.size(), 2u);
         EXPECT_NEAR(Check(books[0]).first, 0.2, 1e-9);
         EXPECT_NEAR(Check(books[1]).first, -0.2, 1e-9);
       }},
      {"registration past a used number", StartRecord("A", 4), 4, 4.5,
       {{'^', "A", 5, 1.0}, {'\'', "B", 5, 0.5}}, {}, "3",
       [&] {
         EXPECT_EQ(app.points.PointName(2), "USED");
         EXPECT_EQ(app.points.PointName(3), "A");
         EXPECT_EQ(app.points.PointName(4), "B");
         EXPECT_NEAR(app.points.PointX(4), 4.5, 1e-9);
         EXPECT_GE(CountContaining(U8(u8"は使用中です")), 1);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Place({{"Z", 1, 1, 0}, {"USED", 1, 1, 0}});
    if (std::string(c.what).find("leading blank") != std::string::npos) SetPoint(2, 1, 1, " 7", 2.3);
    app.points.NextPointNumber = 2;
    Book(c.start, c.forward, c.back);
    ResetPrintBuffer(app);
    ForgetTranscript();
    Calculate(c.choice);
    ReadBuffer();
    const auto calc = Reports(U8(u8"直接水準測量計算簿"));
    ASSERT_EQ(calc.size(), 1u);
    ExpectBookLines(calc[0], levelling_book::Calculate(c.forward, c.back, c.startHeight, c.decided));
    c.extra();
    ForgetRegistered();
  }
}

TEST_F(LevellingTest, RunWithoutForeSightIsRefusedAfterItsList) {
  Book(StartRecord("A", 4), {{'^', "A", 5, 1.0}});
  Calculate("1");
  ReadBuffer();
  EXPECT_GE(CountContaining(U8(u8"前視が無いので水準計算はできません")), 1);
  EXPECT_TRUE(Reports(U8(u8"直接水準測量観測簿")).empty());
  EXPECT_TRUE(Holds(lines_, "_"));
  EXPECT_TRUE(Printed(U8(u8"ｹｲｻﾝ ｵﾜﾘ")));
}

TEST_F(LevellingTest, RunEndingOnTheLastRecordOfTheTable) {
  // The run fills the book's last records up to 9999.
  const std::vector<Reading> run = {{'^', "A", 5, 1.0}, {'\'', "B", 5, 0.5}, {'^', "B", 5, 1.1}, {'\'', "C", 5, 1.6}};
  fieldbook::State& f = app.fieldbook;
  const double first = fieldbook::kRecordCapacity - static_cast<double>(run.size());
  f.FieldBookRecord(first) = StartRecord("A", 4);
  for (std::size_t k = 0; k < run.size(); ++k) f.FieldBookRecord(first + 1 + static_cast<double>(k)) = ReadingRecord(run[k]);
  f.FieldBookCount = fieldbook::kRecordCapacity;
  Calculate("1");
  ReadBuffer();
  const auto calc = Reports(U8(u8"直接水準測量計算簿"));
  ASSERT_EQ(calc.size(), 1u);
  ExpectBookLines(calc[0], levelling_book::Calculate(run, {}, 4, 4.0));
  EXPECT_TRUE(Printed(U8(u8"ｹｲｻﾝ ｵﾜﾘ")));
}


TEST_F(LevellingTest, RegistrationStopsAtTheEndOfThePointTable) {
  // Only the table's last number is free: A takes it, B finds none and the
  // calculation ends with a message, A kept.
  Place({{"Z", 1, 1, 0}});
  app.points.NextPointNumber = app.points.PointCapacity;
  Book(StartRecord("A", 4), {{'^', "A", 5, 1.0}, {'\'', "B", 5, 0.5}});
  Calculate("3");
  EXPECT_GE(CountContaining(U8(u8"登録できる点番がありません。計算を終わります")), 1);
  const int last = static_cast<int>(app.points.PointCapacity);
  EXPECT_EQ(app.points.PointName(last), "A");
  EXPECT_EQ(app.points.PointCount, last);
  for (int n = 1; n < last; ++n) EXPECT_NE(app.points.PointName(n), "B") << n;
}
}  // namespace
