// The DXF import in whole sessions: drawings written by python3-ezdxf (R2000
// with code page 932, R2010 in UTF-8) and the program's own drawing read back,
// the job then saved and its points and connection lines compared with the
// entities' geometry coded here (drawing x is Y, y is X, z is Z, times the
// scale).
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/text.h"
#include "scripted/session.h"
#include "support/u8.h"
#include "transfer/dxf_import_drawings.h"

namespace {

using scripted::Krn;
using scripted::SessionResult;

struct Point {
  std::string name;
  double x, y, z;
};
struct Vertex {
  int point;
  std::string name;
  int type, layer;
  std::string arc;
  bool operator==(const Vertex&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Vertex& v) {
  return out << "(" << v.point << " " << v.name << " " << v.type << " " << v.layer << " '" << v.arc << "')";
}

// The points of a saved job, numbered by their lines.
std::vector<Point> SavedPoints(const std::string& file) {
  std::vector<Point> points{{}};
  std::istringstream in(file);
  for (std::string line; std::getline(in, line);) {
    if (line.size() < 58) continue;
    std::string name = line.substr(0, 16);
    name.erase(name.find_last_not_of(' ') + 1);
    points.push_back({name, std::stod(line.substr(16, 14)), std::stod(line.substr(30, 14)),
                      std::stod(line.substr(44, 14))});
  }
  return points;
}

// The vertex records of a saved connection-line file: "'#####=" + name (16) +
// " " + type + " " + layer (2) + " " + arc text.
std::vector<Vertex> SavedVertices(const std::string& file) {
  std::vector<Vertex> vertices;
  std::istringstream in(file);
  for (std::string line; std::getline(in, line);) {
    if (!line.ends_with('\r') || !line.starts_with('\'') || line.size() < 29) continue;
    line.pop_back();
    std::string name = line.substr(7, 16);
    name.erase(name.find_last_not_of(' ') + 1);
    vertices.push_back({std::stoi(line.substr(1, 5)), name, std::stoi(line.substr(24, 1)),
                        std::stoi(line.substr(26, 2)), line.size() > 29 ? line.substr(29) : ""});
  }
  return vertices;
}

void ExpectPoint(const std::vector<Point>& points, int n, const std::string& name, double x, double y, double z) {
  SCOPED_TRACE(n);
  ASSERT_LT(n, static_cast<int>(points.size()));
  EXPECT_EQ(points[n].name, name);
  EXPECT_NEAR(points[n].x, x, 1e-4);
  EXPECT_NEAR(points[n].y, y, 1e-4);
  EXPECT_NEAR(points[n].z, z, 1e-4);
}

std::string Drawing(const char8_t* script) {
  const TempFolder folder;
  const std::string path = folder / "D.DXF";
  EXPECT_EQ(dxf_import_drawings::Write(script, path), "");
  return ReadHostFile(path);
}

// Two points of a job, so that the import begins at number 3 with D3.
const std::string kJob = "A1 100 200 0 92\r\nA2 110 200 0 92\r\n\x1a\r\n";
// Main-menu command 8, transfer choice 9, the drawing, read mode 1, then the
// scale `scale`, the proposed name and number.
std::string Import(const std::string& file, const std::string& scale) {
  return "8\n9\n!file " + file + "\n1\n" + scale + "\n\n\n";
}
const std::string kSave = "5\n4\n1\n!file OUT.PRN\n";

TEST(DxfImportSession, AnEzdxfR2000DrawingAtOneTo500) {
  const std::string dxf = Drawing(dxf_import_drawings::kR2000);
  const SessionResult s =
      Krn(Import("R2000.DXF", "500") + kSave, {"./JOB.PRN"}, {{"JOB.PRN", kJob}, {"R2000.DXF", dxf}});
  ASSERT_EQ(s.status, 0) << s.errors << s.transcript;
  EXPECT_TRUE(scripted::HasLineContaining(s, U8(u8" 0   Defpoints   道路   境界"))) << s.transcript;
  EXPECT_TRUE(scripted::HasLineContaining(s, U8(u8"読み込まなかった図形  INSERT 1  LWPOLYLINE 1"))) << s.transcript;
  const std::vector<Point> points = SavedPoints(s.File("OUT.PRN"));
  ASSERT_EQ(points.size(), 10u) << s.File("OUT.PRN");
  // The DASHED line (10, 20, 1)-(30, 40, 1) on 道路 (layer 3), the line on 境界
  // (layer 4) from its end to (50, 20, 0), the circle about (100, 100) of
  // radius 2.5, the arc about (0, 0) of radius 10 from 0 to 90 degrees (its
  // colour no line type: DASHED goes on), the point (5, 6, 7); at 1/500 all
  // halved. The block's line stays out.
  const double h = 0.5;
  ExpectPoint(points, 3, "D3", 20 * h, 10 * h, 1 * h);
  ExpectPoint(points, 4, "D4", 40 * h, 30 * h, 1 * h);
  ExpectPoint(points, 5, "D5", 20 * h, 50 * h, 0);
  ExpectPoint(points, 6, "D6", 100 * h, 100 * h, 0);
  ExpectPoint(points, 7, "D7", 0, 10 * h, 0);
  ExpectPoint(points, 8, "D8", 10 * h, 0, 0);
  ExpectPoint(points, 9, "D9", 6 * h, 5 * h, 7 * h);
  EXPECT_EQ(SavedVertices(s.File("OUT.SEN")),
            (std::vector<Vertex>{{3, "D3", 9, 1, ""}, {4, "D4", 3, 3, ""},
                                 {4, "D4", 9, 1, ""}, {5, "D5", 3, 4, ""},
                                 {6, "D6", 9, 1, ""}, {6, "D6", 3, 4, " 1.250000000"},
                                 {7, "D7", 9, 1, ""}, {8, "D8", 3, 3, "-5 0"}}))
      << s.File("OUT.SEN");
}

TEST(DxfImportSession, AnEzdxfR2010DrawingKeepsTheJobsName) {
  const std::string dxf = Drawing(dxf_import_drawings::kR2010);
  // After the import the DXF output of the CAD menu takes the name it proposes.
  const std::string plot = "9\n4\n3\n500\n0\n0\n5\n0\n\n6\n!ok\n\n";
  const SessionResult s =
      Krn(Import("R2010.DXF", "") + plot + kSave, {"./JOB.PRN"}, {{"JOB.PRN", kJob}, {"R2010.DXF", dxf}});
  ASSERT_EQ(s.status, 0) << s.errors << s.transcript;
  // The UTF-8 name with é, which Shift-JIS lacks, listed as it reads.
  EXPECT_TRUE(scripted::HasLineContaining(s, U8(u8" 0   Defpoints   境界?   道路"))) << s.transcript;
  EXPECT_TRUE(scripted::HasLineContaining(s, U8(u8"Shift-JIS にない 1 文字を ? にしました"))) << s.transcript;
  const std::vector<Point> points = SavedPoints(s.File("OUT.PRN"));
  ASSERT_EQ(points.size(), 5u) << s.File("OUT.PRN");
  // The line (1, 2)-(3, 4) on 境界é (layer 3), the CENTER circle of radius 5
  // about its end on 道路 (layer 4), at 1/1000.
  ExpectPoint(points, 3, "D3", 2, 1, 0);
  ExpectPoint(points, 4, "D4", 4, 3, 0);
  EXPECT_EQ(SavedVertices(s.File("OUT.SEN")),
            (std::vector<Vertex>{{3, "D3", 9, 1, ""}, {4, "D4", 0, 3, ""},
                                 {4, "D4", 9, 1, ""}, {4, "D4", 6, 4, " 5.000000000"}}))
      << s.File("OUT.SEN");
  // The drawing the import read is left as it was; the plot went to the job's name.
  EXPECT_EQ(s.File("R2010.DXF"), dxf);
  EXPECT_FALSE(s.File("JOB.DXF").empty()) << s.transcript;
}

TEST(DxfImportSession, TheProgramsOwnDrawingComesBackOnItsLayers) {
  // The sample job plotted at 1:500 from the origin X -35200, Y -12500, lines
  // not cut at the marks; then the drawing imported at 1/500 and the job saved.
  const std::string plot = "9\n4\n3\n500\n-35200\n-12500\n5\n0\n\n6\n!file KOJI1\n\nN\n";
  const SessionResult s = Krn(plot + Import("KOJI1.DXF", "500") + "5\n4\n1\n!file NEW.PRN\n",
                              {"./SAMPLE.PRN"}, scripted::SampleJob());
  ASSERT_EQ(s.status, 0) << s.errors << s.transcript;
  EXPECT_TRUE(scripted::HasLineContaining(s, U8(u8"16   ポイント   マ-ク   点名   標高"))) << s.transcript;
  const std::vector<Point> points = SavedPoints(s.File("NEW.PRN"));
  const std::vector<Vertex> vertices = SavedVertices(s.File("NEW.SEN"));
  const int sampleCount = static_cast<int>(SavedPoints(scripted::ShippedFile("SAMPLE.PRN")).size()) - 1;
  ASSERT_GT(static_cast<int>(points.size()), sampleCount + 1) << s.File("NEW.PRN");
  // Every straight segment of the job on a layer 1 to 15 has its imported copy
  // on the same layer with the same line type, between points at ground minus
  // the origin.
  auto same = [&](int imported, int original) {
    return std::fabs(points[imported].x - (points[original].x + 35200)) < 1e-4 &&
           std::fabs(points[imported].y - (points[original].y + 12500)) < 1e-4;
  };
  int checked = 0;
  for (std::size_t i = 1; i < vertices.size(); ++i) {
    const Vertex& a = vertices[i - 1];
    const Vertex& b = vertices[i];
    if (b.point > sampleCount || b.type == 9 || !b.arc.empty() || b.layer < 1 || b.layer > 15) continue;
    bool found = false;
    for (std::size_t j = 1; j < vertices.size() && !found; ++j) {
      const Vertex& c = vertices[j - 1];
      const Vertex& d = vertices[j];
      if (d.point <= sampleCount || d.type != b.type || d.layer != b.layer) continue;
      found = (same(c.point, a.point) && same(d.point, b.point)) || (same(c.point, b.point) && same(d.point, a.point));
    }
    EXPECT_TRUE(found) << a << " " << b;
    ++checked;
  }
  EXPECT_GT(checked, 10);
}

}  // namespace
