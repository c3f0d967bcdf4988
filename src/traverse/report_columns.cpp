#include "traverse/report_columns.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/app.h"
#include "core/columns.h"
#include "core/constants.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "traverse/zone_scale_factor.h"
#include "ui/input.h"

namespace {

using core::kPrintBuffer;

constexpr int kGuidePrintMode = 365;
constexpr int kGuideSelection = 179;
constexpr int kGuideScaleFactor = 306;
constexpr int kNormalColour = 7;
constexpr int kRouteColour = 5;

constexpr int kReverseLast = 17;
constexpr int kCalculationLast = 22;
// The column of each set whose on flag asks the scale factor.
constexpr int kReverseScaledDistance = 11;
constexpr int kCalculationScaledDistance = 10;

double Log10Of(double x) { return std::log(x) / std::log(10.0); }

void SetColumn(traverse::State& t, int i, const char* title, bool on, double width) {
  t.ReportColumnTitle(i) = title;
  t.ReportColumnOn(i) = on ? 1 : -1;
  t.ReportColumnWidth(i) = width;
}

bool On(const traverse::State& t, int i) { return t.ReportColumnOn(i) == 1; }

// The switches of the columns by their titles. Hidden columns are not shown
// but an answer equal to their title switches them all the same. Enter ends
// the screen; the input style is forced to the full style while it is shown.
template <typename Hidden>
void RunSelectionScreen(App& app, int last, bool emptyLineAfterTitle, Hidden hidden) {
  traverse::State& t = app.traverse;
  double& style = app.input.InputStyle;
  const double keptStyle = style;
  style = 1;
  for (;;) {
    RtCls(RtWindowId::Main);
    RtPrintStr("ﾌﾟﾘﾝﾄ出力項目選択", true);
    if (emptyLineAfterTitle) RtPrintStr("", true);
    for (int i = 0; i <= last; ++i) {
      if (hidden(i)) continue;
      RtPrintStr(" ", false);
      RtColor(On(t, i) ? 13 : 7);
      RtPrintStr(t.ReportColumnTitle(i), false);
      RtColor(kNormalColour);
      RtPrintStr(" ", false);
    }
    app.input.GuideNumber = kGuideSelection;
    InputMenuChoice(app);
    if (app.input.Answer.empty()) break;
    for (int i = 0; i <= last; ++i) {
      if (t.ReportColumnTitle(i) == app.input.AnswerCopy) t.ReportColumnOn(i) = -t.ReportColumnOn(i);
    }
  }
  style = keptStyle;
  app.output.ReportHeaderLine.clear();
}

// A typed factor must be a number above 0: a factor of 0 or less would divide
// the "球面距離" column by nothing or turn it over.
bool IsScaleFactorText(const std::string& answer) {
  try {
    return RtStrictVal(RtTrim(answer)) > 0;
  } catch (const RtError&) {
    return false;
  }
}

// The zone, then "縮尺係数＝" with the factor computed for it (Enter keeps it,
// a number above 0 replaces it), and the factor's line in the print buffer.
void AskScaleFactorForReport(App& app) {
  InputZoneAndScaleFactor(app);
  double& factor = app.shell.ScaleFactor;
  for (;;) {
    RtPrintStr("縮尺係数＝", false);
    RtPrintNum(factor, false);
    app.input.GuideNumber = kGuideScaleFactor;
    InputPointName(app);
    if (app.input.Answer.empty()) break;
    if (IsScaleFactorText(app.input.Answer)) {
      factor = app.input.AnswerValue;
      break;
    }
    RtPrintStr(" 縮尺係数は 0 より大きい数です", true);
  }
  RtPrintToFile(kPrintBuffer, "縮尺係数＝" + RtNumText(factor));
}

// A traverse-calculation observation record read as a horizontal sight: its
// vertical field reads "90.0000".
bool HoldsHorizontalSight(const App& app) {
  const fieldbook::State& f = app.fieldbook;
  const int count = RtWhole(f.FieldBookCount);
  for (int i = 1; i <= std::max(count, 1); ++i) {
    const std::string& record = f.FieldBookRecord(i);
    const std::string kind = RtLeft(record, 1);
    if ((kind == "'" || kind == "T") && RtTrim(columns::Columns(record, 10, 18)) == "90.0000") return true;
  }
  return false;
}

}  // namespace

std::string traverse::HeaderFieldOf(std::string_view title, double width) {
  const int w = RtWhole(width);
  if (w <= 0) return "";
  const double length = static_cast<double>(title.size());
  const std::string padded = std::string(10, ' ') + std::string(title) + std::string(10, ' ');
  const double start = std::max(1.0, std::floor((length + 20) / 2 - width / 2));
  return columns::PadTo(RtMid(padded, start), w);
}

int traverse::ReverseNameWidthOf(const App& app) {
  const points::Store& p = app.points;
  std::size_t longest = 8;
  const int count = std::max(RtWhole(p.PointCount), 1);
  for (int i = 1; i <= count; ++i) longest = std::max(longest, p.PointName(i).size());
  return static_cast<int>(std::min<std::size_t>(longest, 16));
}

std::string traverse::ReportHeaderOf(const App& app, int last) {
  const State& t = app.traverse;
  std::string header;
  for (int i = 0; i <= last; ++i) {
    if (On(t, i)) header += HeaderFieldOf(t.ReportColumnTitle(i), t.ReportColumnWidth(i));
  }
  return header;
}

namespace {

// The print-mode question; its answer's value.
double AskPrintMode(App& app) {
  RtPrintStr("", true);
  RtPrintStr(" 印刷ﾓｰﾄﾞ選択   1:簡易   2:標準   3:項目変更  1", false);
  app.input.GuideNumber = kGuidePrintMode;
  InputMenuChoice(app);
  return app.input.AnswerValue;
}

}  // namespace

void AskReverseTraversePrintMode(App& app) {
  const double mode = AskPrintMode(app);
  if (mode > 1) {
    app.traverse.ReverseTraversePrintMode = mode;
    SetUpReverseTraverseColumns(app);
  }
}

void AskCalculationPrintMode(App& app) {
  app.traverse.CalculationPrintMode = 0;
  const double mode = AskPrintMode(app);
  if (mode > 1) {
    app.traverse.CalculationPrintMode = mode;
    SetUpTraverseReportColumns(app);
  }
}

void SetUpReverseTraverseColumns(App& app) {
  traverse::State& t = app.traverse;
  shell::Settings& s = app.settings;
  const double n = traverse::ReverseNameWidthOf(app);
  const bool heights = s.ZE == 3;
  const double xy = 9 + Log10Of(s.TN);
  const double z = 7 + Log10Of(s.TZ);
  const double d = 7 + Log10Of(s.T);
  SetColumn(t, 0, "点番", false, 7);
  SetColumn(t, 1, "点名", true, n + 2);
  SetColumn(t, 2, "Ｘ", true, xy);
  SetColumn(t, 3, "Ｙ", true, xy);
  SetColumn(t, 4, "Ｚ", heights, z);
  SetColumn(t, 5, "ｘ", false, z);
  SetColumn(t, 6, "ｙ", false, z);
  SetColumn(t, 7, "ｚ", false, z);
  SetColumn(t, 8, "方向角", true, 12);
  SetColumn(t, 9, "夾角", true, 12);
  SetColumn(t, 10, "水平距離", true, d);
  SetColumn(t, 11, "球面距離", false, d);
  SetColumn(t, 12, "追加距離", false, d);
  SetColumn(t, 13, "斜距離", heights, d);
  SetColumn(t, 14, "斜追距", false, d);
  SetColumn(t, 15, "斜角", heights, 12);
  SetColumn(t, 16, "勾配％", false, 10);
  SetColumn(t, 17, "点名.", false, n + 2);

  if (t.ReverseTraversePrintMode != 2) {
    // The radiation has no running totals to show: their titles are left off.
    const bool radiation = std::floor(app.job.SubmenuChoice) == 5;
    RunSelectionScreen(app, kReverseLast, true,
                       [radiation](int i) { return radiation && (i == 12 || i == 14); });
  }
  app.output.ReportHeaderLine = traverse::ReportHeaderOf(app, kReverseLast);

  if (On(t, 7) || On(t, 12) || On(t, 13) || On(t, 14) || On(t, 15) || On(t, 16)) {
    app.shell.RestoreVVPending = 1;
    app.shell.SavedVV = s.VV;
    app.shell.SavedZE = s.ZE;
    s.VV = 90;
    s.ZE = 3;
  }
  if (On(t, kReverseScaledDistance)) AskScaleFactorForReport(app);
  RtPrintToFile(kPrintBuffer, app.output.ReportHeaderLine);
}

void SetUpTraverseReportColumns(App& app) {
  traverse::State& t = app.traverse;
  const shell::Settings& s = app.settings;
  const double kind = t.TraverseKind;
  if (kind == 1) app.output.ReportTitle = "開放ﾄﾗﾊﾞｰｽ計算書";
  if (kind == 2) app.output.ReportTitle = "放射ﾄﾗﾊﾞｰｽ計算書";
  if (kind == 3) app.output.ReportTitle = "結合ﾄﾗﾊﾞｰｽ計算書";
  if (kind == 4) app.output.ReportTitle = "閉合ﾄﾗﾊﾞｰｽ計算書";

  const double z = 4 + Log10Of(s.TZ);
  const double d = 7 + Log10Of(s.T);
  const double dxyz = 7 + Log10Of(s.TN);
  SetColumn(t, 0, "機械点", false, 8);
  SetColumn(t, 1, "機高", false, z);
  SetColumn(t, 2, "視準点", true, 10);
  SetColumn(t, 3, "視高", true, z);
  SetColumn(t, 4, "水平角", true, 11);
  SetColumn(t, 5, "斜距離", true, d);
  SetColumn(t, 6, "高度角", true, 10);
  SetColumn(t, 7, "ea", false, 5);
  SetColumn(t, 8, "方向角", false, 11);
  SetColumn(t, 9, "水平距離", false, d);
  SetColumn(t, 10, "球面距離", false, d);
  SetColumn(t, 11, "DX", false, dxyz);
  SetColumn(t, 12, "DY", false, dxyz);
  SetColumn(t, 13, "DZ", false, dxyz);
  SetColumn(t, 14, "ex", false, 5);
  SetColumn(t, 15, "ey", false, 5);
  SetColumn(t, 16, "ez", false, 5);
  SetColumn(t, 17, "Ｘ", true, 9 + Log10Of(s.TN));
  SetColumn(t, 18, "Ｙ", true, 9 + Log10Of(s.TN));
  SetColumn(t, 19, "Ｚ", true, 7 + Log10Of(s.TZ));
  SetColumn(t, 20, "点名", true, 10);
  SetColumn(t, 21, "ﾏｰｸ", false, 6);
  SetColumn(t, 22, "ｺｰﾄﾞ", false, 10);

  auto set = [&t](std::initializer_list<int> columns, double on) {
    for (int c : columns) t.ReportColumnOn(c) = on;
  };
  const bool withHeight = t.StationInstrumentHeight != 0;
  if (!withHeight && HoldsHorizontalSight(app)) {
    set({5, 6}, -1);
    set({9}, 1);
  }
  if (!withHeight) set({1, 3, 13, 16, 19}, -1);
  if (kind == 1 || kind >= 3) {
    set({0}, 1);
    if (withHeight) set({1}, 1);
  }
  if (kind == 3 || kind == 4) {
    set({7, 14, 15}, 1);
    if (withHeight) set({1, 16}, 1);
  }

  if (t.CalculationPrintMode != 2) {
    // The closure corrections exist only for the connecting and closed kinds.
    const bool closing = !(kind == 0 || kind == 1 || kind == 2);
    RunSelectionScreen(app, kCalculationLast, false, [closing](int i) {
      return !closing && (i == 7 || i == 14 || i == 15 || i == 16);
    });
  }
  app.output.ReportHeaderLine = traverse::ReportHeaderOf(app, kCalculationLast);
  if (On(t, kCalculationScaledDistance)) AskScaleFactorForReport(app);
}

void ParseStationRecord(App& app) {
  traverse::State& t = app.traverse;
  const std::string& record = app.fieldbook.FieldBookRecord(RtWhole(t.FieldBookRecordIndex));
  const bool longForm = RtTrim(record).size() > 40;
  t.ParsedStationName = longForm ? columns::Columns(record, 2, 17) : columns::Columns(record, 2, 9);
  t.ParsedBacksightName = longForm ? columns::Columns(record, 19, 34) : columns::Columns(record, 11, 18);
  t.StationInstrumentHeight = longForm ? columns::ColumnValue(record, 36, 42) : columns::ColumnValue(record, 20, 26);
  app.fieldbook.ObservationInstrumentHeight = t.StationInstrumentHeight;
}

void ShowStationRecord(App& app) {
  traverse::State& t = app.traverse;
  if (t.FieldBookRecordKind != "*") return;
  const std::string& record = app.fieldbook.FieldBookRecord(RtWhole(t.FieldBookRecordIndex));
  if (RtMid(record, 2, 1) != "_") {
    ParseStationRecord(app);
    RtPrintStr("ｷｼﾞｭﾝﾃﾝ   ﾊﾞｯｸ    ｷｶｲﾀﾞｶ", true);
  } else {
    RtPrintStr("", true);
    RtColor(kRouteColour);
    RtPrintStr("路線名＝", false);
  }
  RtPrintStr(record, true);
  RtPrintStr("", true);
  RtColor(kNormalColour);
}
