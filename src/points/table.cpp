// The point table's count of points in use, and the point input in its least
// form: an existing point by number or name.
#include "points/table.h"

#include <string>

#include "files/result.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "shell/app.h"
#include "shell/program.h"
#include "ui/input.h"
#include "ui/view.h"

namespace {

// The name a point has until it is given one: its number with one leading blank.
bool HasDefaultName(const App& app, int number) {
  const std::string& name = app.points.PointName(number);
  return name.size() >= 2 && name[0] == ' ' &&
         name.compare(1, std::string::npos, std::to_string(number)) == 0;
}

// A point number typed as such: it begins with a digit 1 to 9 and its value lies
// within the table.
bool IsPointNumberAnswer(const App& app, const std::string& answer, double value) {
  return !answer.empty() && answer[0] >= '1' && answer[0] <= '9' &&
         value <= app.points.PointCapacity;
}

// The lowest-numbered point in use up to PointCount that has exactly this name; 0
// when there is none.
int FindPointByName(const App& app, const std::string& name) {
  const int count = RtWhole(app.points.PointCount);
  for (int i = 1; i <= count; ++i) {
    if (app.points.PointName(i) == name) return i;
  }
  return 0;
}

// Takes point `number` as the point in hand and shows it.
void DesignatePoint(App& app, double number) {
  points::Store& p = app.points;
  app.input.Answer = p.PointName(number);
  RtColor(6);
  RtPrintStr("NO." + RtStr(RtWhole(number)) + " ----- " + app.input.Answer + "   ", false);
  RtColor(4);
  RtPrintStr(p.PointAttribute(number), true);
  RtColor(7);
  p.CurrentPointNumber = number;
  app.view.PointToDraw = number;
  p.WorkPointX = p.PointX(number);
  p.WorkPointY = p.PointY(number);
  p.WorkPointZ = p.PointZ(number);
  p.DesignatedPointZ = p.WorkPointZ;
  p.LastPointX = p.WorkPointX;
  p.LastPointY = p.WorkPointY;
  DrawCrossWithName(app);
}

}  // namespace

bool IsFreePoint(const App& app, int number) {
  return app.points.PointX(number) == 0 && HasDefaultName(app, number);
}

void FindHighestUsedPoint(App& app) {
  points::Store& p = app.points;
  p.PointCount = 0;
  for (int i = RtWhole(p.PointCapacity); i >= 1; --i) {
    if (!IsFreePoint(app, i)) {
      p.PointCount = i;
      break;
    }
  }
  p.NextPointNumber = p.PointCount + 1;
}

void InputPoint(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  p.DesignatedPointZ = 0;
  p.SavedWorkPointX = p.WorkPointX;
  p.SavedWorkPointY = p.WorkPointY;
  for (;;) {
    RtPrintStr("NO.", false);
    in.GuideNumber = 3;
    InputText(app);
    const std::string answer = in.Answer;
    const std::string upper = RtUcase(answer);
    if (answer.empty()) {  // Enter alone abandons the question
      in.RawAnswer = "%";
      p.WorkPointX = p.SavedWorkPointX;
      p.WorkPointY = p.SavedWorkPointY;
      return;
    }
    if (upper == "Q") JumpTo(ShowResultMenu);
    if (upper == "W") JumpTo(SearchPointArea);
    if (upper == "Z") JumpTo(PlotAllPoints);
    const int found = IsPointNumberAnswer(app, answer, in.AnswerValue)
                          ? RtWhole(in.AnswerValue)
                          : FindPointByName(app, answer);
    if (found > 0) {
      DesignatePoint(app, found);
      in.RawAnswer.clear();
      return;
    }
    RtPrintStr("ｱﾘﾏｾﾝ", true);
  }
}
