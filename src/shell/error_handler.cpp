// The main error handler: every run-time error after start-up comes here. It
// passes over the expected ones, ends the program on an access failure, flags a
// failed serial exchange, and reports every other error with the place where it
// happened before it abandons the command at the result menu.
#include <source_location>
#include <string>
#include <string_view>

#include "core/app.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/numtext.h"
#include "shell/program.h"
#include "ui/input.h"

namespace {

// The guide text that explains a run-time error.
int ExplainingGuideNumber(int errorNumber) {
  return errorNumber < 999 ? errorNumber + 900 : errorNumber;
}

// The source file of a place, from its subsystem folder on ("shell/main_menu.cpp").
std::string_view SourceFile(const std::source_location& where) {
  std::string_view file = where.file_name();
  const size_t src = file.rfind("src/");
  if (src != std::string_view::npos) return file.substr(src + 4);
  const size_t slash = file.rfind('/');
  return slash == std::string_view::npos ? file : file.substr(slash + 1);
}

// Prints a guide text line by line: its stored lines end in a line feed and a
// carriage return. A number outside the table has no text, which prints nothing.
void PrintGuideText(const App& app, int number) {
  const RtTable<std::string>& texts = app.navigator.GuideText;
  if (!texts.Contains(number)) return;
  std::string line;
  for (char c : texts(number)) {
    if (c == '\n') {
      RtPrintStr(line, true);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  if (!line.empty()) RtPrintStr(line, true);
}

bool SamePlace(const RtError& a, const RtError& b) {
  return a.number() == b.number() && a.where().line() == b.where().line() &&
         std::string_view(a.where().file_name()) == b.where().file_name();
}

void Report(App& app, const RtError& error) {
  const double line = error.where().line();
  const double number = error.number();
  // The file of the failing step on a line of its own, so that the report's
  // own lines keep their layout.
  RtPrintStr(std::string(SourceFile(error.where())), true);
  if (app.navigator.NavigatorOff == 1) {
    RtPrintUsingNum("####### ﾃﾞ ##### ﾉ ｴﾗ- ﾒｲﾝﾆﾓﾄﾞﾘﾏｽ", {line, number}, false);
    return;
  }
  RtPrintNum(line, false);
  RtPrintStr("行でエラー", false);
  RtPrintNum(number, true);
  PrintGuideText(app, ExplainingGuideNumber(error.number()));
  RtPrintStr("", true);
  RtPrintStr(" メインメニューに戻ります", false);
  app.input.GuideNumber = 235;
}

}  // namespace

void MainErrorHandler(App& app, const RtError& error) {
  switch (error.number()) {
    case kErrFileNotFound:
    case kErrFileExists:
      return;  // the program goes on with its next step
    case kErrAccessDenied:
      // Ends the program at once, leaving the work files: the error goes on
      // untrapped, which reports it on standard error with exit status 1.
      throw error;
    case kErrCommTimeout:
      ArmMainErrorHandler(app);
      app.shell.CommFailureFlag = 1;
      return;
    default:
      break;
  }
  ReportRunTimeError(app, error);
  JumpTo(ShowResultMenu);
}

void ReportRunTimeError(App& app, const RtError& error) {
  // A function key, click or close request answered while the report waits may
  // fail in its turn: that error is reported the same way instead of ending the
  // program. The error just reported, raised again, ends the wait, so that a
  // step that fails on every pass of the wait cannot keep it going by itself.
  RtError shown = error;
  for (;;) {
    Report(app, shown);
    try {
      InputPointName(app);  // waits for Enter; the answer is ignored
      return;
    } catch (const RtError& again) {
      if (SamePlace(again, shown)) return;
      shown = again;
    }
  }
}

void ArmMainErrorHandler(App& app) {
  RtOnErrorGoto([&app](const RtError& error) {
    // The handler may arm this trap anew, which replaces this closure: only the
    // local reference is used after the call.
    App& program = app;
    MainErrorHandler(program, error);
    // A thrown error that the handler passes over has no step to go on with:
    // the command is abandoned at the result menu instead of ending the program.
    JumpTo(ShowResultMenu);
  });
}
