// Mouse picks answering the program's own questions, in whole sessions on a
// copy of the sample job: a point picked in the view, a menu number clicked in
// the console, a position picked in the view for the coordinates.
//
// Where a point lies in the view is read the way a user reads it: the view's
// caption shows the ground position under the pointer, so two readings give
// the view's scale and origin as the job's load left them.
//
// No question of the program asks a distance, a direction or a station yet, so
// those picks are covered only where their handlers are called directly.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

#include "runtime/temp_folder.h"
#include "scripted/session.h"
#include "support/u8.h"

namespace {

using scripted::Files;
using scripted::HasLineContaining;
using scripted::HasLineStartingWith;
using scripted::InOrder;
using scripted::Krn;
using scripted::SampleJob;
using scripted::SessionResult;
using scripted::ShippedFile;

// A session on the sample job, opened from the command line.
SessionResult OnTheSampleJob(const std::string& script) {
  return Krn(script, {"./SAMPLE.PRN"}, SampleJob());
}

struct Ground {
  double x, y;
};

// A point of the sample job by name (its line: name, X, Y, Z, attribute).
std::optional<Ground> SamplePoint(const std::string& wanted) {
  std::istringstream lines(ShippedFile("SAMPLE.PRN"));
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string name;
    Ground g{};
    if (words >> name >> g.x >> g.y && name == wanted) return g;
  }
  return std::nullopt;
}

// The ground position the view's caption shows ("X=... Y=..."), from the
// transcript line of "!state view" number `which` (0 first).
std::optional<Ground> CaptionReading(const SessionResult& session, int which) {
  for (const std::string& line : session.Lines()) {
    if (!line.starts_with("view caption=\"X=") || which-- > 0) continue;
    Ground g{};
    if (std::sscanf(line.c_str(), "view caption=\"X=%lf Y=%lf", &g.x, &g.y) == 2) return g;
  }
  return std::nullopt;
}

// The view's mapping between its own units and the ground, as two caption
// readings at known pointer positions show it: ground Y grows with the view's
// x, ground X with its upward y.
struct ViewMap {
  double x0, y0;    // the first reading's view position
  Ground at0;       // and its ground position
  double perUnitX;  // ground Y per view unit across
  double perUnitY;  // ground X per view unit upwards

  double ViewX(const Ground& g) const { return x0 + (g.y - at0.y) / perUnitX; }
  double ViewY(const Ground& g) const { return y0 - (g.x - at0.x) / perUnitY; }
};

// Reads the mapping at the main menu of `session` (run on a script), where the
// caption shows the pointer's ground position. A move shows in the caption once
// the program has seen the pointer rest there, hence each move twice.
std::optional<ViewMap> MeasureTheView(SessionResult (*onTheJob)(const std::string& script)) {
  constexpr double kX0 = 400, kY0 = 500, kX1 = 1000, kY1 = 1000;
  const SessionResult session = onTheJob(
      "!move view 400 500\n!move view 400 500\n!state view\n"
      "!move view 1000 1000\n!move view 1000 1000\n!state view\n");
  const std::optional<Ground> first = CaptionReading(session, 0);
  const std::optional<Ground> second = CaptionReading(session, 1);
  if (session.status != 0 || !first || !second) {
    ADD_FAILURE() << "no caption readings\n" << session.transcript << session.errors;
    return std::nullopt;
  }
  return ViewMap{kX0, kY0, *first, (second->y - first->y) / (kX1 - kX0),
                 (first->x - second->x) / (kY1 - kY0)};
}

std::string At(double x, double y) {
  return std::to_string(static_cast<int>(std::lround(x))) + " " +
         std::to_string(static_cast<int>(std::lround(y)));
}

// The console cell of a character of a console line (UTF-8): full-width
// characters take two cells, ASCII and half-width katakana one.
int CellColumn(const std::string& line, size_t byteOffset) {
  int column = 0;
  for (size_t i = 0; i < byteOffset;) {
    const unsigned char lead = static_cast<unsigned char>(line[i]);
    const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    // U+FF61 to U+FF9F: EF BD A1..BF and EF BE 80..9F.
    const unsigned char third = length == 3 ? static_cast<unsigned char>(line[i + 2]) : 0;
    const bool halfWidthKana = length == 3 && ((line.compare(i, 2, "\xEF\xBD") == 0 && third >= 0xA1) ||
                                               (line.compare(i, 2, "\xEF\xBE") == 0 && third <= 0x9F));
    column += (length == 1 || halfWidthKana) ? 1 : 2;
    i += length;
  }
  return column;
}

TEST(CellColumn, CountsFullWidthCharactersTwice) {
  EXPECT_EQ(CellColumn(U8(u8"  9：ＣＡＤ 12"), std::string(U8(u8"  9：ＣＡＤ ")).size()), 12);
  EXPECT_EQ(CellColumn(U8(u8"ｱｳﾄ X"), std::string(U8(u8"ｱｳﾄ ")).size()), 4);
}

class PicksSession : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { map_ = MeasureTheView(OnTheSampleJob); }
  static void TearDownTestSuite() { map_.reset(); }

  void SetUp() override {
    ASSERT_TRUE(map_.has_value());
    ASSERT_GT(map_->perUnitX, 0);
    ASSERT_GT(map_->perUnitY, 0);
  }

  // "!click view X Y" on a ground position.
  static std::string ClickOn(const Ground& g) {
    return "!click view " + At(map_->ViewX(g), map_->ViewY(g)) + "\n";
  }

  static std::optional<ViewMap> map_;
};

std::optional<ViewMap> PicksSession::map_;

// A job of 40 points in which 5, 12 and 40 are all named A1, about 110 m apart;
// the others, P1 ... on a grid of 15 m, lie away from them.
const Ground kSameNamed[] = {{-35000, -12400}, {-35000, -12290}, {-34890, -12400}};
constexpr int kSameNamedNumbers[] = {5, 12, 40};

std::string SameNamedJob() {
  std::string file;
  for (int n = 1; n <= 40; ++n) {
    Ground g{-35000.0 + (n % 7) * 15, -12400.0 + (n / 7) * 15};
    std::string name = "P" + std::to_string(n);
    for (int k = 0; k < 3; ++k) {
      if (kSameNamedNumbers[k] != n) continue;
      g = kSameNamed[k];
      name = "A1";
    }
    char line[96];
    std::snprintf(line, sizeof line, "%s %.4f %.4f 10.0000 02\r\n", name.c_str(), g.x, g.y);
    file += line;
  }
  return file;
}

SessionResult OnTheSameNamedJob(const std::string& script) {
  return Krn(script, {"./JOB.PRN"}, {{"JOB.PRN", SameNamedJob()}});
}

class SameNamedPicksSession : public PicksSession {
 protected:
  static void SetUpTestSuite() { map_ = MeasureTheView(OnTheSameNamedJob); }
};

TEST_F(SameNamedPicksSession, AClickOnOneOfThreeSameNamedPointsDesignatesThatPoint) {
  for (int k = 0; k < 3; ++k) {
    const std::string number = std::to_string(kSameNamedNumbers[k]);
    SCOPED_TRACE("point " + number);
    // Command 12; the click offers "A1 OK?"; Enter takes the name, whose three
    // points are listed with the clicked one offered; Enter takes it.
    const SessionResult session = OnTheSameNamedJob("12\n" + ClickOn(kSameNamed[k]) + "\n\n");
    ASSERT_EQ(session.status, 0) << session.errors;
    EXPECT_TRUE(HasLineStartingWith(session, "NO.? A1 OK?")) << session.transcript;
    EXPECT_TRUE(session.HasLine(U8(u8" 5 12 40 の点番に A1 あり No.") + number + "?"))
        << session.transcript;
    EXPECT_TRUE(HasLineStartingWith(session, "NO. " + number + " ----- A1 ")) << session.transcript;
  }
  // The name typed offers the lowest number.
  const SessionResult typed = OnTheSameNamedJob("12\nA1\n\n");
  ASSERT_EQ(typed.status, 0) << typed.errors;
  EXPECT_TRUE(typed.HasLine(U8(u8" 5 12 40 の点番に A1 あり No.5?"))) << typed.transcript;
  EXPECT_TRUE(HasLineStartingWith(typed, "NO. 5 ----- A1 ")) << typed.transcript;
}

TEST_F(PicksSession, APointPickedInTheViewIsOfferedWithOkAndEnterTakesIt) {
  const std::optional<Ground> bm1 = SamplePoint("BM1");
  ASSERT_TRUE(bm1);
  // Command 12 asks the point to search from; the current point (T1) is proposed.
  const SessionResult session = OnTheSampleJob("12\n" + ClickOn(*bm1) + "\n\n");
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {U8(u8" 検索点 T1")}));
  EXPECT_TRUE(HasLineStartingWith(session, "NO.? BM1 OK?")) << session.transcript;
  // Enter takes the offered point: its number, name and coordinates.
  EXPECT_TRUE(HasLineStartingWith(session, "NO. 4 ----- BM1")) << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, " X= -35069.226  Y= -12489.131")) << session.transcript;
  EXPECT_FALSE(HasLineStartingWith(session, "NO. 1 ----- T1")) << session.transcript;
}

TEST_F(PicksSession, APressNearNoPointShowsOutAndTypesNothing) {
  const std::optional<Ground> t1 = SamplePoint("T1");
  ASSERT_TRUE(t1);
  // Far from every point: 2 m beyond T1 in ground Y (the view's x).
  const Ground empty{t1->x, t1->y - 2};
  const SessionResult session = OnTheSampleJob("12\n" + ClickOn(empty) + "\n\n");
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(HasLineStartingWith(session, U8(u8"NO.? ｱｳﾄ"))) << session.transcript;
  EXPECT_FALSE(HasLineContaining(session, " OK?")) << session.transcript;
  // Enter then answers nothing, as it does without the press: no point is taken.
  EXPECT_FALSE(HasLineContaining(session, " ----- ")) << session.transcript;
}

TEST_F(PicksSession, AMenuNumberClickedInTheConsoleRunsItsCommand) {
  // Where "12" stands on the main menu's row of commands 9 to 12 (row 4).
  const std::string menuRow =
      U8(u8"  9：ＣＡＤ      10：電子野帳   11：END  12:検索   Ent：結線");
  const SessionResult menu = OnTheSampleJob("!screen\n");
  ASSERT_TRUE(menu.HasLine("|" + menuRow)) << menu.transcript;
  const int column = CellColumn(menuRow, menuRow.find("12:"));
  constexpr int kRow = 4;
  const std::string click =
      "!click main " + std::to_string(column * 8 + 4) + " " + std::to_string(kRow * 18 + 9) + "\n";

  // The click answers at once (no Enter): the number stands at the prompt and
  // command 12 asks for its point.
  const SessionResult session = OnTheSampleJob(click);
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {U8(u8"  プログラムＮＯ= 12"), U8(u8" 検索点 T1")}));
}

TEST_F(PicksSession, APositionPickedForTheCoordinatesAnswersF) {
  // The reading's own position, whose ground coordinates the caption showed.
  const Ground g = map_->at0;
  // Command 12; "P" switches the point question to coordinates; the click answers "X=".
  const SessionResult session = OnTheSampleJob("12\nP\n" + ClickOn(g) + "\n");
  ASSERT_EQ(session.status, 0) << session.errors;
  char x[64], y[64];
  std::snprintf(x, sizeof x, "X=%12.3f", g.x);
  std::snprintf(y, sizeof y, "Y=%12.3f", g.y);
  EXPECT_TRUE(HasLineStartingWith(session, x + std::string(" "))) << x << "\n" << session.transcript;
  EXPECT_TRUE(session.HasLine(y)) << y << "\n" << session.transcript;
  // Answered "F": no Y question follows, the range question comes next.
  EXPECT_TRUE(session.HasLine("[5,10,20,30,50,100,200,500,1000]")) << session.transcript;
  EXPECT_FALSE(HasLineStartingWith(session, "Y=?")) << session.transcript;
}

}  // namespace
