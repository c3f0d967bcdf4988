#include "traverse/report.h"

#include <string>

#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "runtime/files.h"
#include "runtime/numtext.h"

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

void PrintDirectionDistanceReport(App& app) {
  traverse::State& t = app.traverse;
  t.FormattedDirection = FormatAngleOf(app, app.points.LegDirection);
  const std::string included = FormatAngleOf(app, DmsToDegrees(t.IncludedAngle));
  // TEMPORARY: the column layout of the reverse traverses' report settings
  // (print mode above 1) comes with those traverses, the only commands that
  // choose it; until then every leg is written in the simple layout.
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

void PrintObservationLineBody(App& app) {
  traverse::State& t = app.traverse;
  const fieldbook::State& f = app.fieldbook;
  const bool levelled = t.DistancePromptFlag == 1;
  t.VerticalLabel = levelled ? "z=" : "V=";
  t.DistanceLabel = levelled ? "L=" : "S=";
  t.HorizontalAngleText = FormatAngleOf(app, DmsToDegrees(t.ObservedHorizontalAngle));
  if (app.settings.ZD > 2) return;
  // TEMPORARY: the column layout of the field-book calculation's report
  // (CalculationPrintMode above 1) comes with that calculation; until then
  // every sight is written in the simple layout.
  RtPrintToFile(kPrintBuffer, "");
  RtPrintToFile(kPrintBuffer,
                RtFormatUsing("               &&&         &  &&#######.###",
                              {app.shell.HeightLabel, t.HorizontalAngleText, t.DistanceLabel, t.SlopeDistance}),
                false);
  if (!f.VerticalAngleText.empty() && f.ObservedVerticalAngle != app.shell.Epsilon) {
    if (!levelled) {
      RtPrintToFile(kPrintBuffer,
                    RtFormatUsing("  &&&         &",
                                  {t.VerticalLabel, FormatAngleOf(app, DmsToDegrees(f.ObservedVerticalAngle))}),
                    false);
    } else {
      RtPrintToFile(kPrintBuffer, RtFormatUsing("  &&#######.###", {t.VerticalLabel, f.ObservedVerticalAngle}), false);
    }
    if (t.TargetHeight != 0) RtPrintToFile(kPrintBuffer, RtFormatUsing("  f=##.###", {t.TargetHeight}), false);
  }
  RtPrintToFile(kPrintBuffer, "");
}

// Only the reverse-traverse report holds a line back, and it does not exist
// yet: there is never a pending line to write.
void FlushPendingReportLine(App&) {}
