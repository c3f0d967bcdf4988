#include "profile/dxf_writers.h"

#include <cmath>
#include <string_view>

#include "core/app.h"
#include "core/numeric.h"
#include "runtime/text.h"

namespace profile {

namespace {

constexpr std::string_view kFrameLayer = "縦断枠";
constexpr std::string_view kValueLayer = "縦断値";
constexpr std::string_view kStationLayer = "縦断線";
constexpr std::string_view kPlanLayer = "計画線";
constexpr std::string_view kLineType = "CONTINUOUS";
// How far the marks and values stand off a row line when rows have no gap.
constexpr double kMarkHalf = 0.7;

void WriteSectionLine(SectionPlot& plot, std::string_view layer, double x1, double y1, double x2,
                      double y2) {
  dxf::WriteLine(plot.out, layer, kLineType, x1, y1, std::nullopt, x2, y2, std::nullopt);
}

void WriteLayerLine(SectionPlot& plot, std::string_view layer) {
  plot.ProfileLineLayer = layer;
  WriteSectionLine(plot, layer, plot.ProfileLineX1, plot.ProfileLineY1, plot.ProfileLineX2, plot.LineEndY);
}

void WriteLayerText(SectionPlot& plot, std::string_view layer) {
  plot.ProfileTextLayer = layer;
  const std::string width = dxf::RoundedText(plot.ProfileTextWidth);
  const std::string text = RtToFullWidth(plot.RowValueText);
  dxf::TextRecord t;
  t.layer = layer;
  t.x = plot.StationPaperX;
  t.y = plot.LineStartY;
  t.height = plot.ProfileTextHeight;
  t.widthFactor = width;
  t.rotation = RoundTo6Decimals(plot.ProfileTextAngle);
  t.text = text;
  dxf::WriteText(plot.out, t);
}

// The row value at the current row, with the row's sizing done first.
void WriteColumnValue(SectionPlot& plot, int row, double value, double digits) {
  SizeRowValue(plot, row);
  plot.RowValueText = RowValueTextOf(plot, value, digits);
  WriteRowValueText(plot);
}

// True when a plan or ground point stands exactly at `chainage`.
bool SurveyedStationAt(const App& app, double chainage) {
  const points::Store& p = app.points;
  for (int j = 1; j <= p.PointCount; ++j) {
    const std::string& a = p.PointAttribute(j);
    if (p.PointY(j) != chainage || a.size() < 2) continue;
    if (a[1] == '5' || a[1] == '7') return true;
  }
  return false;
}

}  // namespace

double SectionPaperX(const SectionPlot& plot, double chainage) {
  return (chainage - plot.app.view.PlotOriginY) / plot.app.lines.ScaleDenominator * 1000;
}

double SectionPaperY(const SectionPlot& plot, double height) {
  return (height - plot.app.view.PlotOriginX) / plot.app.lines.ScaleDenominator * 1000 /
         plot.app.view.VerticalRatio;
}

void WriteProfileFrameLine(SectionPlot& plot) { WriteLayerLine(plot, kFrameLayer); }
void WriteProfilePlanLine(SectionPlot& plot) { WriteLayerLine(plot, kPlanLayer); }

void WritePlanSegment(SectionPlot& plot) {
  plot.ProfileLineX1 = SectionPaperX(plot, plot.GradeFromChainage);
  plot.ProfileLineY1 = SectionPaperY(plot, plot.GradeFromHeight);
  plot.ProfileLineX2 = SectionPaperX(plot, plot.GradeToChainage);
  plot.LineEndY = SectionPaperY(plot, plot.GradeToHeight);
  WriteProfilePlanLine(plot);
}

void WriteProfileFrameText(SectionPlot& plot) { WriteLayerText(plot, kFrameLayer); }
void WriteProfileValueText(SectionPlot& plot) { WriteLayerText(plot, kValueLayer); }

void WriteRowValueText(SectionPlot& plot) {
  const profile::State& p = plot.app.profile;
  const double textWidth = plot.ValueTextHeight * p.ProfileValueTextWidth;
  const double rowBottom = p.ProfileDatumY - plot.RowOffset + p.ProfileRowSpacing;
  const std::string width = dxf::RoundedText(plot.ValueTextWidthFactor);
  const std::string text = RtToFullWidth(plot.RowValueText);
  dxf::TextRecord t;
  t.layer = kValueLayer;
  t.x = plot.StationPaperX + textWidth / 2 + plot.PairSecond * textWidth;
  t.y = rowBottom + plot.RowTextOffset + (p.ProfileRowSpacing == 0 ? kMarkHalf : 0);
  t.height = plot.ValueTextHeight;
  t.widthFactor = width;
  t.fixedRotation = "90";
  t.text = text;
  dxf::WriteText(plot.out, t);
}

void WriteStationLine(SectionPlot& plot) {
  WriteSectionLine(plot, kStationLayer, plot.StationPaperX, plot.LineStartY, plot.StationPaperX,
                   plot.LineEndY);
}

void WritePlanCircle(SectionPlot& plot, int row) {
  const profile::State& p = plot.app.profile;
  plot.RowHalfHeight = p.ProfileRowHeight(row) / 2.0;
  plot.CircleBaseY = plot.LineEndY;
  if (p.ProfileRowSpacing == 0) plot.LineEndY -= kMarkHalf;
  dxf::WriteCircle(plot.out, kPlanLayer, kLineType, plot.StationPaperX, plot.LineEndY + plot.RowHalfHeight,
                   std::nullopt, plot.RowHalfHeight - kMarkHalf);
}

void WriteStationColumns(SectionPlot& plot) {
  const profile::State& p = plot.app.profile;
  const double c = plot.ProfileChainage;
  const double spacing = p.ProfileRowSpacing;
  if (plot.StationInterval == 0) plot.StationInterval = 20;
  plot.StationPointFound = SurveyedStationAt(plot.app, c) ? 1 : 0;
  const bool ordinary = plot.StationColumnMode != -2;
  const bool marks = plot.StationPointFound == 0;
  if (marks && ordinary) {
    plot.ProfileLineX1 = plot.ProfileLineX2 = SectionPaperX(plot, c);
    plot.ProfileLineY1 = SectionPaperY(plot, plot.ChangePointHeight);
    plot.LineEndY = p.ProfileDatumY;
    WriteProfileFrameLine(plot);
  }
  plot.RowOffset = p.ProfileDatumGap + p.ProfileRowHeight(0) + spacing;
  const int last = static_cast<int>(p.ProfileLastRow);
  for (int r = 0; r <= last; ++r) {
    const double y0 = p.ProfileDatumY - plot.RowOffset;
    plot.LineStartY = spacing != 0 ? y0 : y0 - kMarkHalf;
    plot.LineEndY = spacing != 0 ? y0 + spacing : y0 + kMarkHalf;
    const int item = p.ProfileRowItem(r);
    if (marks) {
      if (r < last) {
        WriteStationLine(plot);
      } else if (spacing == 0) {
        plot.LineStartY = y0;
        WriteStationLine(plot);
      }
      if (item == 1) {
        SizeRowValue(plot, r);
        const double plus = c - std::floor(c / plot.StationInterval) * plot.StationInterval;
        plot.RowValueText = "+" + RtTrim(RowValueTextOf(plot, plus, p.ProfileItemDigits(3)));
        WriteRowValueText(plot);
      } else if (item == 3) {
        WriteColumnValue(plot, r, c, p.ProfileItemDigits(3));
      } else if (item == 11) {
        WriteColumnValue(plot, r, plot.GradeFromHeight, p.ProfileItemDigits(11));
      }
    }
    if (item == 14 && ordinary) {
      WriteColumnValue(plot, r, plot.ChangePointHeight, p.ProfileItemDigits(14));
      WritePlanCircle(plot, r);
    }
    plot.RowOffset += p.ProfileRowHeight(r + 1) + spacing;
  }
}

void SizeRowValue(SectionPlot& plot, int row) {
  const profile::State& p = plot.app.profile;
  plot.RowCharCount = (p.ProfileRowHeight(row) - plot.RowTextMargin) / p.ProfileValueTextSize /
                      p.ProfileValueTextWidth;
  plot.RowTextOffset = (plot.RowCharCount - std::trunc(plot.RowCharCount)) / 2;
}

std::string FieldTextOf(double value, double digits, double width) {
  const double w = std::trunc(width);
  if (!(w >= 1)) return "";
  const std::string whole = FormatDecimals(value, digits);
  const std::string_view shown = whole[0] == ' ' ? std::string_view(whole).substr(1) : std::string_view(whole);
  if (static_cast<double>(shown.size()) > w) return std::string(static_cast<size_t>(w), '*');
  return FormatDecimalsRight(value, digits, w);
}

std::string RowValueTextOf(const SectionPlot& plot, double value, double digits) {
  return FieldTextOf(value, digits, plot.RowCharCount);
}

}  // namespace profile
