#include "cogo/cross_sections.h"

#include <cstdint>
#include <string>

#include "cogo/base_line_tools.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "core/sound.h"
#include "points/geometry.h"
#include "points/point_list_line.h"
#include "points/selection.h"
#include "points/station_offset.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/sound.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/view.h"

namespace cogo {

SectionPoint CrossSectionPointOf(double along, double offset, double height, double axisMode, double placement) {
  if (axisMode == 1) return {height + placement, along, 0};
  return {along + placement, offset, height};
}

}  // namespace cogo

namespace {

constexpr int kGuideMenu = 146;
constexpr int kGuideAxisMode = 147;
constexpr int kGuidePlacement = 143;
constexpr int kGuideMoveDH = 145;

// Registering without report lines (ZD 3) while a step of the conversion
// works; ZD as it was again however the step ends (a jump or an error
// included), so that no later command loses its result menu.
class RegisterOnly {
 public:
  explicit RegisterOnly(App& app) : app_(app), saved_(app.settings.ZD) { app.settings.ZD = 3; }
  ~RegisterOnly() { app_.settings.ZD = saved_; }
  RegisterOnly(const RegisterOnly&) = delete;
  RegisterOnly& operator=(const RegisterOnly&) = delete;

 private:
  App& app_;
  double saved_;
};

Jump Step(App& app, Entry step) {
  RegisterOnly guard(app);
  return step(app);
}

// Reads a number after its prompt and the value shown; Enter keeps `value`.
void AskKeeping(App& app, const char* prompt, double& value, int guide) {
  RtPrintStr(prompt, false);
  RtPrintNum(value, false);
  app.input.GuideNumber = guide;
  InputPointName(app);
  if (!app.input.Answer.empty()) value = app.input.AnswerValue;
}

// The first 8 bytes of a name and the 8 after them, as the report's name
// columns show it.
std::string NameColumns(const char* tmpl, const std::string& name) {
  return RtFormatUsing(tmpl, {RtLeft(name, 8), RtMid(name, 9, 8)});
}

// The start number of a batch of `count` points: asked until the batch fits
// in the table and, when it would write over points in use, the user agrees.
double AskBatchStartNumber(App& app, double count) {
  const points::Store& p = app.points;
  for (;;) {
    Call(Routines().AskRegistrationStartNumber, app);
    const double first = app.transfer.RegistrationNumber;
    const double last = first + count - 1;
    if (last > p.PointCapacity) {
      RtPrintStr(" No." + RtStr(first) + "から" + RtStr(count) + "点は登録できません (最大 No." +
                     RtStr(p.PointCapacity) + ")",
                 true);
      PlaySound(app, "chord.wav");
      continue;
    }
    bool inUse = false;
    for (int n = static_cast<int>(first); n <= static_cast<int>(last) && !inUse; ++n) inUse = !IsFreePoint(app, n);
    if (!inUse) return first;
    RtPrintStr(" No." + RtStr(first) + "から" + RtStr(count) + "点の中に使用中の点があります", true);
    RtPrintStr(" 上書きしますか[Y,N]N ", false);
    app.input.GuideNumber = 255;
    InputPointName(app);
    if (RtUcase(app.input.Answer) == "Y") return first;
  }
}

// One point of a batch converted and written at NextPointNumber.
void ConvertPoint(App& app, double n) {
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  const double number = p.NextPointNumber;
  p.CurrentPointNumber = n;
  p.WorkPointX = p.PointX(n);
  p.WorkPointY = p.PointY(n);
  p.WorkPointZ = p.PointZ(n);
  const std::string name = app.input.Answer = p.PointName(n);
  ConvertToStationOffset(app);
  const double along = p.WorkPointX, offset = p.WorkPointY, height = p.WorkPointZ;
  const cogo::SectionPoint s =
      cogo::CrossSectionPointOf(along, offset, height, c.CrossSectionAxisMode, c.SectionPlacementOffset);
  p.PointName(number) = name;
  p.PointX(number) = s.x;
  p.PointY(number) = s.y;
  p.PointZ(number) = s.z;
  p.PointAttribute(number) = p.PointAttribute(n);
  RtMciCommand(app.shell.StartSoundCommand);
  if (c.CrossSectionAxisMode == 1) {
    p.WorkPointX = along;
    p.WorkPointY = height;
    p.WorkPointZ = 0;
    p.CoordinateLabelX = "L=";
    p.CoordinateLabelY = "H=";
    RtPrintToFile(core::kPrintBuffer, NameColumns("     &      &@", name), false);
    PrintPointListLineSameLabels(app);
  } else {
    CheckPointListMode(app);
    SetCoordinateLabels(app);
  }
  RtPrintStr(NameColumns("&      &@ ", name), false);
  PrintPointCoordinatesSameLabels(app);
  p.NextPointNumber = number + 1;
}

}  // namespace

Jump CrossSectionConversion(App& app) {
  cogo::State& c = app.cogo;
  c.CrossSectionAxisMode = 1;
  c.SectionPlacementPitch = 0;
  c.SectionPlacementOffset = 0;
  return CrossSectionConversionMenu(app);
}

Jump CrossSectionConversionMenu(App& app) {
  cogo::State& c = app.cogo;
  points::Store& p = app.points;
  c.ReturnMenu = 1;
  app.input.StationMarkerOn = 1;
  p.FromPointX = c.BasePointX;
  p.FromPointY = c.BasePointY;
  c.BaseChainage = 0;
  c.BaseRadius = 0;
  DrawStationMarker(app);
  RtPrintStr("", true);
  RtPrintStr(" 1:基準設定  2:方向変更  3:基点移動  4:属性変更  5:変換開始 ", false);
  app.input.GuideNumber = kGuideMenu;
  InputMenuChoice(app);
  const double a = app.job.SubmenuChoice = app.input.AnswerValue;
  const int16_t item = RtInt16(a);
  if (item < 0) RtRaise(kErrIllegalArgument);
  switch (item) {
    case 1:
      return Step(app, SetBaseLine);
    case 2:
      return Step(app, RotateBaseLine);
    case 3:
      return Step(app, MoveBasePoint);
    case 4:
      return EditCrossSectionAttributes(app);
    case 5:
      return Step(app, RunCrossSectionConversion);
    default:
      return {EntryOf(Routines().ShowResultMenu)};
  }
}

Jump EditCrossSectionAttributes(App& app) {
  cogo::State& c = app.cogo;
  AskKeeping(app, "ZX->XY[0,1]", c.CrossSectionAxisMode, kGuideAxisMode);
  if (c.CrossSectionAxisMode == 0) return {CrossSectionConversionMenu};
  AskKeeping(app, "配置ﾋﾟｯﾁ= ", c.SectionPlacementPitch, kGuidePlacement);
  return {CrossSectionConversionMenu};
}

Jump RunCrossSectionConversion(App& app) {
  cogo::State& c = app.cogo;
  points::Store& p = app.points;
  if (c.SectionPlacementOffset != 0) AskKeeping(app, "配置 DH=", c.SectionPlacementOffset, kGuidePlacement);
  const double origin = p.StationPointNumber;
  const std::string originName = p.PointName(origin);
  RtPrintToFile(core::kPrintBuffer, RtFormatUsing("     &      &@  X=#######.###  Y=#######.###",
                                                  {RtLeft(originName, 8), RtMid(originName, 9, 8), c.BasePointX,
                                                   c.BasePointY}));
  RtPrintToFile(core::kPrintBuffer, RtFormatUsing("               A=&         &  H=#######.###",
                                                  {FormatAngleOf(app, c.BaseAzimuth), p.PointZ(origin)}));
  for (;;) {
    DrawStationMarker(app);
    SelectPoints(app);
    if (p.SelectionLast < 0) break;
    p.NextPointNumber = AskBatchStartNumber(app, p.SelectionLast + 1);
    RtPrintToFile(core::kPrintBuffer, "");
    for (int i = 0; i <= static_cast<int>(p.SelectionLast); ++i) ConvertPoint(app, p.SelectionList(i));
    // The labels of a profile batch are the run's own.
    SetCoordinateLabels(app);
  }
  RtPrintToFile(core::kPrintBuffer, "_");
  c.SectionPlacementOffset += c.SectionPlacementPitch;
  return {CrossSectionConversionMenu};
}

Jump CrossSectionPlacement(App& app) {
  points::Store& p = app.points;
  RtPrintStr("ｲﾄﾞｳﾋﾟｯﾁ=", false);
  app.input.GuideNumber = kGuidePlacement;
  InputPointName(app);
  const double pitch = app.input.AnswerValue;
  double dh = pitch;
  for (;;) {
    AskKeeping(app, "ｲﾄﾞｳDH=", dh, kGuideMoveDH);
    SelectPoints(app);
    if (p.SelectionLast < 0) return {EntryOf(Routines().ShowResultMenu)};
    for (int i = 0; i <= static_cast<int>(p.SelectionLast); ++i) {
      const double n = p.SelectionList(i);
      p.PointX(n) += dh;
      RtPrintStr(p.PointName(n), false);
      RtPrintZone();
      RtPrintNum(n, true);
    }
    dh += pitch;
  }
}
