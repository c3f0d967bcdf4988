// Key commands of the key loop that act on the dynamic view, the screen pick
// mode, and the word tests.
#include "ui/key_commands.h"

#include <array>

#include "runtime/events.h"
#include "shell/app.h"

namespace {

struct ViewCommandKey {
  int code;
  char text;  // 0: the command has no character key
  ViewCommand command;
};

// In the order they are tested.
constexpr std::array<ViewCommandKey, 10> kViewCommandKeys = {{
    {kKeyTab, '\\', ViewCommand::CycleLabelSize},
    {kKeyInsert, 0, ViewCommand::CentreOnLastPoint},
    {kKeyHome, ':', ViewCommand::CentreOnPointer},
    {kKeyPageUp, '[', ViewCommand::ZoomIn},
    {kKeyPageDown, ']', ViewCommand::ZoomOut},
    {kKeyEnd, ';', ViewCommand::ZoomAll},
    {kKeyRight, 0, ViewCommand::PanEast},
    {kKeyLeft, 0, ViewCommand::PanWest},
    {kKeyUp, 0, ViewCommand::PanNorth},
    {kKeyDown, 0, ViewCommand::PanSouth},
}};

bool InRange(int code, int low, int high) { return code >= low && code <= high; }

}  // namespace

std::optional<ViewCommand> MatchViewCommand(int keyCode, std::string_view keyText) {
  for (const ViewCommandKey& key : kViewCommandKeys) {
    const bool textMatches = key.text != 0 && keyText.size() == 1 && keyText[0] == key.text;
    if (keyCode == key.code || textMatches) return key.command;
  }
  return std::nullopt;
}

// The view transform and the label size come with the view's own work; until
// then a view command only leads to the redraw that the key loop has asked for.
void RunViewCommand(App&, ViewCommand) {}

// The screen pick mode comes with the console picks; until then Backspace at an
// empty prompt leaves the question open.
void ScreenPickMode(App&) {}

void TestAnswerWord(App& app) {
  const std::string& answer = app.input.Answer;
  const int first = answer.empty() ? 0 : static_cast<unsigned char>(answer[0]);
  app.input.WordTestResult = InRange(first, 35, 90) || InRange(first, 94, 122) ? 1 : 0;
}

void TestWordCharacter(App& app) {
  const double code = app.input.ScreenCharCode;
  const bool word = (code >= 35 && code <= 90 && code != 44) || (code >= 94 && code <= 122);
  app.input.WordTestResult = word ? 1 : 0;
}
