// The longitudinal section in a whole session: a section job set up on the
// CAD menu and saved, its route (station interval 20 m) and vertical table
// (change points 0/10, 100/12 with VCL 80, 200/10) and a table of gradient,
// plan height, ground height, chainage and station put into the saved job,
// then the job opened and plotted through "6:DXF" in the text mode for
// AutoCAD. ezdxf reads the drawing; the stations' lines, each row's value at
// its station (the plan height from the textbook parabola), the row names and
// the flag are placed by the paper formulas coded here.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
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

// Plan points NO.0 to NO.10 every 20 m (heights 10.5 + 0.1 i), ground points
// at 30 and 130 m, a flag at 65 m coded BM1.
struct Station {
  std::string name;
  double height, chainage;
};
std::vector<Station> Stations() {
  std::vector<Station> s;
  for (int i = 0; i <= 10; ++i) s.push_back({"NO." + std::to_string(i), 10.5 + 0.1 * i, 20.0 * i});
  s.push_back({"G1", 11.2, 30});
  s.push_back({"G2", 11.4, 130});
  return s;
}

scripted::Files SectionJob() {
  std::string prn;
  for (const Station& s : Stations()) {
    char line[96];
    std::snprintf(line, sizeof line, "%s %g %g 0 %s\r\n", s.name.c_str(), s.height, s.chainage,
                  s.name[0] == 'G' ? "97" : "95");
    prn += line;
  }
  return {{"SEC.PRN", prn + "F1 11 65 0 92BM1\r\n\x1a\r\n"}};
}

// CAD menu 2 (first use), drawing on, scales 100 and 1000, the road type,
// the editor left, the position prompts passed, back to the main menu, and
// the job saved.
const std::string kSetUpAndSave =
    "9\n2\n1\n2\n100\n1000\n4\n1\n4\n1\n1\n1\n7\n" + std::string(9, '\n') + "E\n\n3\n\n\n\n\n\n\n"
    "5\n4\n1\n!file SEC.PRN\n";
// The drawing at 1:1000 with the origin X (height) 0 and Y (chainage) -50,
// then "6:DXF" into SEC1, left at once: the default plot, text mode 2.
const std::string kPlot = "9\n4\n3\n1000\n0\n-50\n5\n0\n\n6\n!file SEC1\n\n2\n";

// The saved job with the route rows, the vertical table and the five rows.
std::string WithRouteAndRows(const std::string& sen) {
  std::string out;
  for (size_t at = 0; at < sen.size();) {
    const size_t end = sen.find("\r\n", at);
    std::string line = sen.substr(at, end - at);
    at = end == std::string::npos ? sen.size() : end + 2;
    auto Fields = [&](const std::vector<std::string>& first) {
      std::vector<std::string> f;
      for (size_t p = 0, q; p != std::string::npos; p = q == std::string::npos ? q : q + 1) {
        q = line.find(',', p);
        f.push_back(line.substr(p, q == std::string::npos ? q : q - p));
      }
      for (size_t k = 0; k < first.size(); ++k) f[k + 1] = first[k];
      std::string joined = f[0];
      for (size_t k = 1; k < f.size(); ++k) joined += "," + f[k];
      return joined;
    };
    if (line.rfind("~1", 0) == 0) {
      out += "/ 0              \r\n/ 20             \r\n";
      for (const char* v : {"0", "10", "0", "100", "12", "80", "200", "10", "9999"}) out += "^" + std::string(v) + "\r\n";
      line = line.substr(0, line.rfind(',')) + ", 4 ";  // the last row
    } else if (line.rfind("~4", 0) == 0) {
      line = Fields({" 15 ", " 15 ", " 15 ", " 15 ", " 15 "});
    } else if (line.rfind("~5", 0) == 0) {
      line = Fields({" 14 ", " 11 ", " 4 ", " 3 ", " 1 "});
    }
    out += line + "\r\n";
  }
  return out;
}

// An ASCII text in its full-width form (UTF-8).
std::string FullWidth(const std::string& ascii) {
  std::u32string wide;
  for (const char c : ascii) wide += c == ' ' ? U'\u3000' : static_cast<char32_t>(c - 0x21 + 0xFF01);
  std::string utf8;
  for (const char32_t c : wide) {
    utf8 += static_cast<char>(0xE0 | (c >> 12));
    utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (c & 0x3F));
  }
  return utf8;
}

// The plan height: +2 % to 100 m, -2 % after, the parabola of 80 m between.
double PlanHeight(double c) {
  if (c <= 60) return 10 + 0.02 * c;
  if (c >= 140) return 12 - 0.02 * (c - 100);
  const double x = c - 60;
  return 10 + 0.02 * c - 0.04 * x * x / (2 * 80);
}

std::string Value(double v, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%8.*f", decimals, v);
  return FullWidth(text);
}

TEST(ProfileDxfSession, TheSectionIsWrittenStationByStationInTheModeForAutoCad) {
  const SessionResult setUp = Krn(kSetUpAndSave, {"./SEC.PRN"}, SectionJob());
  ASSERT_EQ(setUp.status, 0) << setUp.errors << setUp.transcript;
  const std::string sen = setUp.File("SEC.SEN");
  ASSERT_NE(sen.find("\r\n~5"), std::string::npos) << sen;

  const SessionResult plot =
      Krn(kPlot, {"./SEC.PRN"}, {{"SEC.PRN", setUp.File("SEC.PRN")}, {"SEC.SEN", WithRouteAndRows(sen)}});
  ASSERT_EQ(plot.status, 0) << plot.errors << plot.transcript;
  EXPECT_TRUE(scripted::HasLineContaining(plot, U8(u8" 文字列   1:Rapidモード  2:AutoCADモード  1? 2")))
      << plot.transcript;
  const dxf_entities::Drawing d = dxf_entities::Read(*plot.dataFolder / "SEC1.DXF");
  EXPECT_EQ(d.readErrors, 0) << d.all;
  EXPECT_EQ(d.auditErrors, 0) << d.all;

  // Paper: x = chainage + 50, y = 10 x height; the datum at 10 x its level
  // (5 m as the single-precision factor leaves it), row 0's top 5 mm below
  // it, rows of 15 mm with 1 mm gaps: row r's bottom at yD - 20 - 16 r.
  const double yD = 10 * 4.99999985098839;
  const std::vector<Station> stations = Stations();
  const std::vector<Entity> lines = d.On(U8(u8"縦断線"), "LINE");
  ASSERT_EQ(lines.size(), 5 * stations.size()) << d.all;
  for (size_t s = 0; s < stations.size(); ++s) {
    SCOPED_TRACE(stations[s].name);
    const double x = stations[s].chainage + 50;
    const std::vector<double>& vertical = lines[5 * s].numbers;
    EXPECT_NEAR(vertical[0], x, 1e-6);
    EXPECT_NEAR(vertical[1], 10 * stations[s].height, 1e-6);
    EXPECT_NEAR(vertical[3], yD, 1e-6);
    for (size_t k = 1; k < 5; ++k) {
      EXPECT_NEAR(lines[5 * s + k].numbers[1], yD - 20 - 16.0 * (k - 1) - 1, 1e-6);  // the gap below row k-1
    }

    // Rows 1 to 4 at the station's column: plan height (3 decimals), ground
    // height and chainage (2), the name. The gradient row holds only the grade
    // line's change-point heights (0, 100 and 200 m stand on stations).
    std::vector<std::string> rows(5);
    for (const Entity& e : d.On(U8(u8"縦断値"), "TEXT")) {
      if (std::abs(e.numbers[0] - (x + 2.4 * 0.7 / 2)) > 1e-5 || e.numbers[5] != 90) continue;
      EXPECT_NEAR(e.numbers[4], 0.56, 1e-6);
      const double row = (yD - 20 - (e.numbers[1] - (8.333333 - 8) / 2)) / 16;
      ASSERT_NEAR(row, std::round(row), 1e-5) << e.text;
      rows[static_cast<size_t>(std::round(row))] = e.text;
    }
    const double c = stations[s].chainage;
    const bool changePoint = c == 0 || c == 100 || c == 200;
    EXPECT_EQ(rows[0], changePoint ? Value(c == 100 ? 12 : 10, 3) : "");
    EXPECT_EQ(rows[1], Value(PlanHeight(stations[s].chainage), 3));
    EXPECT_EQ(rows[2], Value(stations[s].height, 2));
    EXPECT_EQ(rows[3], Value(stations[s].chainage, 2));
    EXPECT_EQ(rows[4], FullWidth(stations[s].name));
  }
  EXPECT_EQ(Value(PlanHeight(100), 3), FullWidth("  11.600"));

  // Row names in the mode for AutoCAD: 4 mm per character; the flag along 20
  // degrees from its pole's top, 100 mm above the flag point.
  bool height = false, chainage = false, flag = false;
  for (const Entity& e : d.On(U8(u8"縦断枠"), "TEXT")) {
    height |= e.text == U8(u8"地盤高") && std::abs(e.numbers[4] - 4.0 / 3) < 1e-6;
    chainage |= e.text == U8(u8"追加距離") && std::abs(e.numbers[4] - 1.0) < 1e-6;
    flag |= e.text == FullWidth("NO.3+5.00  BM1") && e.numbers[5] == 20 && std::abs(e.numbers[0] - 115) < 1e-6 &&
            std::abs(e.numbers[1] - 210) < 1e-6;
  }
  EXPECT_TRUE(height && chainage && flag) << d.all;
}

}  // namespace
