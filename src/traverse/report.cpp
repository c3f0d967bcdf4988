#include "traverse/report.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "core/app.h"
#include "core/columns.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace {

using core::kPrintBuffer;


void WriteHeightPart(App& app) {
  const traverse::State& t = app.traverse;
  const std::string vertical = FormatAngleOf(app, DmsToDegrees(t.InverseVerticalAngle));
  RtPrintToFile(kPrintBuffer, RtFormatUsing("               z=#######.###  s=#######.###  V=&         &",
                                            {t.HeightDifference, t.InverseSlopeDistance, vertical}));
  RtPrintToFile(kPrintBuffer, RtFormatUsing("               %=#######.###", {t.InverseGradient}), false);
  if (t.CumulativeSlopeDistance != 0) {
    RtPrintToFile(kPrintBuffer, RtFormatUsing("  -=#######.###  /=#######.###",
                                              {t.CumulativeDistance, t.CumulativeSlopeDistance}),
                  false);
  }
  RtPrintToFile(kPrintBuffer, "");
}

}  // namespace

namespace {

enum ReverseColumn {
  kRevDz = 7, kRevDirection = 8, kRevAngle = 9, kRevDistance = 10, kRevScaledDistance = 11,
  kRevRunningDistance = 12, kRevSlopeDistance = 13, kRevRunningSlope = 14, kRevVerticalAngle = 15,
  kRevGradient = 16, kRevListedName = 17,
};
enum ObservationColumn {
  kObsStation = 0, kObsInstrumentHeight = 1, kObsTarget = 2, kObsTargetHeight = 3, kObsHorizontal = 4,
  kObsSlopeDistance = 5, kObsVertical = 6,
};
constexpr std::string_view kFirstLegMarker = "   (基準点) ";
constexpr int kAngleFieldBlanks = 12;

bool ColumnOn(const App& app, int c) { return app.traverse.ReportColumnOn(c) == 1; }
double Width(const App& app, int c) { return app.traverse.ReportColumnWidth(c); }
int Bytes(const App& app, int c) { return std::max(RtWhole(Width(app, c)), 0); }

// A value right-aligned in its column with the decimals the width leaves
// after `reserved` bytes.
std::string ValueColumn(const App& app, int c, double value, double reserved) {
  return FormatDecimalsRight(value, Bytes(app, c) - reserved, Bytes(app, c));
}
// An angle text right-aligned in its column.
std::string AngleColumn(const App& app, int c, const std::string& text) {
  return columns::RightAlign("      " + text, Bytes(app, c));
}

bool IsRadiationReverse(const App& app) { return std::floor(app.job.SubmenuChoice) == 5; }
bool IsOpenReverse(const App& app) { return std::floor(app.job.SubmenuChoice) == 4; }

// The included-angle column of a leg line (see PrintDirectionDistanceReport).
void AppendAngleColumn(App& app, const std::string& included) {
  traverse::State& t = app.traverse;
  t.AngleColumnStart = static_cast<double>(t.ReportLine.size());
  const bool radiation = IsRadiationReverse(app);
  if (radiation && t.ReverseTraverseLegCount == 1) {
    t.ReportLine += kFirstLegMarker;
  } else if (t.ReverseTraverseLegCount == 1) {
    t.ReportLine += std::string(kAngleFieldBlanks, ' ');
  } else if (radiation) {
    t.ReportLine += AngleColumn(app, kRevAngle, included);
  } else if (IsOpenReverse(app)) {
    t.ReportLine += std::string(kAngleFieldBlanks, ' ');
    t.PendingAngleText = included;
  }
}

// The held-back line with the angle at its point put into its angle column;
// everything behind the column is kept, however long the line.
std::string HeldLineWithAngle(const App& app) {
  const traverse::State& t = app.traverse;
  const std::size_t start = std::min(static_cast<std::size_t>(t.AngleColumnStart), t.PendingReportLine.size());
  const std::size_t behind = start + static_cast<std::size_t>(Bytes(app, kRevAngle));
  std::string line = t.PendingReportLine.substr(0, start) + AngleColumn(app, kRevAngle, t.PendingAngleText);
  if (behind < t.PendingReportLine.size()) line += t.PendingReportLine.substr(behind);
  return line;
}

void AppendLegColumns(App& app, const std::string& included) {
  traverse::State& t = app.traverse;
  const points::Store& p = app.points;
  std::string& line = t.ReportLine;
  if (ColumnOn(app, kRevDz)) line += ValueColumn(app, kRevDz, t.HeightDifference, 7);
  if (ColumnOn(app, kRevDirection)) line += AngleColumn(app, kRevDirection, t.FormattedDirection);
  if (ColumnOn(app, kRevAngle)) AppendAngleColumn(app, included);
  if (ColumnOn(app, kRevDistance)) line += ValueColumn(app, kRevDistance, p.HorizontalDistance, 7);
  if (ColumnOn(app, kRevScaledDistance)) {
    line += ValueColumn(app, kRevScaledDistance, p.HorizontalDistance / app.shell.ScaleFactor, 7);
  }
  if (app.settings.ZE == 3) {
    const std::string vertical = FormatAngleOf(app, DmsToDegrees(t.InverseVerticalAngle));
    if (ColumnOn(app, kRevRunningDistance)) {
      line += ValueColumn(app, kRevRunningDistance, t.CumulativeDistance, 7);
    }
    if (ColumnOn(app, kRevSlopeDistance)) line += ValueColumn(app, kRevSlopeDistance, t.InverseSlopeDistance, 7);
    if (ColumnOn(app, kRevRunningSlope)) {
      line += ValueColumn(app, kRevRunningSlope, t.CumulativeSlopeDistance, 7);
    }
    if (ColumnOn(app, kRevVerticalAngle)) line += AngleColumn(app, kRevVerticalAngle, vertical);
    if (ColumnOn(app, kRevGradient)) line += ValueColumn(app, kRevGradient, t.InverseGradient, 6);
  }
  if (ColumnOn(app, kRevListedName)) line += "  " + app.points.ListedPointName;
}

// The leg line in the column layout: written at once, or held back in the open
// reverse traverse until the next leg brings the angle at its point.
void WriteLegLine(App& app) {
  traverse::State& t = app.traverse;
  const bool open = IsOpenReverse(app);
  if (IsRadiationReverse(app) || (open && !ColumnOn(app, kRevAngle))) {
    RtPrintToFile(kPrintBuffer, t.ReportLine);
    t.ReverseTraverseLegCount += 1;
  } else if (open) {
    t.ReverseTraverseLegCount += 1;
    if (t.ReverseTraverseLegCount > 2) RtPrintToFile(kPrintBuffer, HeldLineWithAngle(app));
  }
  t.PendingReportLine = t.ReportLine;
}

}  // namespace

void PrintDirectionDistanceReport(App& app) {
  traverse::State& t = app.traverse;
  t.FormattedDirection = FormatAngleOf(app, app.points.LegDirection);
  const std::string included = FormatAngleOf(app, DmsToDegrees(t.IncludedAngle));
  if (t.ReverseTraversePrintMode > 1) {
    AppendLegColumns(app, included);
    WriteLegLine(app);
    return;
  }
  RtPrintToFile(kPrintBuffer,
                RtFormatUsing("               A=&         &  H=&         &  L=#######.###",
                              {t.FormattedDirection, included, RoundDistance(app, app.points.HorizontalDistance)}));
  if (app.settings.ZE == 3) WriteHeightPart(app);
  RtPrintToFile(kPrintBuffer, "");
}

void PrintStationHeader(App& app) {
  if (app.settings.ZD > 2) return;
  points::Store& p = app.points;
  const traverse::State& t = app.traverse;
  double& orientation = p.LegDirection;
  while (orientation > 360) orientation -= 360;
  p.WorkPointX = p.FromPointX;
  p.WorkPointY = p.FromPointY;
  p.DesignatedPointZ = t.ObservationStationHeight;
  app.input.Answer = p.FromPointName;
  p.CurrentPointNumber = p.StationPointNumber;
  RtPrintToFile(kPrintBuffer, RtFormatUsing("               A=&         &", {FormatAngleOf(app, orientation)}),
                false);
  const double instrument = app.fieldbook.ObservationInstrumentHeight;
  if (instrument != 0) {
    RtPrintToFile(kPrintBuffer,
                  RtFormatUsing("  Z=#######.###  i=#######.###", {t.ObservationStationHeight, instrument}), false);
  }
  RtPrintToFile(kPrintBuffer, "");
}

void PrintObservationLine(App& app) {
  traverse::State& t = app.traverse;
  fieldbook::State& f = app.fieldbook;
  t.ObservedHorizontalAngle = f.MeasuredHorizontalAngle;
  t.SlopeDistance = f.MeasuredDistance;
  f.ObservedVerticalAngle = f.MeasuredVerticalAngle;
  t.TargetHeight = f.ObservationTargetHeight;
  PrintObservationLineBody(app);
}

namespace {

// Columns 0 to 6 of the traverse calculation's sight line, left in ReportLine
// for the caller to complete. `vertical` is the vertical angle's text, empty
// when the sight has none (no reading, a height difference, or no simple
// lines), whose column then stays blank.
void BuildObservationColumns(App& app, const std::string& vertical) {
  traverse::State& t = app.traverse;
  std::string& line = t.ReportLine;
  line.clear();
  if (ColumnOn(app, kObsStation)) line = columns::PadTo(RtTrim(t.ReportStationName) + "        ", Bytes(app, kObsStation));
  if (ColumnOn(app, kObsInstrumentHeight)) {
    line += ValueColumn(app, kObsInstrumentHeight, app.fieldbook.ObservationInstrumentHeight, 4);
  }
  if (ColumnOn(app, kObsTarget)) {
    line += "  " + columns::PadTo(RtTrim(t.TargetPointName) + "        ", std::max(Bytes(app, kObsTarget) - 2, 0));
  }
  if (ColumnOn(app, kObsTargetHeight)) line += ValueColumn(app, kObsTargetHeight, t.TargetHeight, 4);
  if (ColumnOn(app, kObsHorizontal)) line += AngleColumn(app, kObsHorizontal, t.HorizontalAngleText);
  if (ColumnOn(app, kObsSlopeDistance)) line += ValueColumn(app, kObsSlopeDistance, t.SlopeDistance, 7);
  if (ColumnOn(app, kObsVertical)) {
    line += vertical.empty() ? std::string(static_cast<std::size_t>(Bytes(app, kObsVertical)), ' ')
                             : AngleColumn(app, kObsVertical, vertical);
  }
}

}  // namespace

void PrintObservationLineBody(App& app) {
  traverse::State& t = app.traverse;
  const fieldbook::State& f = app.fieldbook;
  const bool levelled = t.DistancePromptFlag == 1;
  const bool simple = t.CalculationPrintMode <= 1;
  t.VerticalLabel = levelled ? "z=" : "V=";
  t.DistanceLabel = levelled ? "L=" : "S=";
  t.HorizontalAngleText = FormatAngleOf(app, DmsToDegrees(t.ObservedHorizontalAngle));
  std::string vertical;
  if (app.settings.ZD <= 2) {
    if (simple) {
      RtPrintToFile(kPrintBuffer, "");
      RtPrintToFile(kPrintBuffer,
                    RtFormatUsing("               &&&         &  &&#######.###",
                                  {app.shell.HeightLabel, t.HorizontalAngleText, t.DistanceLabel, t.SlopeDistance}),
                    false);
    }
    if (!f.VerticalAngleText.empty() && f.ObservedVerticalAngle != app.shell.Epsilon) {
      if (!levelled) {
        vertical = FormatAngleOf(app, DmsToDegrees(f.ObservedVerticalAngle));
        if (simple) RtPrintToFile(kPrintBuffer, RtFormatUsing("  &&&         &", {t.VerticalLabel, vertical}), false);
      } else if (simple) {
        RtPrintToFile(kPrintBuffer, RtFormatUsing("  &&#######.###", {t.VerticalLabel, f.ObservedVerticalAngle}),
                      false);
      }
      if (t.TargetHeight != 0 && simple) {
        RtPrintToFile(kPrintBuffer, RtFormatUsing("  f=##.###", {t.TargetHeight}), false);
      }
    }
    if (simple) RtPrintToFile(kPrintBuffer, "");
  }
  if (!simple) BuildObservationColumns(app, vertical);
}

void FlushPendingReportLine(App& app) {
  const traverse::State& t = app.traverse;
  if (IsOpenReverse(app) && t.ReverseTraversePrintMode > 1 && t.ReverseTraverseLegCount >= 2 &&
      ColumnOn(app, kRevAngle)) {
    RtPrintToFile(kPrintBuffer, t.PendingReportLine);
  }
}
