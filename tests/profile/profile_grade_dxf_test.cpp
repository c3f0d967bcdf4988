// The grade line's marks of a crest curve written as DXF records through the
// record writer and read back by python3-ezdxf: the drawing reads without
// errors, the texts come back as written (the "±" of the code page included)
// and the chords lie on the textbook parabola at the paper positions worked
// out here (chainage c at x c + 20, height h at y (h - 5) x 10).
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "core/app.h"
#include "dxf/head.h"
#include "dxf/records.h"
#include "profile/grade_line.h"
#include "runtime/temp_folder.h"
#include "support/dxf_reader.h"
#include "section_mark_checks.h"
#include "support/u8.h"

namespace {

using Kind = profile::SectionMark::Kind;

// Writes the marks as the section's writers lay them out (texts in the
// half-width form; table columns are the writers' own and left out).
std::string DrawingOf(const App& app, const profile::SectionMarks& marks) {
  const profile::SectionPaper paper = profile::SectionPaperOf(app);
  dxf::Sink out;
  for (const profile::SectionMark& m : marks) {
    switch (m.kind) {
      case Kind::FrameLine:
        dxf::WriteLine(out, "縦断枠", "CONTINUOUS", m.x1, m.y1, {}, m.x2, m.y2, {});
        break;
      case Kind::PlanLine:
        dxf::WriteLine(out, "計画線", "CONTINUOUS", m.x1, m.y1, {}, m.x2, m.y2, {});
        break;
      case Kind::PlanSegment:
        dxf::WriteLine(out, "計画線", "CONTINUOUS", paper.X(m.x1), paper.Y(m.y1), {}, paper.X(m.x2),
                       paper.Y(m.y2), {});
        break;
      case Kind::ValueText: {
        const std::string width = std::to_string(m.width);
        dxf::TextRecord t;
        t.layer = "縦断値";
        t.x = m.x1;
        t.y = m.y1;
        t.height = m.height;
        t.widthFactor = width;
        t.rotation = m.angle;
        t.text = m.text;
        dxf::WriteText(out, t);
        break;
      }
      case Kind::Columns:
        break;
    }
  }
  return dxf::HeadText(0.841, 0.594, 1) + out.Text() + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
}

TEST(GradeLineDrawing, CrestCurveReadBackByEzdxf) {
  App app;
  section_mark_checks::SetUpGradeSection(app);
  const double table[] = {0, 10, 0, 100, 12, 80, 200, 10, 9999};
  for (int k = 0; k < 9; ++k) app.route.VerticalTable(k) = table[k];

  const TempFolder folder;
  const std::string path = folder / "grade.dxf";
  WriteHostFile(path, DrawingOf(app, profile::GradeLineMarks(app)));
  const std::vector<std::string> read = dxf_reader::Read(path);
  ASSERT_FALSE(read.empty());
  EXPECT_EQ(dxf_reader::With(read, "read-errors"), std::vector<std::string>{"0"});
  EXPECT_EQ(dxf_reader::With(read, "audit-errors"), std::vector<std::string>{"0"});

  std::vector<std::string> texts;
  for (const std::string& t : dxf_reader::With(read, "textangle")) texts.push_back(t.substr(t.find(' ') + 1));
  // The slope texts' angles are not round: compare the curve's texts only.
  std::vector<std::string> curve(texts.begin() + 2, texts.begin() + 7);
  EXPECT_EQ(curve, std::vector<std::string>(
                       {U8(u8"0.0 VCL= 80.00"), U8(u8"0.0 VCR= 2000"), U8(u8"90.0 y=±0.00"),
                        U8(u8"90.0 y=-0.40"), U8(u8"90.0 y=±0.00")}));
  EXPECT_EQ(texts.size(), 9u);

  const std::string plan = U8(u8"計画線"), frame = U8(u8"縦断枠");
  int planLines = 0, frameLines = 0, chords = 0;
  for (const std::string& line : dxf_reader::With(read, "line")) {
    std::istringstream in(line);
    std::string layer, type;
    double x1, y1, x2, y2;
    in >> layer >> type >> x1 >> y1 >> x2 >> y2;
    EXPECT_EQ(type, "CONTINUOUS");
    if (layer == frame) ++frameLines;
    if (layer != plan) continue;
    ++planLines;
    // A chord of the curve: both ends on y = 11.2 + 0.02 x - 0.04 x^2 / 160.
    const double c1 = x1 - 20, c2 = x2 - 20;
    if (c1 < 60 || c2 > 140 || y1 < 20) continue;  // the diagram lies below the datum
    auto py = [](double c) {
      const double x = c - 60;
      return (11.2 + 0.02 * x - 0.04 * x * x / 160 - 5) * 10;
    };
    EXPECT_NEAR(y1, py(c1), 1e-5);
    EXPECT_NEAR(y2, py(c2), 1e-5);
    ++chords;
  }
  EXPECT_EQ(chords, 81);
  EXPECT_EQ(planLines, 10 + 83);  // two diagrams of five lines, the plan segments
  EXPECT_EQ(frameLines, 3 + 3);   // the dimension line, its strokes, three auxiliary lines
}

}  // namespace
