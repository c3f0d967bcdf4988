#include "profile/dxf_section.h"

#include <string>
#include <vector>

#include "core/app.h"
#include "profile/curve_band.h"
#include "profile/dxf_writers.h"
#include "profile/grade_line.h"
#include "profile/item_table.h"
#include "profile/line_type_rows.h"
#include "profile/row_values.h"
#include "profile/section_frame.h"
#include "profile/section_plot.h"
#include "profile/single_precision.h"
#include "route/plan_height.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

// The value-text size of a section whose settings were never given.
constexpr double kDefaultValueTextSize = 2.4;
// The rows searched for the plan-curve band, and the band row when none is.
constexpr int kBandRowsSearched = 20;
// The text-mode answer of the mode for AutoCAD, and its width factor.
constexpr double kAutoCadMode = 2;
constexpr float kAutoCadWidth = 0.8f;
// How far the marks stand off a row line when rows have no gap.
constexpr double kMarkHalf = 0.7;

char CodeOf(const std::string& attribute) { return attribute.size() >= 2 ? attribute[1] : ' '; }

// The index of the first 9999 of the vertical table, -1 when it has none.
int ClosingMarkIndex(const RtTable<double>& t) {
  for (int k = 0; k <= t.Bound(); ++k) {
    if (t(k) == route::kClosingVcl) return k;
  }
  return -1;
}

}  // namespace

namespace profile {

std::string SectionInputFault(const App& app) {
  const profile::State& s = app.profile;
  const RtTable<double>& t = app.route.VerticalTable;
  const int k = ClosingMarkIndex(t);
  if (k >= 0) {
    // The 9999 must close the table as the curve length of its second or a
    // later change point.
    if (k % 3 != 2 || k < 5) return "縦断線形の終了(曲長 9999)が変化点の曲長の位置にありません。";
    const route::PlanHeightResult table = route::PlanHeightOf(t, t(0));
    if (!table.ok) return "縦断線形: " + table.message;
  }
  const int last = static_cast<int>(s.ProfileLastRow);
  if (last < 0 || last >= s.ProfileRowItem.Bound()) return "縦断表の行数が正しくありません。";
  const double margin = s.ProfileRowSpacing == 0 ? SinglePrecision(1.8f) : 1;
  for (int r = 0; r <= last; ++r) {
    const int item = s.ProfileRowItem(r);
    if (item < 0 || item > profile::kLastProfileItem) {
      return "縦断表の行" + RtNumText(r) + "の項目 " + RtNumText(item) + " は使えません(0～27)。";
    }
    if (s.ProfileRowHeight(r) < margin) {
      return "縦断表の行" + RtNumText(r) + "の高さが文字の余白 " + RtTrim(RtStr(margin)) + "mm より低くなっています。";
    }
  }
  if (s.ProfileValueTextSize <= 0 || s.ProfileValueTextWidth <= 0) return "縦断図の文字の大きさが 0 です。";
  return "";
}

}  // namespace profile

namespace {

using profile::SectionPlot;

void AskTextMode(SectionPlot& plot) {
  App& app = plot.app;
  const double width = app.profile.ProfileValueTextWidth;
  RtPrintStr("", true);
  RtPrintStr(" 文字列   1:Rapidモード  2:AutoCADモード  1", false);
  plot.ValueTextWidthFactor = width;
  plot.TextWidthFactor = 1;
  app.input.GuideNumber = 144;
  InputMenuChoice(app);
  if (app.input.AnswerValue == kAutoCadMode) {
    plot.TextWidthFactor = profile::SinglePrecision(kAutoCadWidth);
    plot.ValueTextWidthFactor = width * plot.TextWidthFactor;
  }
}

// The band's curve as the last curve point in number order leaves it.
void PreScanCurves(SectionPlot& plot) {
  const points::Store& p = plot.app.points;
  for (int j = 1; j <= p.PointCount; ++j) {
    if (CodeOf(p.PointAttribute(j)) != '5') continue;
    const std::string& name = p.PointName(j);
    const std::string head = name.substr(0, 2);
    const char tail = name.empty() ? ' ' : name.back();
    if (head == "BC" || (head == "KA" && tail == '1')) {
      profile::ResetCurveBand(plot, j, static_cast<int>(plot.BandRow));
    }
    if (head == "EC" || (head == "KA" && tail == '2')) {
      plot.IntersectionAngle = 0;
      plot.app.profile.BandOffset = 0;
    }
  }
}

void StartSection(SectionPlot& plot) {
  App& app = plot.app;
  profile::State& s = app.profile;
  s.GradeLineEnd = 0;
  plot.IntersectionAngle = 0;
  plot.PairFound = 0;
  plot.PairSecond = 0;
  plot.ProfileSlopeTotal = 0;
  const double interval = app.route.RouteValue(1);
  app.route.StationInterval = interval == 0 ? 20 : interval;
  plot.StationInterval = app.route.StationInterval;
  plot.BandRow = kBandRowsSearched;
  for (int r = 0; r < kBandRowsSearched; ++r) {
    if (s.ProfileRowItem(r) == 10) {
      plot.BandRow = r;
      break;
    }
  }
  PreScanCurves(plot);
  plot.RowTextMargin = s.ProfileRowSpacing == 0 ? profile::SinglePrecision(1.8f) : 1;
  plot.ValueTextHeight = s.ProfileValueTextSize;
  s.ProfileDatumY = profile::SectionPaperY(plot, s.ProfileDatumLevel);
}

void WriteGradeLine(SectionPlot& plot) {
  App& app = plot.app;
  const RtTable<double>& t = app.route.VerticalTable;
  const int k = ClosingMarkIndex(t);
  if (k < 0) return;
  app.profile.GradeLineEnd = t(k - 2);
  profile::WriteProfileGradeLine(plot);
}

// The band row at station `station`: the band's line, no value text.
void WriteBandRow(SectionPlot& plot, int station, int row, bool& bandStarted) {
  App& app = plot.app;
  profile::State& s = app.profile;
  const double c = app.points.PointY(station);
  s.BandCentreY = s.ProfileDatumY - plot.RowOffset + s.ProfileRowSpacing + s.ProfileRowHeight(row) / 2.0;
  s.BandStationX = plot.StationPaperX;
  const double sign = plot.IntersectionAngle > 0 ? 1 : plot.IntersectionAngle < 0 ? -1 : 0;
  s.BandOffset = (s.ProfileRowHeight(row) / 2.0 - 1) * sign;
  // The band starts at the window's start, or at the first station in the
  // window when none stands there.
  if (c <= s.ProfileStartChainage || !bandStarted) {
    plot.BandLastY = s.BandCentreY + s.BandOffset;
    plot.BandLastX = s.BandStationX;
    plot.BandLastChainage = c;
  }
  bandStarted = true;
  profile::WriteCurveBandStation(plot, station);
  plot.RowValueText.clear();
}

// What the station loop carries from station to station.
struct StationWalk {
  std::vector<profile::PlanPoint> plan;  // for the single distances
  bool bandStarted = false;
};

// The row's content at the station; false when it shows nothing.
bool RowContent(SectionPlot& plot, int station, int row, StationWalk& walk) {
  const int kind = plot.app.profile.ProfileRowItem(row);
  if (kind == 10) {
    WriteBandRow(plot, station, row, walk.bandStarted);
    return false;
  }
  if (profile::IsLineTypeRowKind(kind)) {
    plot.WantedLineType = profile::LineTypeOfRowKind(kind);
    if (kind <= 20) {
      profile::FindLineTypeHeight(plot, station, row);
    } else {
      profile::FindLineTypeGradient(plot, station, row);
    }
    return !plot.RowValueText.empty();
  }
  return profile::ComputeRowValue(plot, station, row, walk.plan);
}

void WriteStation(SectionPlot& plot, int station, StationWalk& walk) {
  App& app = plot.app;
  const profile::State& s = app.profile;
  const double spacing = s.ProfileRowSpacing;
  plot.StationPaperX = profile::SectionPaperX(plot, app.points.PointY(station));
  plot.LineStartY = profile::SectionPaperY(plot, app.points.PointX(station));
  plot.LineEndY = s.ProfileDatumY;
  profile::WriteStationLine(plot);
  if (spacing == 0) {
    plot.LineStartY = s.ProfileDatumY - s.ProfileDatumGap;
    plot.LineEndY = plot.LineStartY - kMarkHalf;
    profile::WriteStationLine(plot);
  }
  plot.RowOffset = s.ProfileDatumGap + s.ProfileRowHeight(0) + spacing;
  plot.PairSecond = 0;
  plot.SuppressRowValue = 0;
  if (plot.PairFound == 1) {
    plot.PairSecond = 1;
    plot.PairFound = 0;
  }
  profile::ComputeStationQuantities(plot, station);
  const int last = static_cast<int>(s.ProfileLastRow);
  for (int r = 0; r <= last; ++r) {
    const double y0 = s.ProfileDatumY - plot.RowOffset;
    if (r < last) {
      plot.LineStartY = spacing != 0 ? y0 : y0 - kMarkHalf;
      plot.LineEndY = spacing != 0 ? y0 + spacing : y0 + kMarkHalf;
      profile::WriteStationLine(plot);
    } else if (spacing == 0) {
      plot.LineStartY = y0;
      plot.LineEndY = y0 + kMarkHalf;
      profile::WriteStationLine(plot);
    }
    const bool shows = RowContent(plot, station, r, walk);
    if (shows && plot.SuppressRowValue != 1 && !plot.RowValueText.empty()) profile::WriteRowValueText(plot);
    plot.RowOffset += s.ProfileRowHeight(r + 1) + spacing;
    plot.SuppressRowValue = 0;
  }
}

void WriteStations(SectionPlot& plot) {
  const points::Store& p = plot.app.points;
  const profile::State& s = plot.app.profile;
  StationWalk walk;
  walk.plan = profile::PlanPointsOf(plot.app);
  for (int i = 1; i <= p.PointCount; ++i) {
    const double c = p.PointY(i);
    const char code = CodeOf(p.PointAttribute(i));
    if (c < s.ProfileStartChainage || c > s.ProfileEndChainage || (code != '5' && code != '7')) continue;
    WriteStation(plot, i, walk);
  }
}

}  // namespace

// The whole section is gathered first and goes into the drawing in one piece,
// so that a refusal or an error on the way leaves the drawing as it was.
void PlotProfileToDxf(App& app) {
  const std::string fault = profile::SectionInputFault(app);
  if (fault.empty()) {
    SectionPlot plot(app);
    AskTextMode(plot);
    StartSection(plot);
    WriteGradeLine(plot);
    WriteStations(plot);
    profile::WriteSectionFrame(plot);
    plot.out.WriteToDrawing();
  } else {
    RtPrintStr(" " + fault, true);
    RtPrintStr(" 縦断図は図面に出力しませんでした。", true);
  }
  const double size = app.profile.ProfileValueTextSize;
  app.dxf.TextSize = size > 0 ? size : kDefaultValueTextSize;
}
