#include "profile/section_marks.h"

#include "core/app.h"
#include "core/numeric.h"
#include "profile/dxf_writers.h"
#include "runtime/text.h"

namespace profile {

SectionPaper SectionPaperOf(const App& app) {
  return {app.lines.ScaleDenominator, app.view.PlotOriginX, app.view.PlotOriginY,
          app.view.VerticalRatio};
}

namespace {

void DrawLine(SectionPlot& plot, const SectionMark& m) {
  plot.ProfileLineX1 = m.x1;
  plot.ProfileLineY1 = m.y1;
  plot.ProfileLineX2 = m.x2;
  plot.LineEndY = m.y2;
  if (m.kind == SectionMark::Kind::FrameLine) {
    WriteProfileFrameLine(plot);
  } else {
    WriteProfilePlanLine(plot);
  }
}

void DrawColumns(SectionPlot& plot, const SectionMark& m) {
  const double kept = plot.GradeFromHeight;
  plot.ProfileChainage = m.chainage;
  plot.StationPaperX = SectionPaperOf(plot.app).X(m.chainage);
  plot.StationColumnMode = m.columnMode;
  plot.GradeFromHeight = m.planHeight;
  plot.ChangePointHeight = m.changeHeight;
  WriteStationColumns(plot);
  plot.GradeFromHeight = kept;
}

}  // namespace

void DrawSectionMarks(SectionPlot& plot, const SectionMarks& marks) {
  for (const SectionMark& m : marks) {
    switch (m.kind) {
      case SectionMark::Kind::FrameLine:
      case SectionMark::Kind::PlanLine:
        DrawLine(plot, m);
        break;
      case SectionMark::Kind::PlanSegment:
        plot.GradeFromChainage = m.x1;
        plot.GradeFromHeight = m.y1;
        plot.GradeToChainage = m.x2;
        plot.GradeToHeight = m.y2;
        WritePlanSegment(plot);
        break;
      case SectionMark::Kind::ValueText:
        plot.StationPaperX = m.x1;
        plot.LineStartY = m.y1;
        plot.ProfileTextHeight = m.height;
        plot.ProfileTextWidth = m.width;
        plot.ProfileTextAngle = m.angle;
        plot.RowValueText = m.text;
        WriteProfileValueText(plot);
        break;
      case SectionMark::Kind::Columns:
        DrawColumns(plot, m);
        break;
    }
  }
}

std::string DecimalsText(double value, double digits) { return RtTrim(FormatDecimals(value, digits)); }

}  // namespace profile
