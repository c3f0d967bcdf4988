// The connection-line editor and its commands on the line table.
#include "cad/line_editor.h"

#include <string>

#include "cad/connect_points.h"
#include "cad/line_changes.h"
#include "cad/line_prompts.h"
#include "cad/state.h"
#include "cogo/extensions.h"
#include "core/app.h"
#include "core/routines.h"
#include "core/sound.h"
#include "files/result.h"
#include "points/name_replacement.h"
#include "points/selection.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/numtext.h"
#include "ui/input.h"
#include "ui/navigator.h"

namespace {

constexpr int kNoSegment = 9;
constexpr double kEveryType = 10;
constexpr int kGuideMenu = 156;
constexpr int kGuideOldLayer = 157;
constexpr int kGuideNewLayer = 158;
constexpr int kGuideDeleteLayer = 159;
constexpr int kGuideSelect = 290;
constexpr int kGuideEndPoints = 291;
constexpr int kGuideChangeLayer = 292;
constexpr int kChangeLayer = 5;
constexpr int kDelete = 6;
constexpr int kCancel = 3;

bool IsSegmentType(double type) { return type >= 0 && type <= 8; }

// Print zones of 14 columns, as a list of numbers is printed.
std::string InZone(const std::string& text) {
  return text.size() >= 14 ? text : text + std::string(14 - text.size(), ' ');
}

bool SameEnds(const cad::Lines& l, int i, int j) {
  const std::string& a0 = l.LinePointName(i - 1);
  const std::string& a1 = l.LinePointName(i);
  const std::string& b0 = l.LinePointName(j - 1);
  const std::string& b1 = l.LinePointName(j);
  return (a0 == b0 && a1 == b1) || (a1 == b0 && a0 == b1);
}

}  // namespace

namespace cad {

void BulkChange(Lines& l, int oldLayer, double oldType, int newLayer, double newType) {
  const int count = RtWhole(l.LineVertexCount);
  for (int i = 1; i <= count; ++i) {
    if (l.LineLayer(i) != oldLayer) continue;
    const int type = l.LineType(i);
    if (IsSegmentType(oldType)) {
      if (type != oldType) continue;
      l.LineLayer(i) = RtInt16(newLayer);
      if (IsSegmentType(newType)) l.LineType(i) = RtInt16(newType);
    } else if (oldType == kEveryType) {
      if (IsSegmentType(newType) && type != kNoSegment) {
        l.LineLayer(i) = RtInt16(newLayer);
        l.LineType(i) = RtInt16(newType);
      } else if (newType == kEveryType) {
        l.LineLayer(i) = RtInt16(newLayer);
      }
    }
  }
}

void BulkDelete(Lines& l, int layer, double type) {
  const int count = RtWhole(l.LineVertexCount);
  for (int i = 1; i <= count; ++i) {
    if (l.LineLayer(i) == layer && (type == kEveryType || l.LineType(i) == type)) {
      l.LineType(i) = kNoSegment;
    }
  }
}

int RemoveRepeatedSegments(Lines& l, const std::function<void(int, int, int)>& report) {
  const int count = RtWhole(l.LineVertexCount);
  int found = 0;
  for (int i = 1; i <= count; ++i) {
    const int type = l.LineType(i);
    if (type == kNoSegment) continue;
    const int layer = l.LineLayer(i);
    for (int j = i + 1; j <= count; ++j) {
      // The integers first: most pairs differ there.
      if (l.LineType(j) != type || l.LineLayer(j) != layer || !SameEnds(l, i, j)) continue;
      l.LineType(j) = kNoSegment;
      report(i, j, found);
      ++found;
    }
  }
  return found;
}

}  // namespace cad

Jump ConnectionLineEditor(App& app) {
  cad::Lines& l = app.lines;
  double choice = 0;
  l.CurrentLayer = 1;
  l.LineTypeAllText = "全て";
  Call(Routines().ResetRunState, app);
  RtPrintStr(" 1:結線          2:直線の延長  3:一括線変更    4:一括線削除", true);
  RtPrintStr(" 5:部分ﾚｲﾔｰ変更  6:部分線削除  7:重複結線削除  8:ﾏｰｸ変更   ", true);
  RtPrintStr(" 9:ｴﾃﾞｨﾀ ", false);
  app.input.GuideNumber = kGuideMenu;
  InputMenuChoice(app);
  if (!app.input.Answer.empty()) choice = app.input.AnswerValue;
  l.LineEditChoice = choice;
  const int command = RtWhole(choice);
  if (command == 2) {
    app.job.SubmenuChoice = 1;  // no decimal part: no eccentric reduction
    app.navigator.MenuCellColumn = 4;
    app.navigator.MenuCellRow = 2;
    ShowMenuPosition(app);
  }
  switch (command) {
    case 1: return {ConnectPoints};
    case 2: return {LineExtension};
    case 3: return {BulkChangeLines};
    case 4: return {BulkDeleteLines};
    case 5:
    case 6: return {ChangeLinesAtSelectedPoints};
    case 7: return {RemoveDuplicateLines};
    case 8: return {ChangeMarks};
    case 9: return {EditConnectionLinesInEditor};
    default: break;
  }
  if (command < 0) RtRaise(kErrIllegalArgument);
  // The menu of the last main-menu command would be this menu again when the
  // editor was chosen there, by Enter alone or as command 13.
  constexpr int kEditorCommand = 13;
  if (app.shell.MainMenuEnterFlag == 1 || RtWhole(app.shell.LastMainMenuChoice) == kEditorCommand) {
    return {ShowResultMenu};
  }
  return {EntryOf(Routines().RepeatLastCommand)};
}

Jump BulkChangeLines(App& app) {
  cad::Lines& l = app.lines;
  RtPrintStr("変更前ﾚｲﾔｰ", true);
  app.input.GuideNumber = kGuideOldLayer;
  InputLayer(app);
  const int oldLayer = RtWhole(l.ChosenLayer);
  InputLineType(app);
  const double oldType = l.ChosenLineType;
  l.LineTypeAllText = "同線";
  RtPrintStr("変更後ﾚｲﾔｰ", true);
  app.input.GuideNumber = kGuideNewLayer;
  InputLayer(app);
  InputLineType(app);
  cad::BulkChange(l, oldLayer, oldType, RtWhole(l.ChosenLayer), l.ChosenLineType);
  app.input.ViewRedrawPending = 1;
  return {ConnectionLineEditor};
}

Jump BulkDeleteLines(App& app) {
  cad::Lines& l = app.lines;
  RtPrintStr("削除ﾚｲﾔｰ", true);
  app.input.GuideNumber = kGuideDeleteLayer;
  InputLayer(app);
  InputLineType(app);
  cad::BulkDelete(l, RtWhole(l.ChosenLayer), l.ChosenLineType);
  app.input.ViewRedrawPending = 1;
  PlaySound(app, "recycle.wav");
  return {ConnectionLineEditor};
}

Jump ChangeLinesAtSelectedPoints(App& app) {
  cad::Lines& l = app.lines;
  points::Store& p = app.points;
  const int choice = RtWhole(l.LineEditChoice);
  for (;;) {
    RtPrintStr(choice == kChangeLayer ? "レイヤー変更対象点" : "削除対象点", true);
    p.LineConnectMode = 1;
    app.input.GuideNumber = kGuideSelect;
    ShowGuide(app);
    p.SelectionLast = -1;
    SelectPoints(app);
    if (p.SelectionLast == -1) return {ConnectionLineEditor};
    if (choice == kChangeLayer) {
      app.input.GuideNumber = kGuideChangeLayer;
      // The layer the lines are drawn on is offered: Enter alone must give a
      // layer that is shown in a colour of its own.
      l.ChosenLayer = l.CurrentLayer;
      RtPrintStr("変更レイヤー", true);
      InputLayer(app);
    }
    l.EndPointMode = 1;
    RtPrintStr(" 1:線の両端点  2:線の片端点  3:中止 1", false);
    app.input.GuideNumber = kGuideEndPoints;
    InputMenuChoice(app);
    if (!app.input.Answer.empty()) l.EndPointMode = app.input.AnswerValue;
    if (l.EndPointMode != kCancel) {
      ApplyLineChangeToSelectedPoints(app);
      if (choice == kDelete) PlaySound(app, "recycle.wav");
    }
  }
}

Jump RemoveDuplicateLines(App& app) {
  cad::RemoveRepeatedSegments(app.lines, [](int i, int j, int found) {
    RtPrintStr(InZone(RtNumText(i)) + InZone(RtNumText(j)) + RtNumText(found), false);
    RtLocate(0, 0);
  });
  PlaySound(app, "recycle.wav");
  return {ConnectionLineEditor};
}
