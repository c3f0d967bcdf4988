// What the grade line and the plan-curve band put into the section, as plain
// values: the routines that work them out return a list of marks, and one
// routine hands the list to the section's writers in order. The marks can be
// checked without a drawing.
#pragma once

#include <string>
#include <vector>

#include "profile/section_plot.h"

namespace profile {

// The drawing transform of the section: a chainage and a height on the paper
// (millimetres).
struct SectionPaper {
  double scale = 1000;    // S of 1:S
  double originX = 0;     // height at the paper origin (m)
  double originY = 0;     // chainage at the paper origin (m)
  double ratio = 1;       // vertical exaggeration

  double X(double chainage) const { return (chainage - originY) / scale * 1000; }
  double Y(double height) const { return (height - originX) / scale * 1000 / ratio; }
};
SectionPaper SectionPaperOf(const App& app);

struct SectionMark {
  enum class Kind {
    FrameLine,    // LINE on the frame layer, paper (x1, y1)-(x2, y2)
    PlanLine,     // LINE on the plan layer, paper (x1, y1)-(x2, y2)
    PlanSegment,  // LINE on the plan layer between ground (chainage x1, height y1)-(x2, y2)
    ValueText,    // TEXT on the value layer at paper (x1, y1)
    Columns,      // a table column at `chainage`
  };
  Kind kind = Kind::FrameLine;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::string text;
  double height = 0, width = 0, angle = 0;
  // Columns: chainage, the column mode, the plan height and the height the
  // column's frame vertical starts at (also its gradient value).
  double chainage = 0, columnMode = 0, planHeight = 0, changeHeight = 0;

  static SectionMark Line(Kind kind, double x1, double y1, double x2, double y2) {
    SectionMark m;
    m.kind = kind;
    m.x1 = x1, m.y1 = y1, m.x2 = x2, m.y2 = y2;
    return m;
  }
  static SectionMark Text(double x, double y, double height, double width, double angle,
                          std::string text) {
    SectionMark m;
    m.kind = Kind::ValueText;
    m.x1 = x, m.y1 = y, m.height = height, m.width = width, m.angle = angle;
    m.text = std::move(text);
    return m;
  }
  static SectionMark Column(double chainage, double mode, double planHeight, double changeHeight) {
    SectionMark m;
    m.kind = Kind::Columns;
    m.chainage = chainage, m.columnMode = mode, m.planHeight = planHeight;
    m.changeHeight = changeHeight;
    return m;
  }
};
using SectionMarks = std::vector<SectionMark>;

// Sets the plot's values of each mark and calls its writer, in list order.
void DrawSectionMarks(SectionPlot& plot, const SectionMarks& marks);

// A number with `digits` decimals, without blanks ("12.50", "-3.1").
std::string DecimalsText(double value, double digits);

}  // namespace profile
