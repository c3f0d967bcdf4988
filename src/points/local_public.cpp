#include "points/local_public.h"

#include <cmath>
#include <string>

#include "core/app.h"
#include "core/plane.h"
#include "core/point_names.h"
#include "points/geometry.h"
#include "points/point_input.h"
#include "points/point_list_line.h"
#include "points/registration.h"
#include "points/station_offset.h"
#include "points/table.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/sound.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/navigator.h"

namespace {

bool Abandoned(const App& app) { return app.input.RawAnswer == "%"; }

// The first number of a list of `count` new points, when the whole list fits in
// the table on free numbers; otherwise says why and gives 0.
double FirstNumberOfList(App& app, double first, double count) {
  const points::Store& p = app.points;
  if (first < 1 || first != std::floor(first) || first + count - 1 > p.PointCapacity) {
    ReportPointNumberOutOfRange(app);
    return 0;
  }
  for (int n = RtWhole(first); n <= first + count - 1; ++n) {
    if (!IsFreePoint(app, n)) {
      ReportPointNumberInUse(app, n);
      return 0;
    }
  }
  return first;
}

// The first point's question: where the list's converted points go.
void AskInitialRegistration(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  const double count = p.SelectionLast + 1;
  for (;;) {
    RtPrintStr("ｼｮﾃﾝﾄｳﾛｸ[U] No. " + RtNumText(p.NextPointNumber), false);
    in.GuideNumber = 310;
    InputPointName(app);
    in.Answer = RtUcase(in.Answer);
    p.InitialRegistrationAnswer = in.Answer;
    if (in.Answer == "U") return;
    const double first = FirstNumberOfList(app, in.Answer.empty() ? p.NextPointNumber : in.AnswerValue, count);
    if (first != 0) {
      p.NextPointNumber = first;
      return;
    }
  }
}

// The points of the selection one after another, the first already designated:
// each converted (into the system `mode` names) and registered.
void RegisterListedPoints(App& app, void (*convert)(App&), double mode) {
  points::Store& p = app.points;
  for (;;) {
    convert(app);
    p.CoordinateDisplayMode = mode;
    RegisterInitialPoint(app);
    if (p.SelectionIndex >= p.SelectionLast + 1) return;
    InputExistingPoint(app);
  }
}

}  // namespace

void PrintPointListByMode(App& app) {
  switch (RtWhole(app.settings.ZD)) {
    case 1:
      PrintPointListLine(app);
      break;
    case 2:
      CheckPointListMode(app);
      break;
    default:
      break;
  }
}

void ConvertLocalPublic(App& app) {
  points::Store& p = app.points;
  const cogo::State& base = app.cogo;
  const plane::FromBase from = plane::FromBaseOf(p.WorkPointX, p.WorkPointY, base.BaseAzimuth);
  p.PolarDistance = from.distance;
  p.PolarAngle = from.direction;
  p.WorkPointX = base.BasePointX + from.dx;
  p.WorkPointY = base.BasePointY + from.dy;
}

void SwitchToLocalCoordinates(App& app) {
  points::Store& p = app.points;
  RtPrintStr("X,Y-->x,y", true);
  app.input.GuideNumber = 289;
  ShowGuide(app);
  InputExistingPoint(app);
  if (Abandoned(app)) return;
  p.WorkPointZ = p.DesignatedPointZ;
  p.CoordinateDisplayMode = -1;
  if (p.SelectionLast < 0) {
    StorePoint(app);  // converts the point itself, the mode being local
  } else {
    RegisterListedPoints(app, ConvertToStationOffset, -1);
  }
  p.CoordinateDisplayMode = 1;
  FindHighestUsedPoint(app);
}

void SwitchToPublicCoordinates(App& app) {
  points::Store& p = app.points;
  InputExistingPoint(app);
  if (Abandoned(app)) return;
  if (p.SelectionLast < 0) {
    p.CoordinateDisplayMode = 1;
    p.WorkPointZ = p.DesignatedPointZ;
    ConvertLocalPublic(app);
    StorePoint(app);
    return;
  }
  RegisterListedPoints(app, ConvertLocalPublic, 1);
  FindHighestUsedPoint(app);
}

void RegisterInitialPoint(App& app) {
  points::Store& p = app.points;
  const double m = p.SelectionList(p.SelectionIndex - 1);
  if (p.SelectionIndex == 1) AskInitialRegistration(app);
  // The listed point's name beside its cross and in its list line.
  app.input.Answer = p.PointName(m);
  PrintPointListLine(app);
  DrawAndPrintPointCoordinates(app);
  p.WorkPointZ = p.DesignatedPointZ;
  double n = m;
  if (p.InitialRegistrationAnswer != "U") {
    n = p.NextPointNumber;
    p.PointName(n) = p.PointName(m);
    p.PointZ(n) = p.WorkPointZ;
    p.PointAttribute(n) = p.PointAttribute(m);
    p.NextPointNumber = n + 1;
  }
  p.PointX(n) = p.WorkPointX;
  p.PointY(n) = p.WorkPointY;
  AppendToNewPointList(app, n);
  RtMciCommand(app.shell.StartSoundCommand);
}
