// The point question runs as a small state machine, so that switching between
// the existing-point and the coordinate question with P, as often as the user
// likes, never nests one question inside the other.
#include "points/point_input.h"

#include <cmath>
#include <string>
#include <string_view>

#include "core/app.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "points/geometry.h"
#include "points/point_list_line.h"
#include "points/relative_entry.h"
#include "points/resolver.h"
#include "points/selection.h"
#include "points/table.h"
#include "points/table_screen.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/view.h"

namespace {

enum class Step {
  Done,
  AskExistingPoint,  // the question "NO." (or the next entry of a pending selection)
  TakeAnswer,        // the answer in RawAnswer as at "NO."
  AskCoordinates,    // the question "X="
};

bool IsLetter(const std::string& answer, const char* letter) { return RtUcase(answer) == letter; }

// RawAnswer := "%" and the work point back as it was when the question began.
void Abandon(App& app) {
  app.input.RawAnswer = "%";
  RestoreWorkPoint(app);
}

// The end of every designation: the report line by PointInputMode (not by the
// way the point was given) while ZD is 2 or less.
void FinishDesignation(App& app) {
  app.input.RawAnswer.clear();
  if (app.settings.ZD > 2) return;
  if (app.points.PointInputMode == 0) {
    CheckPointListMode(app);
  } else {
    PrintPointListLine(app);
  }
}

Step DesignateSelectedPoint(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  const double n = p.WorkPointY;
  if (p.SelectionIndex == p.SelectionLast + 1) p.SelectionLast = -1;  // used up
  p.DesignatedPointZ = p.PointZ(n);
  in.Answer = p.PointName(n);
  RtColor(6);
  RtPrintStr("NO." + RtStr(n) + " ----- " + in.Answer + "   ", false);
  RtColor(4);
  RtPrintStr(p.PointAttribute(n), true);
  AppendToNewPointList(app, n);
  p.CurrentPointNumber = n;
  p.WorkPointX = p.PointX(n);
  p.WorkPointY = p.PointY(n);
  p.WorkPointZ = p.DesignatedPointZ;
  p.LastPointX = p.WorkPointX;
  p.LastPointY = p.WorkPointY;
  DrawAndPrintPointCoordinates(app);
  FinishDesignation(app);
  return Step::Done;
}

Step AskExistingPoint(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  p.PointReaskFlag = 0;
  p.CoordinateDisplayMode = 1;
  if (p.SelectionIndex <= p.SelectionLast) {
    p.WorkPointY = p.SelectionList(p.SelectionIndex);
    p.SelectionIndex += 1;
    return DesignateSelectedPoint(app);
  }
  ShowPointInputOptionLine(app);
  RtPrintStr("NO.", false);
  in.GuideNumber = 3;
  InputText(app);
  if (in.RawAnswer.empty()) {
    Abandon(app);
    return Step::Done;
  }
  return Step::TakeAnswer;
}

// One point measured from the instrument station and registered.
void MeasureRelativePoint(App& app) {
  NextPointName(app);
  EnterRelativePoint(app);
  app.traverse.TargetHeight = app.cogo.SetupInstrumentHeight;
  app.input.RawAnswer = "=";  // the callers' sign that the entry took the point
}

Step TakeAnswer(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  in.Answer = in.RawAnswer;
  if (in.Answer == "=") {
    MeasureRelativePoint(app);
    return Step::Done;
  }
  if (IsLetter(in.Answer, "O")) {
    SelectPoints(app);
    return Step::AskExistingPoint;  // the selection now answers
  }
  if (IsLetter(in.Answer, "Q")) JumpTo(EntryOf(Routines().ShowResultMenu));
  ResolvePointReference(app);
  if (p.WorkPointY == app.shell.Epsilon) {  // the answer P: coordinates from now on
    p.PointInputMode = 1;
    RestoreWorkPoint(app);
    return Step::AskCoordinates;
  }
  if (p.PointNotFound == app.shell.Epsilon) return Step::AskExistingPoint;
  return DesignateSelectedPoint(app);
}

// The height question of the three-dimensional mode (ZE 3).
void AskHeight(App& app) {
  points::Store& p = app.points;
  RtPrintStr("Z=", false);
  app.input.GuideNumber = 57;
  InputPointName(app);
  p.DesignatedPointZ = app.input.AnswerValue;
  p.WorkPointZ = p.DesignatedPointZ;
}

Step AskCoordinates(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  p.PointReaskFlag = 0;
  for (;;) {
    SetCoordinateLabels(app);
    ShowPointInputOptionLine(app);
    RtPrintStr(p.CoordinateLabelX, false);
    in.GuideNumber = 4;
    InputCoordinatePick(app);
    const std::string text = in.Answer;
    if (text.empty()) {
      Abandon(app);
      return Step::Done;
    }
    if (IsLetter(text, "Q")) JumpTo(EntryOf(Routines().ShowResultMenu));
    if (IsLetter(text, "P")) {
      p.PointInputMode = 0;
      return Step::AskExistingPoint;
    }
    if (text == "F") {  // a position picked in the view (or the pointer's, typed)
      p.WorkPointX = in.PointerX;
      p.WorkPointY = in.PointerY;
      break;
    }
    p.WorkPointX = in.AnswerValue;
    if (in.AnswerValue == 0 && text != "0") {  // a point reference typed at "X="
      in.RawAnswer = text;
      return Step::TakeAnswer;
    }
    RtPrintStr(p.CoordinateLabelY, false);
    in.GuideNumber = 204;
    InputPointName(app);
    p.WorkPointZ = 0;
    p.DesignatedPointZ = 0;
    p.WorkPointY = in.AnswerValue;
    if (!in.Answer.empty()) break;
  }
  in.Answer.clear();
  DrawCrossWithName(app);
  if (app.settings.ZE == 3) AskHeight(app);
  FinishDesignation(app);
  return Step::Done;
}

void RunPointQuestion(App& app, Step step) {
  while (step != Step::Done) {
    switch (step) {
      case Step::AskExistingPoint:
        step = AskExistingPoint(app);
        break;
      case Step::TakeAnswer:
        step = TakeAnswer(app);
        break;
      case Step::AskCoordinates:
        step = AskCoordinates(app);
        break;
      case Step::Done:
        break;
    }
  }
}

}  // namespace

void InputPoint(App& app) {
  points::Store& p = app.points;
  p.DesignatedPointZ = 0;
  p.SavedWorkPointX = p.InputSavedPointX = p.WorkPointX;
  p.SavedWorkPointY = p.InputSavedPointY = p.WorkPointY;
  p.SavedWorkPointZ = p.PreviousWorkPointZ = p.WorkPointZ;
  RunPointQuestion(app, p.PointInputMode == 1 ? Step::AskCoordinates : Step::AskExistingPoint);
}

void InputExistingPoint(App& app) { RunPointQuestion(app, Step::AskExistingPoint); }

void InputNewPointByCoordinates(App& app) { RunPointQuestion(app, Step::AskCoordinates); }

void ShowSelectedPoint(App& app) { DesignateSelectedPoint(app); }

void ShowOptionLineAt(const App& app, int column, std::string_view options) {
  RtPrintTab(column);
  RtPrintStr(options, false);
  RtColor(5);
  RtPrintNum(std::trunc(app.points.PointCount), false);
  RtColor(7);
  RtLocate(0, RtCsrlin());
}

void ShowPointOptionLine(App& app) { ShowOptionLineAt(app, 44, "[M,L,J,I,Q]"); }

void ShowPointInputOptionLine(App& app) {
  ShowOptionLineAt(app, 34, "[[=],P,M,L,J,I,O,=,Q]");
  app.points.WorkPointY = app.points.CurrentPointNumber;
}

void ShowCoordinateTableFrom(App& app) {
  app.points.TablePointNumber = app.points.NextPointNumber;
  ShowCoordinateTable(app);
}
