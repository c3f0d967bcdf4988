#include "transfer/start_number.h"

#include <cmath>
#include <string>
#include <string_view>

#include "core/app.h"
#include "points/point_input.h"
#include "points/table.h"
#include "runtime/console.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

// The answer is a number typed (not Enter alone or a text): "0" is then no
// proposal but a number outside the table.
bool TypedNumber(const std::string& answer) {
  const std::string t = RtTrim(answer);
  return !t.empty() && std::string_view("+-.0123456789").find(t[0]) != std::string_view::npos;
}

}  // namespace

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
    if (answer == 0 && !TypedNumber(app.input.Answer)) {
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
