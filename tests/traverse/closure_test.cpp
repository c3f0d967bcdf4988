// The closure of connecting and closed traverse blocks: their points against a
// compass rule coded here from the records, the summaries, the acceptance
// question and the blocks that cannot be closed.
#include "traverse/closure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "cogo/kind_fixture.h"
#include "traverse/closure_book.h"
#include "traverse/field_book_book.h"
#include "traverse/field_book_calculation.h"

namespace {

using namespace closure_book;
using field_book_book::Station;

class ClosureTest : public KindTest {
 protected:
  void SetUp() override {
    KindTest::SetUp();
    app.cogo.ReturnMenu = 4;
    Place({{"ST", kStart.x, kStart.y, kStart.z},
           {"BS", kBack.x, kBack.y, 0},
           {"K1", kK1.x, kK1.y, 0},
           {"BK1", kBK1.x, kBK1.y, 0},
           {"K2", kK2.x, kK2.y, 0},
           {"BK2", kBK2.x, kBK2.y, 0},
           {"Z1", kZ1.x, kZ1.y, 0},
           {"ZB", kZB.x, kZB.y, 0},
           {"ZT", kZT.x, kZT.y, 0},
           {"ZC", kZC.x, kZC.y, 0},
           {"NB", kNorth.x, kNorth.y, 0},
           {"ZN", kZT.x + 0.05, kZT.y, 0},
           {"ZCN", kZC.x + 0.05, kZC.y, 0}});
  }
  void Book(const std::vector<std::string>& records) {
    fieldbook::State& f = app.fieldbook;
    for (std::size_t i = 0; i < records.size(); ++i) {
      f.FieldBookRecord(static_cast<double>(i + 1)) = records[i];
      f.FieldBookAttribute(static_cast<double>(i + 1)) = "";
    }
    f.FieldBookCount = static_cast<double>(records.size());
  }
  static std::vector<std::string> Block(const char* kind, const std::string& station,
                                        const std::vector<std::string>& sights) {
    std::vector<std::string> records = {kind, station};
    records.insert(records.end(), sights.begin(), sights.end());
    return records;
  }
  std::vector<std::string> ClosedBlock() { return Block("4", Station("ST", "BS", 1.5), ClosedSights()); }
  std::vector<std::string> ConnectingBlock() { return Block("3", Station("K1", "BK1", 0), ConnectingSights()); }
  Adjustment ClosedAdjustment() { return Compass(ClosedSights(), kStart, Azimuth(kStart, kBack), 1.5, true, false, kStart); }
  Adjustment ConnectingAdjustment() {
    return Compass(ConnectingSights(), kK1, Azimuth(kK1, kBK1), 0, false, true, kK2, Azimuth(kK2, kBK2));
  }
  int Numbered(const std::string& name) {
    int found = 0;
    for (int n = 1; n <= app.points.PointCount; ++n) {
      if (app.points.PointName(n) == name) {
        EXPECT_EQ(found, 0) << name << " registered twice";
        found = n;
      }
    }
    return found;
  }
  void ExpectPoints(const Adjustment& a, bool heights) {
    for (const auto& [name, q] : a.points) {
      if (name == "ST" || name == "K2" || name == "K2X") continue;  // tie points: not registered again
      SCOPED_TRACE(name);
      const int n = Numbered(name);
      ASSERT_NE(n, 0);
      EXPECT_NEAR(app.points.PointX(n), q.x, 1e-3);
      EXPECT_NEAR(app.points.PointY(n), q.y, 1e-3);
      EXPECT_NEAR(app.points.PointZ(n), heights ? q.z : 0, 1e-3);
    }
  }
  Entry Calculate(const std::string& script) { return Run(FieldBookCalculation, script); }
  // The last line of the main window (or of the report) holding `part`.
  std::string WindowLine(const std::string& part) {
    std::string found;
    for (const std::string& l : Lines()) {
      if (l.find(part) != std::string::npos) found = l;
    }
    return found;
  }
  std::string ReportLine(const std::string& part) {
    std::string found;
    for (const std::string& l : BufferLines()) {
      if (l.find(part) != std::string::npos) found = l;
    }
    return found;
  }
  // The number written after `label` in `line`.
  static double ValueAfter(const std::string& line, const std::string& label, int = 0) {
    const std::size_t at = line.find(label);
    EXPECT_NE(at, std::string::npos) << label << " in " << line;
    return at == std::string::npos ? NAN : std::atof(line.substr(at + label.size()).c_str());
  }
  // The angle "d-mm-ss" written after `label`, in seconds with its sign.
  static double SecondsAfter(const std::string& line, const std::string& label) {
    std::string text = line.substr(line.find(label) + label.size(), 11);
    const bool negative = text.find('-') < text.find_first_of("0123456789");
    text.erase(0, text.find_first_of("0123456789"));
    int d = 0, m = 0, sec = 0;
    std::sscanf(text.c_str(), "%d-%d-%d", &d, &m, &sec);
    return (negative ? -1 : 1) * (d * 3600.0 + m * 60 + sec);
  }
  // The x= and y= shares of the simple report's "m=" lines, summed in mm.
  std::pair<long, long> PrintedShares() {
    long x = 0, y = 0;
    for (const std::string& l : BufferLines()) {
      if (l.rfind("m=", 0) != 0 || l.find("  x=") == std::string::npos) continue;
      x += std::lround(std::atof(l.substr(l.find("x=") + 2, 11).c_str()) * 1000);
      y += std::lround(std::atof(l.substr(l.find("y=") + 2, 11).c_str()) * 1000);
    }
    return {x, y};
  }
};

TEST(ClosureValues, AngularMisclosureAndPrecisionRatio) {
  const double s = 1.0 / 3600;
  const struct {
    double known, computed, misclosure;
  } angles[] = {
      {5 * s, 360 - 5 * s, 10 * s},         // wrapped at north: +10", not -359-59-50
      {5 * s, 720 - 5 * s, 10 * s},         // a computed direction past 360 wraps twice
      {360 - 5 * s, 5 * s, -10 * s},        // the other way round
      {100, 99.5, 0.5},                     // an ordinary misclosure
      {10, 190, -180},                      // a half turn stays as it is
  };
  for (const auto& a : angles) {
    EXPECT_NEAR(traverse::AngularMisclosureOf(a.known, a.computed), a.misclosure, 1e-9) << a.computed;
  }
  EXPECT_EQ(traverse::PrecisionRatioText(630.25, 0.05), " 12605 ");
  EXPECT_EQ(traverse::PrecisionRatioText(100, 0.3), " 333 ");
  EXPECT_EQ(traverse::PrecisionRatioText(630.25, 0), " ∞ ");
}

TEST_F(ClosureTest, ClosedTraverseWithHeightsFollowsTheCompassRule) {
  Book(ClosedBlock());
  // Kind 1, start number, simple report, accepted.
  Calculate("1\n\n\n\n");
  const Adjustment a = ClosedAdjustment();
  ExpectPoints(a, true);
  EXPECT_EQ(Numbered("ST"), 1);
  EXPECT_EQ(a.turns, 3);
  EXPECT_NEAR(a.angular * 3600, -8, 1.5);  // the injected error, whole-second readings aside
  // The window summary as the textbook computes it; a closed traverse counts
  // n on both lines.
  const std::string first = WindowLine(U8(u8"  dm="));
  EXPECT_EQ(first.substr(0, 10), "     n=  3");
  EXPECT_NEAR(SecondsAfter(first, "dm="), -a.angular * 3600, 1);
  const std::string second = WindowLine(U8(u8"  dx="));
  EXPECT_EQ(second.substr(0, 10), "     n=  3");
  EXPECT_NEAR(ValueAfter(second, "dx="), a.misclosure.x, 1e-9);
  EXPECT_NEAR(ValueAfter(second, "dy="), a.misclosure.y, 1e-9);
  const double e = std::hypot(a.misclosure.x, a.misclosure.y);
  EXPECT_NEAR(ValueAfter(second, U8(u8"誤差＝")), e, 1e-6);
  EXPECT_NEAR(ValueAfter(WindowLine(U8(u8"dz=")), "dz=", 0), a.misclosure.z, 1e-9);
  const std::string last = WindowLine(U8(u8"総距離＝"));
  EXPECT_NEAR(ValueAfter(last, U8(u8"総距離＝")), a.length, 5e-4);
  EXPECT_EQ(ValueAfter(last, "1/"), std::floor(Mm(a.length) / e));
  // The report: the printed shares add up to the misclosure, the report's
  // dx and dy are its opposite.
  const auto [x, y] = PrintedShares();
  EXPECT_EQ(x, std::lround(a.misclosure.x * 1000));
  EXPECT_EQ(y, std::lround(a.misclosure.y * 1000));
  const std::string report = ReportLine("   dx=");
  EXPECT_EQ(report.substr(0, 10), "     n=  3");
  EXPECT_NEAR(ValueAfter(report, "dx="), -a.misclosure.x, 1.5e-3);
  EXPECT_NEAR(ValueAfter(report, "dy="), -a.misclosure.y, 1.5e-3);
  EXPECT_NEAR(ValueAfter(ReportLine("dz="), "dz="), -a.misclosure.z, 1.5e-3);
}

TEST_F(ClosureTest, ConnectingTraverseWithoutHeightsFollowsTheCompassRule) {
  Book(ConnectingBlock());
  Calculate("1\n\n\n\n");
  const Adjustment a = ConnectingAdjustment();
  ExpectPoints(a, false);
  EXPECT_EQ(Numbered("K2"), 5);
  EXPECT_EQ(a.turns, 3);
  EXPECT_EQ(CountContaining(U8(u8"   n-1=  2  dx=")), 1);
  EXPECT_EQ(CountContaining("dz="), 0);
  const std::vector<std::string> lines = BufferLines();
  EXPECT_TRUE(Holds(lines, "結合点  "));
  EXPECT_TRUE(Holds(lines, "ﾊﾞｯｸ点  "));
  EXPECT_TRUE(Holds(lines, "     BK2"));
  for (const std::string& l : lines) EXPECT_EQ(l.find("dz="), std::string::npos) << l;
  const auto [x, y] = PrintedShares();
  EXPECT_EQ(x, std::lround(a.misclosure.x * 1000));
  EXPECT_EQ(y, std::lround(a.misclosure.y * 1000));
}

TEST_F(ClosureTest, RefusedBlockLosesItsPointsAndReportOnly) {
  // The closed block accepted, the connecting block after it refused.
  std::vector<std::string> book = ClosedBlock();
  for (const std::string& r : ConnectingBlock()) book.push_back(r);
  Book(book);
  Calculate("1\n\n\n\nN\n");
  ExpectPoints(ClosedAdjustment(), true);
  for (const char* gone : {"C1", "Q1", "C2"}) EXPECT_EQ(Numbered(gone), 0) << gone;
  // The points of the closed block (S1, S2, P1, S3) end the table, their
  // vertices the line table.
  EXPECT_EQ(app.points.PointCount, Numbered("S3"));
  EXPECT_EQ(app.lines.LineVertexCount, 4);
  for (int i = 0; i < app.points.NewPointCount; ++i) EXPECT_LE(app.points.NewPointList(i), Numbered("S3")) << i;
  EXPECT_TRUE(Printed(U8(u8" 破棄しました")));
  const std::vector<std::string> lines = BufferLines();
  EXPECT_TRUE(Holds(lines, "     S1"));                   // the closed block's closing line
  EXPECT_FALSE(Holds(lines, "結合点  "));                // nothing of the connecting block
  EXPECT_EQ(lines.back().rfind("  総距離＝", 0), 0u) << lines.back();
  EXPECT_EQ(app.traverse.RunFirstPointNumber, Numbered("S3") + 1);  // the freed numbers are taken again
}

TEST_F(ClosureTest, EdgeCases) {
  const struct {
    const char* what;
    std::vector<std::string> book;
    const char* script;
    const char8_t* message;  // in the main window
    int registered;
  } cases[] = {
      {"no turns", Block("4", Station("ST", "BS", 1.5), {TrueSight('\'', kStart, Azimuth(kStart, kBack), kS1, 1.5, 1.5, "S1"),
                                                        TrueSight('\'', kStart, Azimuth(kStart, kBack), kS2, 1.5, 1.5, "S2")}),
       "1\n\n\n", u8"折点がないので、このﾌﾞﾛｯｸは閉合計算しません", 0},
      {"zero misclosure", Block("3", Station("Z1", "ZB", 0), {TrueSight('T', kZ1, Azimuth(kZ1, kZB), kD1, 0, 0, "D1", 0),
                                                              TrueSight('T', kD1, Azimuth(kD1, kZ1), kZT, 0, 0, "ZT", 0),
                                                              TrueSight('\'', kZT, Azimuth(kZT, kD1), kZC, 0, 0, "ZC")}),
       "1\n\n\n\n", u8"精度＝1/ ∞", 1},
      {"tie point by hand", Block("3", Station("K1", "BK1", 0), ConnectingSights("K2X")), "1\n\n\n5\n\n",
       u8"K2X は、ありません", 3},
      {"wrap at north", Block("3", Station("K1", "BK1", 0), ConnectingSights("K2", kNorth, "NB", -16)),
       "1\n\n\n\n", u8"dm=", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ForgetRegistered();
    ForgetTranscript();
    Book(c.book);
    Calculate(c.script);
    EXPECT_EQ(RegisteredCount(), c.registered);
    EXPECT_EQ(CountContaining(U8(c.message)), 1);
    EXPECT_EQ(app.settings.ZD, 2);
    EXPECT_EQ(app.traverse.ClosurePass, 0);
  }
  // The tie point designated by hand closes the traverse as the one found.
  Book(Block("3", Station("K1", "BK1", 0), ConnectingSights("K2X")));
  ForgetRegistered();
  Calculate("1\n\n\n5\n\n");
  ExpectPoints(Compass(ConnectingSights("K2X"), kK1, Azimuth(kK1, kBK1), 0, false, true, kK2, Azimuth(kK2, kBK2)),
               false);
  EXPECT_EQ(Numbered("K2X"), 0);
  // Near north: known 0-00-05 against about 359-59-55 is +10 seconds, dm -10.
  ForgetRegistered();
  ForgetTranscript();
  Book(Block("3", Station("K1", "BK1", 0), ConnectingSights("K2", kNorth, "NB", -16)));
  Calculate("1\n\n\n\n");
  const Adjustment a =
      Compass(ConnectingSights("K2", kNorth, "NB", -16), kK1, Azimuth(kK1, kBK1), 0, false, true, kK2, 5.0 / 3600);
  EXPECT_NEAR(a.angular * 3600, 10, 1.5);
  EXPECT_NEAR(SecondsAfter(WindowLine("dm="), "dm="), -a.angular * 3600, 1);
  ExpectPoints(a, false);
  // A tie point 5 cm north of its computed position (its closing point too, so
  // that the closing direction stays): dx 0.050 in the window, the printed
  // corrections -0.050 in the report.
  Book(Block("3", Station("Z1", "ZB", 0), {TrueSight('T', kZ1, Azimuth(kZ1, kZB), kD1, 0, 0, "D1", 0),
                                           TrueSight('T', kD1, Azimuth(kD1, kZ1), kZT, 0, 0, "ZN", 0),
                                           TrueSight('\'', kZT, Azimuth(kZT, kD1), kZC, 0, 0, "ZCN")}));
  Calculate("1\n\n\n\n");
  EXPECT_NEAR(ValueAfter(WindowLine(U8(u8"  dx=")), "dx="), 0.05, 1e-9);
  EXPECT_NEAR(ValueAfter(WindowLine(U8(u8"  dx=")), "dy="), 0, 1e-9);
  EXPECT_NEAR(ValueAfter(ReportLine("   dx="), "dx="), -0.05, 1e-9);
}

TEST_F(ClosureTest, SideShotsBeforeTheSecondTurnLeaveTheClosingDirection) {
  // A side shot from S1 right after the first turn: the closed traverse still
  // closes on the first turn's own direction.
  std::vector<std::string> sights = ClosedSights();
  sights.insert(sights.begin() + 1, TrueSight('\'', kS1, Azimuth(kS1, kStart), kSide, 1.4, 1.3, "P9"));
  Book(Block("4", Station("ST", "BS", 1.5), sights));
  Calculate("1\n\n\n\n");
  const Adjustment a = Compass(sights, kStart, Azimuth(kStart, kBack), 1.5, true, false, kStart);
  EXPECT_NEAR(a.angular * 3600, -8, 1.5);
  ExpectPoints(a, true);
}

TEST_F(ClosureTest, TheUsersSettingOfZDIsKept) {
  // Register only: the block is registered and ZD is 3 again afterwards.
  app.settings.ZD = 3;
  Book(ConnectingBlock());
  Calculate("1\n\n\n");
  EXPECT_EQ(app.settings.ZD, 3);
  ExpectPoints(ConnectingAdjustment(), false);
  // Print only: nothing is registered, the summary is still shown.
  ForgetRegistered();
  app.settings.ZD = 1;
  Calculate("1\n\n\n");
  EXPECT_EQ(app.settings.ZD, 1);
  EXPECT_EQ(RegisteredCount(), 0);
  EXPECT_EQ(CountContaining(U8(u8" 結果ＯＫ [Y,N]Y")), 2);
}

TEST_F(ClosureTest, PrintedSharesAddUpOverRandomTraverses) {
  std::mt19937 random(26);
  std::uniform_real_distribution<double> error(-0.05, 0.05);
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE(round);
    ForgetRegistered();
    const P c1{kC1.x + error(random) * 400, kC1.y + error(random) * 400, 0};
    const P c2{kC2.x + error(random) * 400, kC2.y + error(random) * 400, 0};
    Book(Block("3", Station("K1", "BK1", 0),
               {TrueSight('T', kK1, Azimuth(kK1, kBK1), c1, 0, 0, "C1", 0, error(random) * 200, error(random)),
                TrueSight('T', c1, Azimuth(c1, kK1), c2, 0, 0, "C2", 0, error(random) * 200, error(random)),
                TrueSight('T', c2, Azimuth(c2, c1), kK2, 0, 0, "K2", 0, error(random) * 200, error(random)),
                TrueSight('\'', kK2, Azimuth(kK2, c2), kBK2, 0, 0, "BK2")}));
    Calculate("1\n\n\n\n");
    const auto [x, y] = PrintedShares();
    // The window's misclosure, as the shares must add up to it.
    const std::vector<std::string> window = Lines();
    std::string summary;
    for (const std::string& l : window) {
      if (l.find("n-1=") != std::string::npos) summary = l;
    }
    ASSERT_FALSE(summary.empty());
    EXPECT_EQ(x, std::lround(std::atof(summary.substr(summary.find("dx=") + 3, 13).c_str()) * 1000));
    EXPECT_EQ(y, std::lround(std::atof(summary.substr(summary.find("dy=") + 3, 13).c_str()) * 1000));
    ForgetTranscript();
  }
}

}  // namespace
