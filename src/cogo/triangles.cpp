#include "cogo/triangles.h"

#include <optional>
#include <string>

#include "cogo/base_inputs.h"
#include "cogo/coordinate_menu.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/plane.h"
#include "core/routines.h"
#include "core/sound.h"
#include "points/geometry.h"
#include "points/registration.h"
#include "points/three_point_input.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "ui/input.h"
#include "ui/navigator.h"
#include "ui/view.h"

namespace {

bool Abandoned(const App& app) { return app.input.RawAnswer == "%"; }

void ShowGuideNumber(App& app, double guide) {
  app.input.GuideNumber = guide;
  ShowGuide(app);
}

void Refuse(App& app, const char* message) {
  PlaySound(app, "chord.wav");
  RtPrintStr(message, true);
}

// The computed point registered with height 0.
void StoreComputedPoint(App& app, plane::Point point) {
  points::Store& p = app.points;
  p.WorkPointZ = 0;
  p.WorkPointX = point.x;
  p.WorkPointY = point.y;
  StorePoint(app);
}

// One answer of a value prompt: `prompt` printed, guide `guide`, read by `input`.
double Ask(App& app, const char* prompt, double guide, void (*input)(App&)) {
  RtPrintStr(prompt, false);
  app.input.GuideNumber = guide;
  input(app);
  return app.input.AnswerValue;
}

// The line from B to the work point, B made the from-point, as the resection draws its legs.
void DrawLegTo(App& app, double x, double y) {
  points::Store& p = app.points;
  p.WorkPointX = x;
  p.WorkPointY = y;
  ComputeDirectionAndDistance(app);
  DrawLineToPoint(app);
}

}  // namespace

Jump OneSideOneAngle(App& app) {
  points::Store& p = app.points;
  for (;;) {
    ShowGuideNumber(app, 49);
    InputPointsAB(app);
    if (Abandoned(app)) return {VariousCoordinateMenu};
    app.traverse.BackDirection = 180;
    ShowGuideNumber(app, 32);
    Call(Routines().ReportTwoPointInverse, app);
    // Without B the leg of before would stand for A-B.
    if (Abandoned(app)) continue;
    const double azimuth = p.LegDirection;
    const double base = p.HorizontalDistance;
    const double side = Ask(app, "A-C L=", 33, InputDistance);
    const double angle = Ask(app, "<ACB H=", 34, InputDirectionH);
    const std::optional<plane::Point> point =
        plane::SideAndAngleOf({p.FromPointX, p.FromPointY}, azimuth, base, side, DmsToDegrees(angle));
    if (!point) {
      Refuse(app, " A-C が長すぎて三角形になりません");
      continue;
    }
    RtPrintToFile(core::kPrintBuffer, RtFormatUsing("A-C L=#######.###   <ACB H=&         &",
                                                    {side, FormatAngleOf(app, DmsToDegrees(angle))}));
    StoreComputedPoint(app, *point);
  }
}

Jump ThreePointsTwoAngles(App& app) {
  points::Store& p = app.points;
  for (;;) {
    ShowGuideNumber(app, 31);
    InputPointsABC(app);
    // Without C the work point of before would stand for it.
    if (Abandoned(app)) continue;
    const plane::Point a{p.FromPointX, p.FromPointY};
    const plane::Point b{p.SecondLineEndX, p.SecondLineEndY};
    const plane::Point c{p.FirstLineStartX, p.FirstLineStartY};
    DrawLegTo(app, b.x, b.y);
    p.FromPointX = b.x;
    p.FromPointY = b.y;
    DrawLegTo(app, c.x, c.y);
    const double adb = Ask(app, "<ADB H=", 195, InputPointName);
    const double adc = Ask(app, "<ADC H=", 196, InputPointName);
    const std::optional<plane::Point> point =
        plane::ResectionOf(a, b, c, DmsToDegrees(adb), DmsToDegrees(adc));
    if (!point) {
      Refuse(app, " <ADB が 0 か 180 度か、点が重なっていて求まりません");
      continue;
    }
    RtPrintToFile(core::kPrintBuffer, "<ADB H=" + FormatAngleOf(app, DmsToDegrees(adb)) + "   <ADC H=" +
                                          FormatAngleOf(app, DmsToDegrees(adc)));
    StoreComputedPoint(app, *point);
  }
}
