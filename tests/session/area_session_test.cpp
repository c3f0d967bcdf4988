// Command 6 in whole sessions on a fixture job: the coordinate area report of a
// square in each style against its golden report (CP932, CR LF), the window's
// "S=", the outline left as area lines and their deletion by choice 7, and the
// Heron and base-and-height commands with worked examples, and the coordinate
// triangles' labels in the view.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "session/fixture_points.h"
#include "support/u8.h"

namespace {

// The square (0,0), (10,0), (10,10), (0,10) (X north, Y east), clockwise.
const std::vector<fixture_points::FixturePoint> kSquare = {
    {0, 0, "P1", "91"}, {10, 0, "P2", "91"}, {10, 10, "P3", "91"}, {0, 10, "P4", "91"}};

// The golden report `name`; with KRN_WRITE_GOLDEN set, `actual` is written as
// the golden report first (to be reviewed by hand before it is committed).
std::string Golden(const std::string& name, const std::string& actual) {
  const std::string path = std::string(KRN_TEST_DATA) + "/area/" + name;
  if (std::getenv("KRN_WRITE_GOLDEN") != nullptr) WriteHostFile(path, actual);
  return ReadHostFile(path);
}

// Runs `script` on the square; the transcript.
std::string Session(const std::string& script, const TempFolder& data) {
  const TempFolder windows, io;
  const int status = fixture_points::Run(script, kSquare, data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  EXPECT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  return transcript;
}

// Area menu 4 in `style` on the square typed in order, Q, Enter at the area
// menu, and the report saved from the result menu as REPORT.TXT.
std::string ReportOfStyle(const std::string& style, const TempFolder& data, std::string* transcript) {
  *transcript = Session("6\n4\n" + style + "\n\nP1\nP2\nP3\nP4\n\nQ\n\n3\n\n!file REPORT\n\n", data);
  return ReadHostFile(data / "REPORT.TXT");
}

TEST(AreaSession, TheSquaresReportInEachStyleIsItsGoldenReport) {
  for (const char* style : {"0", "1", "2", "3", "4"}) {
    SCOPED_TRACE(style);
    const TempFolder data;
    std::string transcript;
    const std::string report = ReportOfStyle(style, data, &transcript);
    EXPECT_EQ(report, Golden(std::string("square_style") + style + ".txt", report));
    EXPECT_NE(transcript.find("S=       100.0000000 " + U8(u8"㎡")), std::string::npos) << transcript;
  }
}

TEST(AreaSession, TheOutlineStaysAsAreaLinesUntilChoiceSevenDeletesThem) {
  const TempFolder data;
  // The report in style 0, the job saved with its lines; then choice 7 with
  // Enter (the default Y) and the job saved again.
  const std::string transcript = Session(
      "6\n4\n0\n\nP1\nP2\nP3\nP4\n\nQ\n\n\n"
      "5\n4\n1\n!file ONE.PRN\n"
      "6\n7\n\n\n"
      "5\n4\n1\n!file TWO.PRN\n\n",
      data);
  const std::string outline = ReadHostFile(data / "ONE.SEN");
  // Five vertices on layer 6: the polyline's start, three segments and the
  // closing one back to P1.
  std::istringstream in(outline);
  std::vector<std::string> records;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("'")) records.push_back(line);  // the vertex records
  }
  EXPECT_EQ(records, (std::vector<std::string>{
                         "'    1=P1               9  6 ", "'    2=P2               0  6 ",
                         "'    3=P3               0  6 ", "'    4=P4               0  6 ",
                         "'    1=P1               0  6 "}))
      << outline;
  EXPECT_NE(transcript.find("[sound] recycle.wav"), std::string::npos) << transcript;
  // No area-line vertex ends a segment any more, so the saved lines hold none.
  const std::string deleted = ReadHostFile(data / "TWO.SEN");
  EXPECT_EQ(deleted.find("'"), std::string::npos) << deleted;
}

TEST(AreaSession, HeronAndTriangleAreasGiveThePartsExamples) {
  const TempFolder data;
  const std::string transcript = Session(
      "6\n1\nL1\n3\n4\n5\n1\n2\n5\n\nQ\n3\n\n!file HERON\n\n"
      "6\n2\n100\nT1\n12.3456\n7.5\n\nQ\n3\n\n!file TRIANGLE\n\n",
      data);
  const std::string heron = ReadHostFile(data / "HERON.TXT");
  EXPECT_EQ(heron, Golden("heron.txt", heron));
  const std::string triangle = ReadHostFile(data / "TRIANGLE.TXT");
  EXPECT_EQ(triangle, Golden("triangle.txt", triangle));
  EXPECT_NE(transcript.find(U8(u8"計算出来ません")), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("[sound] chord.wav"), std::string::npos) << transcript;
}

}  // namespace

TEST(AreaSession, CoordinateTrianglesLabelTheirTrianglesAndTheLandNumberInTheView) {
  // The square fitted into the view; the coordinate triangles of a new parcel
  // T1, its perimeter and two triangles, with a picture taken while the second
  // triangle's label is fresh (End redraws) and one after the parcel is stored.
  const TempFolder data, windows, io;
  const int status = fixture_points::Run(
      "{END}ZE=\n!png view before.png\n"
      "6\n3\n100\n1\nT1\nY\nP1\nP2\nP3\nP4\n\nP1\nP2\nP3\nP1\nP3\nP4\n{END}{NOENTER}\n"
      "!png view triangles.png\n\nQ\n!png view stored.png\n\n",
      kSquare, data, windows, io);
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << ReadHostFile(io / "out");
  const fixture_points::Png before(data / "before.png"), triangles(data / "triangles.png"),
      stored(data / "stored.png");
  ASSERT_TRUE(before.Ok() && triangles.Ok() && stored.Ok());
  const fixture_points::FittedView fit(kSquare, before);
  constexpr int kTriangleColour = 8;
  // ^1 and ^2 in their circles at the centroids of P1 P2 P3 and P1 P3 P4.
  const struct {
    double x, y;
  } centroids[] = {{20.0 / 3, 10.0 / 3}, {10.0 / 3, 20.0 / 3}};
  for (const auto& c : centroids) {
    const int px = fit.PixelX(c.y), py = fit.PixelY(c.x);
    EXPECT_EQ(before.CountAround(kTriangleColour, px, py, 8), 0);
    EXPECT_GT(triangles.CountAround(kTriangleColour, px, py, 8), 20);
  }
  // The land number T1 at the mean of the perimeter's vertices, in the colour
  // of height texts, once the parcel is stored.
  constexpr int kLandNumberColour = 13;
  const int px = fit.PixelX(5), py = fit.PixelY(5);
  EXPECT_EQ(before.CountAround(kLandNumberColour, px, py, 15), 0);
  EXPECT_GT(stored.CountAround(kLandNumberColour, px, py, 15), 10);
}
