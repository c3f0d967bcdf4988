// The input routine: every question of the program is answered here, either in
// the full style (a key loop that polls the keyboard every 10 ms and takes mouse
// picks and function keys meanwhile) or in the plain style (one line input).
#include "ui/input.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <string>
#include <string_view>

#include "core/app.h"
#include "core/routines.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "runtime/windows.h"
#include "ui/key_commands.h"
#include "ui/layout.h"
#include "ui/navigator.h"
#include "ui/picks.h"
#include "ui/readouts.h"
#include "ui/view.h"

namespace {

// The main window's client height at which the console's text area is left as it is.
constexpr double kUsualMainWindowHeight = 729;

// Blanks that clear the answer field before a plain line input, and that Escape
// writes over the typed text.
constexpr int kPlainFieldWidth = 8;
constexpr int kEscapeBlankWidth = 15;

// The mouse events a full-style question binds and switches off at its end.
constexpr std::array kQuestionMouseEvents = {kMouseLeftDown,   kMouseLeftUp,  kMouseRightDown,
                                             kMouseMiddleDown, kMouseMiddleUp, kMouseWheel};

// Left-button handlers of the mode flags, in binding order: when several flags
// are set the last one wins.
struct FlagHandler {
  double ui::InputState::*flag;
  PickHandler handler;
  bool keepsDefaultPickState;  // the coordinate pick leaves the palette and "l=" on
};
constexpr std::array<FlagHandler, 6> kLeftButtonOrder = {{
    {&ui::InputState::InputDirectionFlag, PickDirection, false},
    {&ui::InputState::InputDistanceFlag, PickDistance, false},
    {&ui::InputState::StationMarkerOn, PickStationOffset, false},
    {&ui::InputState::InputCoordinatePickFlag, PickCoordinates, true},
    {&ui::InputState::InputMenuChoiceFlag, PickMenuNumber, false},
    {&ui::InputState::InputPointNameFlag, PickWordOrLabel, false},
}};

void OpenSettingsScreen(App& app) { Call(Routines().SettingsScreen, app); }

// Handlers of F1 to F12.
using Subroutine = void (*)(App&);
constexpr std::array<Subroutine, 12> kFunctionKeyHandlers = {
    ShowHelpText,           ForceAbort,     NextWindowLayout,       OpenSettingsScreen,
    ToggleBackgroundPicture, HardCopyView,  ToggleBackgroundColour, ToggleGridDisplay,
    TogglePointNameDisplay, ToggleHeightDisplay, ToggleMarkDisplay, ToggleLineDisplay,
};

bool IsStyleSwitch(std::string_view answer) { return RtUcase(answer) == "M"; }

// ---- Start ----

// The console scrolls only the rows a main window of another height shows. The
// console has 39 rows: a taller window keeps all 39, and a window too low for
// one row keeps one, so that no height makes the setting fail. Nothing else sets
// the text area, so an area that already has its rows is left alone (setting it
// again would only move the cursor away from the prompt and back).
void FitTextAreaToWindow(ui::InputState& in) {
  if (RtWindowHeight(RtWindowId::Main) == kUsualMainWindowHeight) return;
  const int rows = MainWindowTextAreaRows();
  if (rows == in.TextAreaRows) return;
  RtConsole(0, rows);
  in.TextAreaRows = rows;
  RtLocate(in.PromptColumn, in.PromptRow);
}

// Shows the guide, takes the prompt position and resets what the handlers and
// readouts keep for one question.
void StartQuestion(App& app) {
  ShowGuideNext(app);
  ui::InputState& in = app.input;
  in.Answer.clear();
  in.PromptColumn = RtPos();
  in.PromptRow = RtCsrlin();
  in.DefaultPickState = 1;
  app.view.PointToDraw = app.points.CurrentPointNumber;
  in.ArcInputMode = 0;
  in.PickListWidth = 0;
  in.DragIndicatorOff = 0;
  in.DragTextShown = 0;
  in.LeftButtonHeld = 0;
  in.IntersectionMode = 0;
  in.PickedPointNumber = 0;
  FitTextAreaToWindow(in);
}

// ---- Plain style ----

void BlankPlainField(const ui::InputState& in) {
  RtLocate(in.PromptColumn, in.PromptRow);
  RtPrintStr(std::string(kPlainFieldWidth, ' '), false);
  RtLocate(in.PromptColumn, in.PromptRow);
}

// One line input. Returns false when the answer "M" asks for the full style.
bool AskPlainLine(App& app) {
  ui::InputState& in = app.input;
  BlankPlainField(in);
  RtInputFromWindow();
  RtInputVars(in.RawAnswer);
  in.Answer = in.RawAnswer;
  NormalizeNumberText(app);
  in.AnswerCopy = in.Answer;
  if (!IsStyleSwitch(in.RawAnswer)) return true;
  in.InputStyle = -in.InputStyle;
  BlankPlainField(in);
  return false;
}

// ---- Full style: events and prompt ----

void BindMouse(App& app, int event, PickHandler handler) {
  RtOnMouseGosub(event, [&app, handler] { handler(app); });
  RtMouseOnOff(event, true);
}

void SwitchQuestionMouseEventsOff() {
  for (const int event : kQuestionMouseEvents) RtMouseOnOff(event, false);
}

// Once bound, the function keys stay on, also between questions.
void BindFunctionKeys(App& app) {
  for (int key = 1; key <= static_cast<int>(kFunctionKeyHandlers.size()); ++key) {
    const Subroutine handler = kFunctionKeyHandlers[static_cast<size_t>(key - 1)];
    RtOnKeyGosub(key, [&app, handler] { handler(app); });
    RtKeyOnOff(key, true);
  }
  app.input.FunctionKeysBound = 1;
}

// Binds the question's events and prints "? " at the prompt position; done when
// the key loop starts and after every redraw.
void StartKeyLoop(App& app) {
  ui::InputState& in = app.input;
  RtSetMouseCursor(RtWindowId::View, kPointerCross);
  BindMouse(app, kMouseLeftDown, ChooseLeftButtonHandler(app));
  BindMouse(app, kMouseLeftUp, FinishLeftDrag);
  BindMouse(app, kMouseRightDown, AcceptTypedText);
  BindMouse(app, kMouseMiddleDown, StartMiddlePan);
  BindMouse(app, kMouseMiddleUp, EndMiddlePan);
  BindMouse(app, kMouseWheel, ZoomByWheel);
  BindFunctionKeys(app);
  in.MiddleDragState = 0;
  in.PickAnswered = 0;
  in.HighlightedPickPoint = app.points.PointCapacity;  // no point highlighted
  in.PickedPointNumber = 0;
  RtColor(2);
  RtLocate(in.PromptColumn, in.PromptRow);
  RtPrintStr("? ", false);
  RtColor(7);
  in.TypedText.clear();
  DrawToolPalette(app);
}

// ---- Full style: keys ----

// What a pass does after its key.
enum class AfterKey {
  NextPass,        // a typed character: echoed, nothing else this pass
  RedrawCheck,     // a command or an edit: on with the redraw check
  PassWithoutKey,  // Enter: on with the pointer refresh and the answer test
};

// The typed text starts two columns after the prompt position (on the last
// column when the prompt ends at the right edge).
int TypedTextColumn(const ui::InputState& in) {
  return std::min(in.PromptColumn + 2, rt::kConsoleColumns - 1);
}

void PrintTypedText(const ui::InputState& in, std::string_view trailing) {
  RtLocate(TypedTextColumn(in), RtCsrlin());
  RtPrintStr(in.TypedText + std::string(trailing), false);
}

void BlankTypedText(const ui::InputState& in) {
  const int row = RtCsrlin();
  RtLocate(TypedTextColumn(in), row);
  RtPrintStr(std::string(kEscapeBlankWidth, ' '), false);
  RtLocate(TypedTextColumn(in), row);
}

AfterKey Backspace(App& app) {
  ui::InputState& in = app.input;
  if (!in.TypedText.empty()) {
    in.TypedText.pop_back();  // one byte: a double-byte character takes two presses
    PrintTypedText(in, " ");
    return AfterKey::RedrawCheck;
  }
  if (RtPos() > 5) {
    ScreenPickMode(app);
    return AfterKey::PassWithoutKey;
  }
  return AfterKey::NextPass;
}

AfterKey EditTypedText(App& app) {
  ui::InputState& in = app.input;
  // A picked point's name that the user edits is a typed answer from then on.
  if (in.KeyCode != kKeyEnter && in.KeyCode != kKeyDelete) in.PickedPointNumber = 0;
  switch (in.KeyCode) {
    case kKeyDelete:
      RedrawView(app);
      return AfterKey::RedrawCheck;
    case kKeyEscape:
      in.TypedText.clear();
      BlankTypedText(in);
      return AfterKey::RedrawCheck;
    case kKeyBackspace:
      return Backspace(app);
    case kKeyEnter:
      AcceptTypedText(app);
      return AfterKey::PassWithoutKey;
    default:
      in.TypedText += in.KeyText;
      RtColor(7);
      PrintTypedText(in, "");
      return AfterKey::NextPass;
  }
}

AfterKey HandleKey(App& app) {
  ui::InputState& in = app.input;
  in.KeyCode = static_cast<unsigned char>(in.KeyText[0]);
  in.ViewRedrawPending = 1;
  if (const auto command = MatchViewCommand(in.KeyCode, in.KeyText)) {
    RunViewCommand(app, *command);
    return AfterKey::RedrawCheck;
  }
  in.ViewRedrawPending = 0;  // any other key withdraws a pending redraw
  return EditTypedText(app);
}

// Leaving a question by a jump (F2, a run-time error in a handler) leaves none
// of its mouse handlers in force between questions.
class QuestionMouseEventsGuard {
 public:
  QuestionMouseEventsGuard() = default;
  QuestionMouseEventsGuard(const QuestionMouseEventsGuard&) = delete;
  QuestionMouseEventsGuard& operator=(const QuestionMouseEventsGuard&) = delete;
  ~QuestionMouseEventsGuard() {
    if (std::uncaught_exceptions() > exceptionsAtStart_) SwitchQuestionMouseEventsOff();
  }

 private:
  int exceptionsAtStart_ = std::uncaught_exceptions();
};

// Polls every 10 ms until a pass without a key finds the question answered.
void RunKeyLoop(App& app) {
  ui::InputState& in = app.input;
  const QuestionMouseEventsGuard guard;
  StartKeyLoop(app);
  for (;;) {
    RtWait(1);
    in.KeyText = RtInkey();
    RtActivateWindow(RtWindowId::Main);  // the console keeps the keyboard
    const AfterKey next = in.KeyText.empty() ? AfterKey::PassWithoutKey : HandleKey(app);
    if (next == AfterKey::NextPass) continue;
    if (next == AfterKey::PassWithoutKey) {
      RefreshPointerPosition(app);
      if (in.PickAnswered == 1) {
        RtSetMouseCursor(RtWindowId::View, kPointerArrow);
        return;
      }
    }
    if (RedrawOnRequest(app)) {
      StartKeyLoop(app);
      continue;
    }
    UpdateLiveReadouts(app);
  }
}

// ---- Full style: the end ----

bool ToolPaletteShown(const App& app) {
  return app.settings.ZEF == 1 && app.input.DefaultPickState >= 1 &&
         app.points.LineConnectMode >= 1;
}

void EraseToolPalette(const App& app) {
  const int background = RtWhole(app.settings.RG);
  RtLine(RtWindowId::View, 0, 20, 80, 890, background, RtLineShape::FilledBox);
  RtLine(RtWindowId::View, 80, 20, 120, 450, background, RtLineShape::FilledBox);
}

void ClearModeFlags(ui::InputState& in) {
  in.InputCoordinatePickFlag = 0;
  in.StationMarkerOn = 0;
  in.InputMenuChoiceFlag = 0;
  in.InputDistanceFlag = 0;
  in.InputDirectionFlag = 0;
  in.InputDirectionHFlag = 0;
  in.InputPointNameFlag = 0;
}

// Returns false when the answer "M" asks for the plain style.
bool FinishFullStyle(App& app) {
  ui::InputState& in = app.input;
  if (IsStyleSwitch(in.Answer)) {
    in.InputStyle = -in.InputStyle;
    SwitchQuestionMouseEventsOff();  // the plain style takes no clicks
    RtLocate(in.PromptColumn, RtCsrlin());
    return false;
  }
  if (ToolPaletteShown(app)) EraseToolPalette(app);
  RtPrintStr("", true);
  in.RawAnswer = in.Answer;
  NormalizeNumberText(app);
  ClearModeFlags(in);
  SwitchQuestionMouseEventsOff();
  return true;
}

}  // namespace

PickHandler ChooseLeftButtonHandler(App& app) {
  PickHandler chosen = PickPointOrTool;
  for (const FlagHandler& binding : kLeftButtonOrder) {
    if (app.input.*binding.flag != 1) continue;
    chosen = binding.handler;
    if (!binding.keepsDefaultPickState) app.input.DefaultPickState = 0;
  }
  return chosen;
}

int MainWindowTextAreaRows() {
  const double height = RtWindowHeight(RtWindowId::Main);
  return std::clamp(static_cast<int>(std::floor(height / rt::kCellHeight)), 1, rt::kConsoleRows);
}

void NormalizeNumberText(App& app) {
  ui::InputState& in = app.input;
  const bool hasPoint = RtInstr(1, in.Answer, ".") > 0;
  in.AnswerValue = RtVal(RtTrim(in.Answer) + (hasPoint ? "000000" : ".000000"));
}

void InputText(App& app) {
  StartQuestion(app);
  for (;;) {
    if (app.input.InputStyle == -1) {
      if (AskPlainLine(app)) return;
      StartQuestion(app);  // the guide again, now in the full style
    } else {
      RunKeyLoop(app);
      if (FinishFullStyle(app)) return;
      // asked again at once in the plain style, without the guide
    }
  }
}

void InputPointName(App& app) {
  app.input.InputPointNameFlag = 1;
  InputText(app);
}

void InputMenuChoice(App& app) {
  app.input.InputMenuChoiceFlag = 1;
  InputText(app);
}

void InputDistance(App& app) {
  app.input.InputDistanceFlag = 1;
  InputText(app);
}

void InputDirection(App& app) {
  app.input.InputDirectionFlag = 1;
  InputText(app);
}

void InputDirectionH(App& app) {
  app.input.InputDirectionHFlag = 1;
  InputDirection(app);
}

void InputWithMarker(App& app) {
  app.input.StationMarkerOn = 1;
  DrawStationMarker(app);
  InputText(app);
}

void InputCoordinatePick(App& app) {
  app.input.InputCoordinatePickFlag = 1;
  InputText(app);
}
