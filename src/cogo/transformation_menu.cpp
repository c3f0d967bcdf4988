#include "cogo/transformation_menu.h"

#include <array>
#include <cstdint>

#include "cogo/axis_swap.h"
#include "cogo/cross_sections.h"
#include "cogo/datum_conversion.h"
#include "cogo/normal_transformation.h"
#include "cogo/sima_sections.h"
#include "core/app.h"
#include "core/routines.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

constexpr std::array<Entry, 11> kKinds = {
    NormalTransformation,     // 1
    SwapCoordinateAxes,       // 2
    SwapCoordinateAxes,       // 3
    PolygonSection,           // 4
    ZTransformation,          // 5
    NormalTransformation,     // 6 mirror
    ExportSimaLongitudinal,   // 7
    ExportSimaCrossSection,   // 8
    CrossSectionConversion,   // 9
    CrossSectionPlacement,    // 10
    DatumConversion,          // 11
};

void PrintKinds() {
  RtPrintStr(" 1:ﾉ-ﾏﾙ変換  2:Z,X->X,Y  3:ZXY->XYZ  4:多角断面  5:Ｚ変換 ", true);
  RtPrintStr(" 6:ﾐﾗｰ変換   7:SIMA縦断  8:SIMA横断  9:横断変換 10:横断配置", true);
  RtPrintStr("11:日本測地2000 ", false);
}

}  // namespace

Jump CoordinateTransformationMenu(App& app) {
  EndLeftPolygonSection(app);
  Call(Routines().ResetRunState, app);
  PrintKinds();
  app.input.GuideNumber = 140;
  InputMenuChoice(app);
  const double a = app.job.SubmenuChoice = app.input.AnswerValue;
  if (!app.input.Answer.empty()) app.output.ReportTitle = RtMid(app.input.AnswerCopy, 3);
  const int16_t kind = RtInt16(a);
  if (kind < 0) RtRaise(kErrIllegalArgument);
  if (kind >= 1 && kind <= static_cast<int16_t>(kKinds.size())) return {kKinds[kind - 1]};
  return {EntryOf(Routines().ShowResultMenu)};
}

Jump PolygonSection(App& app) {
  traverse::State& t = app.traverse;
  const points::Store& p = app.points;
  // The profile points are written straight into the table: they must start
  // above the points in use, or they would overwrite them.
  for (;;) {
    // With ZD 1 nothing is asked: the profile starts at the proposed number.
    t.NewPointStartNumber = p.NextPointNumber;
    Call(Routines().AskNewPointStartNumber, app);
    if (t.NewPointStartNumber > p.PointCount) break;
    if (app.settings.ZD == 1) {
      t.NewPointStartNumber = p.PointCount + 1;
      break;
    }
    RtPrintStr(" 使用中の点番号です。" + RtStr(p.PointCount) + " より大きい番号にしてください", true);
  }
  t.SavedZE = app.settings.ZE;
  app.settings.ZE = 3;
  t.PolygonSectionMode = 1;
  t.ProfilePointNumber = t.NewPointStartNumber;
  app.job.FirstPointToSave = t.NewPointStartNumber;
  // Only the connection lines added from now on belong to the profile.
  app.job.FirstVertexToSave = app.lines.LineVertexCount + 1;
  return {EntryOf(Routines().RunOpenReverseTraverse)};
}

void EndLeftPolygonSection(App& app) {
  traverse::State& t = app.traverse;
  if (t.PolygonSectionMode == 1) {
    t.PolygonSectionMode = 0;
    app.settings.ZE = t.SavedZE;
  }
}
