#include "transfer/start_number.h"

#include <cmath>

#include "core/app.h"
#include "points/point_input.h"
#include "points/table.h"
#include "runtime/console.h"
#include "runtime/text.h"
#include "ui/input.h"

void AskRegistrationStartNumber(App& app) {
  points::Store& p = app.points;
  double& number = app.transfer.RegistrationNumber;
  FindHighestUsedPoint(app);
  const double proposal = p.PointCount + 1;
  for (;;) {
    RtPrintStr("登録開始[L] No. ", false);
    RtPrintNum(proposal, false);
    app.input.GuideNumber = 255;
    InputPointName(app);
    if (RtUcase(app.input.Answer) == "L") {
      ShowCoordinateTableFrom(app);
      number = p.TablePointNumber;
      return;
    }
    const double answer = std::round(app.input.AnswerValue);
    if (answer == 0) {
      number = proposal;
      return;
    }
    if (answer >= 1 && answer <= p.PointCapacity) {
      number = answer;
      return;
    }
    ReportPointNumberOutOfRange(app);
  }
}
