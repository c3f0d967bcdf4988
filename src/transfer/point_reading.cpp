#include "transfer/point_reading.h"

#include <cmath>

#include "core/app.h"
#include "core/point_names.h"
#include "core/sound.h"
#include "runtime/console.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/view.h"

namespace transfer {

bool AskReadingName(App& app, std::string_view prompt, std::string& name) {
  ui::InputState& in = app.input;
  NextPointName(app);
  const std::string proposal = in.Answer;
  RtPrintStr(std::string(prompt) + proposal, false);
  in.GuideNumber = 154;
  InputPointName(app);
  if (RtUcase(in.Answer) == "Q") return false;
  name = in.Answer.empty() ? proposal : in.Answer;
  return true;
}

bool RoomForReadPoint(App& app) {
  const double n = std::round(app.transfer.RegistrationNumber);
  if (n >= 1 && n <= app.points.PointCapacity) return true;
  RtColor(2);
  RtPrintStr("", true);
  RtPrintStr(" 点番 9999 を超えるので,ここで読取りを終わります", true);
  RtColor(7);
  return false;
}

int StoreReadPoint(App& app, const std::string& name) {
  points::Store& p = app.points;
  const int n = static_cast<int>(std::llround(app.transfer.RegistrationNumber));
  p.PointX(n) = p.WorkPointX;
  p.PointY(n) = p.WorkPointY;
  app.input.Answer = name;
  DrawCrossWithName(app);
  p.PointName(n) = name;
  p.PointZ(n) = 0;
  p.PointAttribute(n) = std::string(kReadPointAttribute);
  PlaySound(app, "ding.wav");
  if (n > p.PointCount) p.PointCount = n;
  app.transfer.RegistrationNumber = n + 1;
  return n;
}

std::string NameAfter(App& app, const std::string& name) {
  app.input.Answer = name;
  SplitPointName(app);
  NextPointName(app);
  return app.input.Answer;
}

}  // namespace transfer
