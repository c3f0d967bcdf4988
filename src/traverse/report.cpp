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

// Only the reverse-traverse report holds a line back, and it does not exist
// yet: there is never a pending line to write.
void FlushPendingReportLine(App&) {}
