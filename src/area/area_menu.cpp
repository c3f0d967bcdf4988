#include "area/area_menu.h"

#include <array>
#include <cmath>

#include "area/coordinate_area_report.h"
#include "area/coordinate_triangles.h"
#include "area/parcel_division.h"
#include "area/survey_table.h"
#include "area/triangle_areas.h"
#include "cogo/extensions.h"
#include "core/app.h"
#include "core/routines.h"
#include "core/sound.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/navigator.h"

namespace {

// The label and land survey tables hold entries 0 to this.
constexpr int kAreaTableCapacity = 2000;
constexpr int kSurveyTableLastColumn = 16;
constexpr double kAreaLineLayer = 6;

// Choices reached through the routine table.
Jump ConnectAreaLines(App&) { return {EntryOf(Routines().ConnectPoints)}; }

constexpr std::array<Entry, 9> kChoices = {
    HeronArea,             // 1 ﾍﾛﾝ
    TriangleArea,          // 2 三斜
    CoordinateTriangleArea,  // 3 座標三斜
    CoordinateAreaReport,  // 4 座標面積
    SelectParcelToDivide,  // 5 分割編集
    ConnectAreaLines,      // 6 結線, on the layer of the area lines
    DeleteAreaLines,       // 7 面積結線削除
    LineExtension,         // 8 直線延長
    SurveyTableMenu,       // 9 土地調査
};

void ClearSharedState(App& app) {
  area::State& a = app.area;
  a.DivisionPending = 0;
  app.lines.CurrentLayer = kAreaLineLayer;
  a.CumulativeParcelArea = 0;
  a.ParcelArea = 0;
  a.CumulativeParcelCount = 0;
  a.ParcelDeletionMode = 0;
  a.RememberedLotNumber.clear();
  a.SurveyExtractInParcelOrder = 0;
}

void HighlightChoice(App& app, double choice) {
  ui::NavigatorState& n = app.navigator;
  if (choice == 3) {
    n.MenuCellColumn = 0;
  } else if (choice == 5) {
    n.MenuCellColumn = 1;
  } else {
    return;
  }
  n.MenuCellRow = 4;
  ShowMenuPosition(app);
}

}  // namespace

void area::DimensionAreaTables(area::State& a) {
  if (a.AreaTablesDimensioned != 0) return;
  a.LabelX.Dimension(kAreaTableCapacity);
  a.LabelY.Dimension(kAreaTableCapacity);
  a.LabelText.Dimension(2 * kAreaTableCapacity);
  a.SurveyTable.Dimension(kAreaTableCapacity);
  for (int row = 0; row <= kAreaTableCapacity; ++row) a.SurveyTable(row).Dimension(kSurveyTableLastColumn);
  a.AreaTablesDimensioned = 1;
}

Jump AreaMenu(App& app) {
  Call(Routines().ResetRunState, app);
  ClearSharedState(app);
  area::DimensionAreaTables(app.area);
  RtPrintStr(" 1:ﾍﾛﾝ  2:三斜  3:座標三斜  4:座標面積  5:分割編集  6:結線 ", true);
  RtPrintStr(" 7:面積結線削除 8:直線延長  9:土地調査 ", false);
  app.input.GuideNumber = 122;
  InputMenuChoice(app);
  const double choice = app.input.AnswerValue;
  HighlightChoice(app, choice);
  const double rounded = std::round(choice);  // half away from zero
  // A negative choice is no command: the menu again.
  if (rounded < 0) return {AreaMenu};
  if (rounded >= 1 && rounded <= static_cast<double>(kChoices.size())) {
    return {kChoices[static_cast<size_t>(rounded) - 1]};
  }
  return {ShowResultMenu};
}

Jump DeleteAreaLines(App& app) {
  RtPrintStr("本当にすべての面積結線を削除しますか？[Y,N]Y ", false);
  app.input.GuideNumber = 17;
  InputPointName(app);
  if (RtUcase(app.input.Answer) == "N") return {AreaMenu};
  cad::Lines& l = app.lines;
  const double count = l.LineVertexCount;
  for (double k = 1; k <= count; k += 1) {
    if (l.LineLayer(k) == l.CurrentLayer) l.LineType(k) = 9;
  }
  app.input.ViewRedrawPending = 1;
  PlaySound(app, "recycle.wav");
  return {AreaMenu};
}
