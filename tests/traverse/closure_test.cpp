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
#include "traverse/field_book_book.h"
#include "traverse/field_book_calculation.h"

namespace {

using field_book_book::kRad;
using field_book_book::Sight;
using field_book_book::Station;

struct P {
  double x, y, z;
};

double Azimuth(P a, P b) {
  double az = std::atan2(b.y - a.y, b.x - a.x) / kRad;
  return az < 0 ? az + 360 : az;
}

// A sight between two true points of a traverse, as the field book writes it:
// the reading from the back direction, slope distance and zenith angle of the
// line from the instrument axis to the target. `angleError` (seconds) and
// `distanceError` (metres) are added to the observation.
std::string TrueSight(char kind, P from, double back, P to, double i, double f, const char* name, double next = -1,
                      double angleError = 0, double distanceError = 0) {
  double reading = Azimuth(from, to) - back + angleError / 3600;
  while (reading < 0) reading += 360;
  while (reading >= 360) reading -= 360;
  const double d = std::hypot(to.x - from.x, to.y - from.y);
  const double rise = (to.z + f) - (from.z + i);
  const double zenith = std::atan2(d, rise) / kRad;
  return Sight(kind, std::hypot(d, rise) + distanceError, field_book_book::Dms(zenith),
               field_book_book::Dms(reading), f, name, next);
}

// dd.mmss to degrees.
double Degrees(double dms) {
  const double d = std::trunc(dms);
  const double m = std::trunc((dms - d) * 100 + 1e-7);
  return d + m / 60 + ((dms - d) * 100 - m) * 100 / 3600;
}

struct Record {
  char kind;
  double s, v, h, f, next;
  std::string name;
};
// A sight record read back by its columns.
Record Read(const std::string& r) {
  const auto field = [&](int from, int to) { return std::atof(r.substr(from - 1, to - from + 1).c_str()); };
  std::string name = r.substr(35, 8);
  name.erase(name.find_last_not_of(' ') + 1);
  return {r[0], field(2, 9), field(10, 18), field(19, 27), field(28, 34), r.size() > 44 ? field(45, 51) : 0, name};
}

double Mm(double x) { return std::floor(x * 1000 + 0.5) / 1000; }

// One walk of a block's sights from its station: the angle share added at
// every turn, the compass-rule share of the misclosure `m` over the length
// `total` added to every turn point, side shots from the adjusted stations.
struct Walk {
  std::map<std::string, P> points;
  double lastAzimuth = 0, firstTurn = 0, length = 0;
  int turns = 0;
  P end{};
};
Walk Traverse(const std::vector<Record>& records, std::size_t count, P station, double orientation, double i,
              bool heights, double share, P m, double total) {
  Walk w;
  for (std::size_t k = 0; k < count; ++k) {
    const Record& r = records[k];
    const bool turn = r.kind == 'T';
    if (turn) orientation += share;
    const double az = orientation + Degrees(r.h);
    const double v = Degrees(r.v) * kRad;
    const double hd = std::fabs(std::sin(v)) * r.s;
    P q{station.x + hd * std::cos(az * kRad), station.y + hd * std::sin(az * kRad),
        heights ? r.s * std::cos(v) + station.z + i - r.f : 0};
    if (turn) {
      if (++w.turns == 1) w.firstTurn = az;
      w.length += hd;
      if (total > 0) {
        q.x += m.x / total * hd;
        q.y += m.y / total * hd;
        if (heights) q.z += m.z / total * hd;
      }
      station = q;
      orientation = az + 180;
      i = r.next;
    }
    w.points[r.name] = q;
    w.lastAzimuth = az;
    w.end = q;
  }
  return w;
}

// The whole adjustment of a block coded from the textbook: the angular
// misclosure shared over n turns, the coordinate and height misclosures of the
// tie point over the leg lengths.
struct Adjustment {
  std::map<std::string, P> points;
  double turns = 0, angular = 0, length = 0;
  P misclosure{};
};
Adjustment Compass(const std::vector<std::string>& sights, P start, double orientation, double i, bool heights,
                   bool connecting, P tie, double knownClosing = 0) {
  std::vector<Record> records;
  int turnRecords = 0;
  for (const std::string& s : sights) {
    records.push_back(Read(s));
    turnRecords += records.back().kind == 'T';
  }
  Adjustment a;
  const Walk observed = Traverse(records, records.size(), start, orientation, i, heights, 0, {}, 0);
  const double known = connecting ? knownClosing : observed.firstTurn;
  a.turns = connecting ? turnRecords : turnRecords - 1;
  a.angular = std::remainder(known - observed.lastAzimuth, 360);
  const double share = a.angular / a.turns;
  const std::size_t toTie = records.size() - 1;
  const Walk corrected = Traverse(records, toTie, start, orientation, i, heights, share, {}, 0);
  a.length = corrected.length;
  a.misclosure = {Mm(tie.x - corrected.end.x), Mm(tie.y - corrected.end.y),
                  heights ? Mm(tie.z - corrected.end.z) : 0};
  const Walk adjusted = Traverse(records, toTie, start, orientation, i, heights, share, a.misclosure, a.length);
  a.points = adjusted.points;
  return a;
}

// The known points of the two blocks.
const P kStart{1000, 2000, 50}, kBack{1200, 2050, 0};
const P kS1{1100, 2150, 52}, kS2{1000, 2300, 55}, kS3{900, 2150, 51}, kSide{1050, 2350, 54};
const P kK1{2000, 1000, 0}, kBK1{2000, 800, 0}, kC1{2080, 1100, 0}, kC2{2050, 1250, 0}, kQ1{2100, 1200, 0};
const P kK2{2120, 1380, 0}, kBK2{2300, 1400, 0};
// A block along the axes that closes exactly, and a closing point 5 seconds
// east of north from K2.
const P kZ1{3000, 3000, 0}, kZB{3000, 2900, 0}, kD1{3100, 3000, 0}, kZT{3100, 3200, 0}, kZC{3000, 3300, 0};
const P kNorth{kK2.x + 1000, kK2.y + 1000 * std::tan(5.0 / 3600 * kRad), 0};

// A closed traverse with heights: ST - S1 - S2 (side shot P1) - S3 - ST, the
// closing sight from ST to S1; 8 seconds too much at S2, 3 cm too long S2-S3.
std::vector<std::string> ClosedSights() {
  return {TrueSight('T', kStart, Azimuth(kStart, kBack), kS1, 1.5, 1.5, "S1", 1.4),
          TrueSight('T', kS1, Azimuth(kS1, kStart), kS2, 1.4, 1.5, "S2", 1.6),
          TrueSight('\'', kS2, Azimuth(kS2, kS1), kSide, 1.6, 1.3, "P1"),
          TrueSight('T', kS2, Azimuth(kS2, kS1), kS3, 1.6, 1.5, "S3", 1.5, 8, 0.03),
          TrueSight('T', kS3, Azimuth(kS3, kS2), kStart, 1.5, 1.5, "ST", 1.5),
          TrueSight('\'', kStart, Azimuth(kStart, kS3), kS1, 1.5, 1.5, "S1")};
}
// A connecting traverse without heights: K1 (back-sight BK1) - C1 (side shot
// Q1) - C2 - K2, closing on BK2; 6 seconds too much at C1, 2 cm too long C1-C2.
// `tie` names the tie point, `closing` the closing back-sight point and
// `atC2` adds an angle error (seconds) at C2.
std::vector<std::string> ConnectingSights(const char* tie = "K2", P closing = kBK2, const char* closingName = "BK2",
                                          double atC2 = 0) {
  const double z = 0;
  return {TrueSight('T', kK1, Azimuth(kK1, kBK1), kC1, z, z, "C1", 0),
          TrueSight('\'', kC1, Azimuth(kC1, kK1), kQ1, z, z, "Q1"),
          TrueSight('T', kC1, Azimuth(kC1, kK1), kC2, z, z, "C2", 0, 6, 0.02),
          TrueSight('T', kC2, Azimuth(kC2, kC1), kK2, z, z, tie, 0, atC2),
          TrueSight('\'', kK2, Azimuth(kK2, kC2), closing, z, z, closingName)};
}

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
