#include "transfer/digitizer.h"

#include <cmath>
#include <string>

#include "core/app.h"
#include "core/routines.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/serial.h"
#include "runtime/text.h"
#include "transfer/link.h"
#include "transfer/point_reading.h"
#include "transfer/start_number.h"
#include "ui/input.h"

namespace transfer {

std::string DigitizerDeviceString(double cox) {
  return "COM" + std::to_string(std::llround(cox) - 1) + std::string(kDigitizerOptions);
}

double DigitizerNumber(std::string_view field) {
  constexpr std::size_t kFirst = 2;
  constexpr std::size_t kLength = 13;
  return field.size() > kFirst ? RtVal(field.substr(kFirst, kLength)) : 0;
}

}  // namespace transfer

namespace {

constexpr int kPort = transfer::kTransferPort;

// The next line from the digitizer, up to its CR (LF dropped). It is taken a
// byte at a time as the bytes come, so that a silent or unplugged digitizer
// never holds the program: between looks the events are delivered (F2 leaves),
// and keys typed meanwhile stay for the next question. A script that has ended
// ends the run once the digitizer has been quiet for a while.
std::string ReadDigitizerLine() {
  std::string line;
  int quietMs = 0;
  for (;;) {
    if (!RtComAwait(kPort, transfer::kDigitizerPollMs)) {
      quietMs += transfer::kDigitizerPollMs;
      RtDoEventsWhileWaiting(quietMs >= transfer::kQuietPeriodMs);
      continue;
    }
    quietMs = 0;
    const std::string c = RtInputChars(kPort, 1);
    if (c == "\r") break;
    if (c != "\n") line += c;
  }
  // A digitizer that never pauses still lets the keys in between its lines.
  RtDoEventsWhileWaiting(false);
  return line;
}

std::string ReadDigitizerField() { return rt::PortFieldOfLine(ReadDigitizerLine()); }

void OpenDigitizer(App& app) {
  const double cox = app.settings.COX;
  if (cox < 1 || cox > 5) RtRaise(kErrIllegalArgument);
  RtComSpeed(static_cast<int>(std::llround(cox)) - 1, transfer::kDigitizerSpeed);
  RtClose(kPort);
  RtOpen(kPort, transfer::DigitizerDeviceString(cox), RtFileMode::Input);
}

[[noreturn]] void CloseDigitizerToResultMenu() {
  RtCloseAll();
  JumpTo(EntryOf(Routines().ShowResultMenu));
}

// Reads points until "F0" comes (back to the name prompt) or the table is full.
void ReadPoints(App& app, std::string& name) {
  for (;;) {
    const std::string xField = ReadDigitizerField();
    if (xField == "F0") return;
    if (!xField.starts_with('X')) {
      RtPrintStr(xField, true);
      continue;
    }
    const std::string yField = ReadDigitizerField();
    if (!transfer::RoomForReadPoint(app)) CloseDigitizerToResultMenu();
    points::Store& p = app.points;
    p.WorkPointX = transfer::DigitizerNumber(xField);
    p.WorkPointY = transfer::DigitizerNumber(yField);
    const int n = transfer::StoreReadPoint(app, name);
    RtPrintUsingNum("#####  &        &X=#######.###  Y=#######.###",
                    {static_cast<double>(n), name, p.PointX(n), p.PointY(n)}, true);
    name = transfer::NameAfter(app, name);
  }
}

}  // namespace

Jump DigitizerInput(App& app) {
  RtPrintStr("読みとり機をつないでいますか。[Y,N]Y ", false);
  app.input.GuideNumber = 153;
  InputPointName(app);
  if (RtUcase(app.input.Answer) == "N") return {EntryOf(Routines().ShowResultMenu)};
  Call(Routines().ResetRunState, app);
  OpenDigitizer(app);
  for (;;) {
    std::string name;
    if (!transfer::AskReadingName(app, "読取り自動点名[Q]=", name)) CloseDigitizerToResultMenu();
    AskRegistrationStartNumber(app);
    RtPrintStr("読取り可能（EXIT=F0)", true);
    ReadPoints(app, name);
  }
}
