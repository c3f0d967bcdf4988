// The plot of a drawing in whole sessions of the program, read back by
// python3-ezdxf: the default plot when the DXF menu is left at once (marks,
// full-width names, elevations and codes at the places the mapping coded here
// gives), choice 1 with typed answers, "N" at its confirmation, and choice 2.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "runtime/text.h"
#include "scripted/session.h"
#include "support/dxf_entities.h"
#include "support/u8.h"

namespace {

using dxf_entities::Entity;
using scripted::Krn;
using scripted::SessionResult;

// Four points: a registered mark 3 (□＋), none (the general ＋), 5 (○・) and
// 1 (・); Japanese names, a point without height, codes after the mark digit.
struct JobPoint {
  const char8_t* name;
  double x, y, z;
  const char* attribute;
  const char8_t* shown;      // the name as the drawing shows it
  const char* elevation;     // with 2 decimals; empty: none
  const char* code;
  size_t polylines, circles;  // the default plot's marks
};
const JobPoint kPoints[] = {
    {u8"測点1", 985, 2010, 10.456, "93", u8"測点１", "10.46", "", 2, 0},
    {u8"A2", 1085, 2010, 12.5, "9", u8"Ａ２", "12.50", "", 1, 0},
    {u8"ｶﾞｹ3", 1085, 2070, 7.5, "95TREE", u8"ガケ３", "7.50", "TREE", 0, 2},
    {u8"P4", 1000, 2050, 0, "91", u8"Ｐ４", "", "", 0, 1},
};

scripted::Files Job() {
  std::string prn;
  for (const JobPoint& p : kPoints) {
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, " %g %g %g ", p.x, p.y, p.z);
    prn += rt::Utf8ToCp932(U8(p.name)) + numbers + p.attribute + "\r\n";
  }
  return {{"JOB.PRN", prn + "\x1a\r\n"}};
}

// The CAD menu at 1:500 with the origin X 970, Y 1990 and no rotation, then
// "6:DXF" and the drawing KOJI1.
const std::string kToDxfMenu = "9\n4\n3\n500\n970\n1990\n5\n0\n\n6\n!file KOJI1\n";

struct Paper {
  double x, y;
};
Paper Mapped(double X, double Y) { return {(Y - 1990) / 500 * 1000, (X - 970) / 500 * 1000}; }

bool Near(double a, double b) { return std::fabs(a - b) < 2e-6; }

dxf_entities::Drawing Read(const SessionResult& session) {
  const dxf_entities::Drawing d = dxf_entities::Read(*session.dataFolder / "KOJI1.DXF");
  EXPECT_EQ(d.readErrors, 0) << d.all;
  EXPECT_EQ(d.auditErrors, 0) << d.all;
  return d;
}

// The TEXT on `layer` standing at (x, y), if any.
const Entity* TextAt(const dxf_entities::Drawing& d, const std::string& layer, double x, double y) {
  for (const Entity& e : d.entities) {
    if (e.kind == "TEXT" && e.layer == layer && Near(e.numbers[0], x) && Near(e.numbers[1], y)) return &e;
  }
  return nullptr;
}

// The mark records about (x, y): circles centred there, outlines within r of it.
std::pair<size_t, size_t> MarksAt(const dxf_entities::Drawing& d, double x, double y, double r) {
  size_t polylines = 0, circles = 0;
  for (const Entity& e : d.On(U8(u8"マ-ク"))) {
    if (e.kind == "CIRCLE" && Near(e.numbers[0], x) && Near(e.numbers[1], y)) ++circles;
    if (e.kind != "POLYLINE") continue;
    bool around = true;
    for (const auto& [vx, vy] : e.vertices) around &= std::hypot(vx - x, vy - y) <= r * std::sqrt(2.0) + 1e-6;
    polylines += around;
  }
  return {polylines, circles};
}

TEST(DxfPlotSession, LeavingTheMenuAtOncePlotsEveryPointWithTheDefaults) {
  const SessionResult session = Krn(kToDxfMenu + "\n", {"./JOB.PRN"}, Job());
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_TRUE(scripted::HasLineContaining(session, U8(u8"KOJI1.DXF 出力しています"))) << session.transcript;
  const dxf_entities::Drawing d = Read(session);
  EXPECT_EQ(d.Count("POINT"), 0u) << d.all;
  constexpr double T = 1.8;
  for (const JobPoint& p : kPoints) {
    const Paper at = Mapped(p.x, p.y);
    const Entity* name = TextAt(d, U8(u8"点名"), at.x + 0.8 * T, at.y - T / 2);
    ASSERT_NE(name, nullptr) << U8(p.name) << "\n" << d.all;
    EXPECT_EQ(name->text, U8(p.shown));
    EXPECT_NEAR(name->numbers[2], p.z * 2, 2e-6);  // the height at 1:500, in mm
    const Entity* elevation = TextAt(d, U8(u8"標高"), at.x + 0.8 * T, at.y - 1.5 * T);
    if (*p.elevation) {
      ASSERT_NE(elevation, nullptr) << U8(p.name);
      EXPECT_EQ(elevation->text, p.elevation);
    } else {
      EXPECT_EQ(elevation, nullptr) << U8(p.name);
    }
    const Entity* code = TextAt(d, U8(u8"コ-ド"), at.x + 0.8 * T, at.y + 0.5 * T);
    ASSERT_NE(code, nullptr) << U8(p.name);
    EXPECT_EQ(code->text, p.code);
    EXPECT_EQ(MarksAt(d, at.x, at.y, 0.5), std::make_pair(p.polylines, p.circles)) << U8(p.name);
  }
}

// Choice 1's answers after a choice 2 (which leaves the registered lines off,
// so "登録結線[0,1]" is not asked): text size 2.2, 3 decimals, names, no codes,
// POINT records, the mark ◎ of size 3, no grid, 3-D off, then `confirm`.
std::string ChoiceOne(const std::string& confirm) {
  return U8(u8"1\n2.2\n3\n1\n0\n1\n◎\n3\n0\n0\n") + confirm + "\n";
}

// Choice 2 adding point 1 with every default answer; the selection is point 1
// from then on.
const std::string kAddPointOne = "2\n1\n\n" + std::string(10, '\n');

TEST(DxfPlotSession, ChoiceOneMakesTheDrawingAnewWithItsPlotOnly) {
  // An added plot first (the defaults, then point 1 again), then choice 1 on
  // the selection that choice 2 made.
  const SessionResult session = Krn(kToDxfMenu + kAddPointOne + ChoiceOne("") + "\n", {"./JOB.PRN"}, Job());
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  const dxf_entities::Drawing d = Read(session);
  const JobPoint& p = kPoints[0];
  const Paper at = Mapped(p.x, p.y);
  const std::vector<Entity> points = d.On(U8(u8"ポイント"), "POINT");
  ASSERT_EQ(points.size(), 1u) << d.all;
  EXPECT_TRUE(Near(points[0].numbers[0], at.x) && Near(points[0].numbers[1], at.y)) << d.all;
  EXPECT_EQ(d.On(U8(u8"点名")).size(), 1u) << d.all;  // the earlier plots are gone
  EXPECT_EQ(d.On(U8(u8"コ-ド")).size(), 0u);
  EXPECT_EQ(MarksAt(d, at.x, at.y, 1.5), std::make_pair(size_t{0}, size_t{2}));
  EXPECT_EQ(d.On(U8(u8"マ-ク")).size(), 2u);
  const Entity* name = TextAt(d, U8(u8"点名"), at.x + 0.8 * 2.2, at.y - 1.1);
  ASSERT_NE(name, nullptr) << d.all;
  EXPECT_EQ(name->text, U8(p.shown));
  EXPECT_NEAR(name->numbers[3], 2.2, 1e-9);
  const Entity* elevation = TextAt(d, U8(u8"標高"), at.x + 0.8 * 2.2, at.y - 3.3);
  ASSERT_NE(elevation, nullptr) << d.all;
  EXPECT_EQ(elevation->text, "10.456");
  const std::string drawing = session.File("KOJI1.DXF");
  EXPECT_EQ(drawing.find("\r\n 30\r\n", drawing.find("ENTITIES")), std::string::npos);
}

TEST(DxfPlotSession, NoAtTheConfirmationKeepsTheEarlierPlots) {
  const SessionResult session = Krn(kToDxfMenu + kAddPointOne + ChoiceOne("N"), {"./JOB.PRN"}, Job());
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  // The CAD menu after "N".
  const size_t confirm = session.transcript.rfind(U8(u8"OK=[Y,N]Ｙ"));
  ASSERT_NE(confirm, std::string::npos);
  EXPECT_NE(session.transcript.find(U8(u8"6:DXF"), confirm), std::string::npos) << session.transcript;
  const dxf_entities::Drawing d = Read(session);
  // The default plot's four names and the added point's.
  EXPECT_EQ(d.On(U8(u8"点名")).size(), 5u) << d.all;
  EXPECT_TRUE(d.On(U8(u8"タイトル")).empty());
  EXPECT_TRUE(session.File("KOJI1.DXF").ends_with("  0\r\nENDSEC\r\n  0\r\nEOF\r\n"));
}

TEST(DxfPlotSession, ChoiceTwoPlotsTheDefaultsThenTheAddedPoints) {
  // Point 4 added with text size 2.6, no elevation, names, no codes, no POINT
  // records, mark ■ of size 2, no grid, 3-D on.
  const std::string added = U8(u8"2\n4\n\n2.6\n0\n1\n0\n0\n■\n2\n0\n1\n\n\n");
  const SessionResult session = Krn(kToDxfMenu + added, {"./JOB.PRN"}, Job());
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  const dxf_entities::Drawing d = Read(session);
  const std::vector<Entity> names = d.On(U8(u8"点名"));
  ASSERT_EQ(names.size(), 5u) << d.all;
  for (size_t k = 0; k < 4; ++k) EXPECT_NEAR(names[k].numbers[3], 1.8, 1e-9);
  const Paper p4 = Mapped(1000, 2050);
  EXPECT_NEAR(names[4].numbers[0], p4.x + 0.8 * 2.6, 2e-6);
  EXPECT_NEAR(names[4].numbers[3], 2.6, 1e-9);
  EXPECT_EQ(names[4].text, U8(u8"Ｐ４"));
  // The default ・ of point 4 and the added fill, 30 vertices.
  size_t fills = 0;
  for (const Entity& e : d.On(U8(u8"マ-ク"), "POLYLINE")) fills += e.vertices.size() == 30;
  EXPECT_EQ(fills, 1u);
  EXPECT_EQ(d.On(U8(u8"標高")).size(), 3u);  // the default plot's only
}

}  // namespace
