#include "runtime/events.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <span>
#include <utility>
#include <vector>

#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/desktop.h"
#include "runtime/desktop_hooks.h"
#include "runtime/errors.h"
#include "runtime/events_state.h"
#include "runtime/runtime.h"
#include "runtime/text.h"
#include "runtime/windows.h"

namespace {

using Kind = ScriptItem::Kind;

// Key polls that may find an answer for a message box at the head of the script
// before the script is taken to be out of step with the program.
constexpr int kPollsBeforeGivingUp = 20000;

EventState& State() { return *CurrentRuntime().events; }

size_t WindowIndex(RtWindowId window) { return static_cast<size_t>(window); }

// ---------------------------------------------------------------------------
// Reading the script

struct KeyName {
  std::string_view name;
  int code;  // key code, or -n for function key Fn
};

constexpr KeyName kKeyNames[] = {
    {"ESC", 27},   {"BS", 8},     {"TAB", 9},    {"HOME", 11},  {"CLR", 12},   {"INS", 18},
    {"DEL", 127},  {"PGUP", 19},  {"PGDN", 20},  {"END", 21},   {"LEFT", 29},  {"RIGHT", 28},
    {"UP", 30},    {"DOWN", 31},  {"ENTER", 13}, {"F1", -1},    {"F2", -2},    {"F3", -3},
    {"F4", -4},    {"F5", -5},    {"F6", -6},    {"F7", -7},    {"F8", -8},    {"F9", -9},
    {"F10", -10},  {"F11", -11},  {"F12", -12},
};

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

[[noreturn]] void Fail(int line, const std::string& message) {
  throw rt::ScriptError("script line " + std::to_string(line) + ": " + message);
}

// Length of the UTF-8 sequence that starts with byte c (1 for a stray byte).
size_t Utf8Length(unsigned char c) {
  if (c >= 0xF0 && c < 0xF8) return 4;
  if (c >= 0xE0) return c < 0xF0 ? 3 : 1;
  if (c >= 0xC0) return 2;
  return 1;
}

ScriptItem MakeKey(std::string bytes, int line) {
  ScriptItem item;
  item.kind = Kind::Key;
  item.text = std::move(bytes);
  item.line = line;
  return item;
}

// Typed text: one key per character, in CP932.
void AddTypedText(std::string_view utf8, int line, std::vector<ScriptItem>& out) {
  for (size_t pos = 0; pos < utf8.size();) {
    const size_t length = std::min(Utf8Length(static_cast<unsigned char>(utf8[pos])),
                                   utf8.size() - pos);
    const std::string_view character = utf8.substr(pos, length);
    const std::string bytes = rt::Utf8ToCp932(character);
    if (bytes == "?" && character != "?") {
      Fail(line, "\"" + std::string(character) + "\" cannot be typed (no Shift-JIS character)");
    }
    out.push_back(MakeKey(bytes, line));
    pos += length;
  }
}

// A key line: text with {NAME} keys, then Enter unless it ends in {NOENTER}.
void ReadKeyLine(std::string_view text, int line, std::vector<ScriptItem>& out) {
  bool enter = true;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t open = text.find('{', pos);
    AddTypedText(text.substr(pos, open == std::string_view::npos ? text.npos : open - pos),
                 line, out);
    if (open == std::string_view::npos) break;
    const size_t close = text.find('}', open);
    if (close == std::string_view::npos) Fail(line, "\"{\" without \"}\"");
    const std::string name = Upper(text.substr(open + 1, close - open - 1));
    pos = close + 1;
    if (name == "NOENTER") {
      if (pos != text.size()) Fail(line, "{NOENTER} must end the line");
      enter = false;
      break;
    }
    const auto known = std::find_if(std::begin(kKeyNames), std::end(kKeyNames),
                                    [&](const KeyName& k) { return k.name == name; });
    if (known == std::end(kKeyNames)) Fail(line, "unknown key {" + name + "}");
    if (known->code < 0) {
      ScriptItem item;
      item.kind = Kind::FunctionKey;
      item.number = -known->code;
      item.line = line;
      out.push_back(item);
    } else {
      out.push_back(MakeKey(std::string(1, static_cast<char>(known->code)), line));
    }
  }
  if (enter) out.push_back(MakeKey("\r", line));
}

// The words of an action line; the last word may be taken as "the rest of the
// line" (a path with blanks).
std::vector<std::string_view> Words(std::string_view text, size_t maxWords) {
  std::vector<std::string_view> words;
  size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    if (pos >= text.size()) break;
    if (words.size() + 1 == maxWords) {
      size_t end = text.size();
      while (end > pos && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
      words.push_back(text.substr(pos, end - pos));
      break;
    }
    size_t end = pos;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
    words.push_back(text.substr(pos, end - pos));
    pos = end;
  }
  return words;
}

double Number(std::string_view word, int line) {
  double value = 0;
  const char* end = word.data() + word.size();
  const auto result = std::from_chars(word.data(), end, value);
  if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) {
    Fail(line, "\"" + std::string(word) + "\" is not a number");
  }
  return value;
}

RtWindowId Window(std::string_view word, int line) {
  const auto window = RtWindowFromName(Lower(word));
  if (!window || *window == RtWindowId::Printer) {
    Fail(line, "\"" + std::string(word) + "\" is not a window (main, view or nav)");
  }
  return *window;
}

// Mouse event of pressing (release: + 1) a button.
int PressEvent(std::string_view word, int line) {
  const std::string button = Lower(word);
  if (button == "left") return kMouseLeftDown;
  if (button == "right") return kMouseRightDown;
  if (button == "middle") return kMouseMiddleDown;
  Fail(line, "\"" + std::string(word) + "\" is not a button (left, right or middle)");
}

// An action line: its name (lower case), its words (the name first) and the
// text after the name.
struct Action {
  std::string name;
  std::vector<std::string_view> words;
  std::string_view text;
  int line;

  ScriptItem Item(Kind kind) const {
    ScriptItem item;
    item.kind = kind;
    item.line = line;
    return item;
  }
  void Expect(size_t count, std::string_view usage) const {
    if (words.size() != count) Fail(line, "expected !" + name + " " + std::string(usage));
  }
  // The rest of the line after `skip` words (a path may hold blanks).
  std::string Rest(size_t skip) const {
    const std::vector<std::string_view> parts = Words(text, skip + 1);
    return parts.size() == skip + 1 ? std::string(parts[skip]) : std::string();
  }
};

// A pointer step over WINDOW X Y, which start at word `first`.
ScriptItem Pointer(const Action& a, Kind kind, int number, size_t first) {
  ScriptItem item = a.Item(kind);
  item.number = number;
  item.window = Window(a.words[first], a.line);
  item.x = Number(a.words[first + 1], a.line);
  item.y = Number(a.words[first + 2], a.line);
  return item;
}

// A click: the pointer moves there, the button goes down and up.
void ReadClick(const Action& a, std::vector<ScriptItem>& out) {
  a.Expect(4, "WINDOW X Y");
  const int press = a.name == "click"    ? kMouseLeftDown
                    : a.name == "rclick" ? kMouseRightDown
                                         : kMouseMiddleDown;
  out.push_back(Pointer(a, Kind::Move, kMouseMove, 1));
  out.push_back(Pointer(a, Kind::Press, press, 1));
  out.push_back(Pointer(a, Kind::Release, press + 1, 1));
}

// A double-click as the desktop delivers it: press, release, press with the
// double-click event, release.
void ReadDoubleClick(const Action& a, std::vector<ScriptItem>& out) {
  a.Expect(4, "WINDOW X Y");
  const bool left = a.name == "dblclick";
  const int press = left ? kMouseLeftDown : kMouseRightDown;
  out.push_back(Pointer(a, Kind::Move, kMouseMove, 1));
  out.push_back(Pointer(a, Kind::Press, press, 1));
  out.push_back(Pointer(a, Kind::Release, press + 1, 1));
  out.push_back(Pointer(a, Kind::Press, press, 1));
  out.push_back(Pointer(a, Kind::Move, left ? kMouseLeftDouble : kMouseRightDouble, 1));
  out.push_back(Pointer(a, Kind::Release, press + 1, 1));
}

// !down and !up: the pointer moves there, the button goes down or up.
void ReadButton(const Action& a, std::vector<ScriptItem>& out) {
  a.Expect(5, "BUTTON WINDOW X Y");
  const int press = PressEvent(a.words[1], a.line);
  const bool down = a.name == "down";
  out.push_back(Pointer(a, Kind::Move, kMouseMove, 2));
  out.push_back(Pointer(a, down ? Kind::Press : Kind::Release, down ? press : press + 1, 2));
}

void ReadMove(const Action& a, std::vector<ScriptItem>& out) {
  a.Expect(4, "WINDOW X Y");
  out.push_back(Pointer(a, Kind::Move, kMouseMove, 1));
}

void ReadWheel(const Action& a, std::vector<ScriptItem>& out) {
  a.Expect(5, "WINDOW X Y NOTCHES");
  const double notches = Number(a.words[4], a.line);
  if (notches != std::trunc(notches) || std::fabs(notches) > 1000) {
    Fail(a.line, "NOTCHES must be a whole number from -1000 to 1000");
  }
  out.push_back(Pointer(a, Kind::Move, kMouseMove, 1));
  out.push_back(Pointer(a, Kind::Wheel, static_cast<int>(notches), 1));
}

// An action about a window: !close, !state.
void ReadWindowAction(const Action& a, std::vector<ScriptItem>& out) {
  a.Expect(2, "WINDOW");
  ScriptItem item = a.Item(a.name == "close" ? Kind::Close : Kind::State);
  item.window = Window(a.words[1], a.line);
  out.push_back(item);
}

// An action without arguments: !ok, !cancel, !screen.
void ReadAlone(const Action& a, std::vector<ScriptItem>& out) {
  a.Expect(1, "alone");
  out.push_back(a.Item(a.name == "ok" ? Kind::Ok : a.name == "cancel" ? Kind::Cancel
                                                                      : Kind::Screen));
}

void ReadFile(const Action& a, std::vector<ScriptItem>& out) {
  ScriptItem item = a.Item(Kind::File);
  item.text = a.Rest(1);
  if (item.text.empty()) Fail(a.line, "expected !file PATH");
  out.push_back(item);
}

void ReadWait(const Action& a, std::vector<ScriptItem>& out) {
  a.Expect(2, "MS");
  const double ms = Number(a.words[1], a.line);
  if (ms < 0 || ms > 86400000) Fail(a.line, "MS must be from 0 to 86400000");
  ScriptItem item = a.Item(Kind::Wait);
  item.number = static_cast<int>(std::llround(ms));
  out.push_back(item);
}

void ReadPng(const Action& a, std::vector<ScriptItem>& out) {
  if (a.words.size() < 3) Fail(a.line, "expected !png WINDOW FILE");
  ScriptItem item = a.Item(Kind::Png);
  item.window = Window(a.words[1], a.line);
  item.text = a.Rest(2);
  out.push_back(item);
}

using ActionReader = void (*)(const Action&, std::vector<ScriptItem>&);

struct ActionName {
  std::string_view name;
  ActionReader read;
};

constexpr ActionName kActions[] = {
    {"click", ReadClick},  {"rclick", ReadClick},        {"mclick", ReadClick},
    {"dblclick", ReadDoubleClick}, {"rdblclick", ReadDoubleClick},
    {"down", ReadButton},  {"up", ReadButton},           {"move", ReadMove},
    {"wheel", ReadWheel},  {"close", ReadWindowAction},  {"state", ReadWindowAction},
    {"ok", ReadAlone},     {"cancel", ReadAlone},        {"screen", ReadAlone},
    {"file", ReadFile},    {"wait", ReadWait},           {"png", ReadPng},
};

void ReadAction(std::string_view text, int line, std::vector<ScriptItem>& out) {
  Action action;
  action.words = Words(text, std::string_view::npos);
  action.name = action.words.empty() ? "" : Lower(action.words[0]);
  action.text = text;
  action.line = line;
  const auto known = std::find_if(std::begin(kActions), std::end(kActions),
                                  [&](const ActionName& a) { return a.name == action.name; });
  if (known == std::end(kActions)) Fail(line, "unknown action \"!" + action.name + "\"");
  known->read(action, out);
}

// One line of the script (without its line end) into items.
void ReadScriptLine(std::string_view text, int line, std::vector<ScriptItem>& out) {
  if (text.ends_with('\r')) text.remove_suffix(1);
  if (text.starts_with('#')) return;
  if (text.starts_with('!')) {
    ReadAction(text.substr(1), line, out);
  } else {
    ReadKeyLine(text, line, out);
  }
}

// ---------------------------------------------------------------------------
// Reading lines as the program needs them

// A line that cannot be run as the script source gave it: with a source that
// forgives, reported and dropped (with every item of it still queued); true then.
bool RefuseLine(int line, const std::string& message) {
  EventState& s = State();
  if (!s.source.refuse) return false;
  s.source.refuse("script line " + std::to_string(line) + ": " + message);
  while (!s.script.empty() && s.script.front().line == line) s.script.pop_front();
  return true;
}

// Reads lines from the script source while nothing is queued. False when the
// source has ended (or there is none) and nothing is queued.
bool ReadFromSource(std::string_view waitingFor) {
  EventState& s = State();
  while (s.script.empty() && s.source.next) {
    std::string text;
    if (!s.source.next(text, waitingFor)) {
      s.source = {};
      break;
    }
    const int line = ++s.sourceLines;
    std::string_view view = text;
    if (line == 1 && view.starts_with("\xEF\xBB\xBF")) view.remove_prefix(3);
    std::vector<ScriptItem> items;
    try {
      ReadScriptLine(view, line, items);
    } catch (const rt::ScriptError& e) {
      if (!s.source.refuse) throw;
      s.source.refuse(e.what());
      continue;
    }
    s.script.insert(s.script.end(), std::make_move_iterator(items.begin()),
                    std::make_move_iterator(items.end()));
  }
  return !s.script.empty();
}

// ---------------------------------------------------------------------------
// Delivering events

bool IsEvent(Kind kind) {
  return kind == Kind::FunctionKey || kind == Kind::Move || kind == Kind::Press ||
         kind == Kind::Release || kind == Kind::Wheel || kind == Kind::Close;
}

bool IsAnswer(Kind kind) { return kind == Kind::Ok || kind == Kind::Cancel || kind == Kind::File; }

bool IsLookOnOrPause(Kind kind) {
  return kind == Kind::Screen || kind == Kind::Png || kind == Kind::State || kind == Kind::Wait;
}

std::string Describe(const ScriptItem& item) {
  switch (item.kind) {
    case Kind::Key: return "a typed key";
    case Kind::FunctionKey: return "function key F" + std::to_string(item.number);
    case Kind::Move:
    case Kind::Press:
    case Kind::Release:
    case Kind::Wheel: return "a mouse action";
    case Kind::Close: return "a close request";
    case Kind::Ok: return "!ok";
    case Kind::Cancel: return "!cancel";
    case Kind::File: return "!file";
    default: return "an action";
  }
}

// Sets a flag for the lifetime of the guard.
class FlagGuard {
 public:
  explicit FlagGuard(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~FlagGuard() { flag_ = before_; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;

 private:
  bool& flag_;
  bool before_;
};

// Runs a bound handler, or holds the event when its handler is still running.
void Run(BoundEvent& event, RtWindowId window) {
  EventState& s = State();
  s.quiet = true;
  if (!event.handler || !event.on) return;
  if (event.running) {
    event.held = true;
    event.heldWindow = window;
    return;
  }
  const RtWindowId before = s.eventWindow;
  s.eventWindow = window;
  struct Restore {
    EventState& s;
    RtWindowId window;
    ~Restore() { s.eventWindow = window; }
  } restore{s, before};
  FlagGuard running(event.running);
  const RtEventHandler handler = event.handler;  // it may bind another one meanwhile
  handler();
}

void WindowClosed(RtWindowId window) {
  if (window == RtWindowId::Main) throw RtScriptEnded{};
  RtHideWindow(window);
}

void RequestClose(RtWindowId window) {
  EventState& s = State();
  s.quiet = true;
  CloseBinding& binding = s.close[WindowIndex(window)];
  if (binding.running) return;  // already being asked
  int16_t cancel = 0;
  if (binding.handler) {
    FlagGuard running(binding.running);
    const RtCloseHandler handler = binding.handler;
    handler(cancel);
  }
  if (cancel == 0) WindowClosed(window);
}

void Deliver(const ScriptItem& item) {
  EventState& s = State();
  PointerState& pointer = s.pointer[WindowIndex(item.window)];
  switch (item.kind) {
    case Kind::FunctionKey:
      Run(s.keys[static_cast<size_t>(item.number)], RtWindowId::Main);
      return;
    case Kind::Close:
      RequestClose(item.window);
      return;
    case Kind::Press:
      pointer.buttons |= 1 << ((item.number - kMouseLeftDown) / 2);
      break;
    case Kind::Release:
      pointer.buttons &= ~(1 << ((item.number - kMouseLeftUp) / 2));
      break;
    case Kind::Wheel:
      s.wheel += 120.0 * item.number;
      break;
    default:
      break;
  }
  pointer.x = item.x;
  pointer.y = item.y;
  const int event = item.kind == Kind::Wheel ? kMouseWheel : item.number;
  Run(s.mouse[static_cast<size_t>(event)], item.window);
}

template <size_t N>
bool DeliverHeld(std::array<BoundEvent, N>& events) {
  for (BoundEvent& event : events) {
    if (event.held && !event.running) {
      event.held = false;
      Run(event, event.heldWindow);
      return true;
    }
  }
  return false;
}

void Pause(int ms) {
  EventState& s = State();
  FlagGuard pausing(s.pausing);
  RtWait(ms / 10.0);
}

void CarryOut(const ScriptItem& item) {
  switch (item.kind) {
    case Kind::Wait: Pause(item.number); break;
    case Kind::Screen: rt::WriteScreenToTranscript(); break;
    case Kind::Png:
      if (!rt::WriteWindowPng(item.window, item.text)) {
        Fail(item.line, "cannot write the picture \"" + item.text + "\"");
      }
      break;
    case Kind::State: rt::TranscriptLine(rt::WindowStateLine(item.window)); break;
    default: break;
  }
}

// Carries out the lines at the head of the script that only look on or pause.
void CarryOutLookOns() {
  EventState& s = State();
  while (!s.script.empty() && IsLookOnOrPause(s.script.front().kind)) {
    const ScriptItem item = std::move(s.script.front());
    s.script.pop_front();
    CarryOut(item);
  }
}

// The program asks for input and the script has nothing more.
void ScriptExhausted() {
  if (ReadFromSource("a key")) return;
  EventState& s = State();
  if (s.finalCloseMade) throw RtScriptEnded{};
  s.finalCloseMade = true;
  RequestClose(RtWindowId::Main);
}

// The next event to deliver: the head of a script. On the desktop, keys typed
// ahead that the program has not read yet do not hold back the events behind
// them (function keys, buttons, close requests), except pointer moves.
std::deque<ScriptItem>::iterator NextEvent(EventState& s) {
  if (!rt::DesktopActive()) {
    const bool atHead = !s.script.empty() && IsEvent(s.script.front().kind);
    return atHead ? s.script.begin() : s.script.end();
  }
  bool keyBefore = false;
  for (auto it = s.script.begin(); it != s.script.end(); ++it) {
    if (it->kind == Kind::Key) keyBefore = true;
    if (IsEvent(it->kind) && !(keyBefore && it->kind == Kind::Move)) return it;
  }
  return s.script.end();
}

// Delivers a held event or the next event of the script, unless an event was
// delivered since the last key poll. True when one was delivered.
bool DeliverOne() {
  EventState& s = State();
  if (s.pausing || s.quiet) return false;
  if (DeliverHeld(s.keys) || DeliverHeld(s.mouse)) return true;
  const auto next = NextEvent(s);
  if (next == s.script.end()) return false;
  const ScriptItem item = std::move(*next);
  s.script.erase(next);
  Deliver(item);
  return true;
}

std::string TakeKey() {
  EventState& s = State();
  std::string key = std::move(s.script.front().text);
  s.script.pop_front();
  s.pollsBlockedByAnswer = 0;
  return key;
}

BoundEvent& Bound(std::span<BoundEvent> events, int number, int last,
                  const std::source_location& where) {
  if (number < 1 || number > last) RtRaise(kErrIllegalArgument, where);
  return events[static_cast<size_t>(number)];
}

size_t CheckedWindow(RtWindowId window, const std::source_location& where) {
  if (window == RtWindowId::Printer) RtRaise(kErrIllegalArgument, where);
  return WindowIndex(window);
}

}  // namespace

// ---------------------------------------------------------------------------

std::string RtInkey() {
  rt::DesktopPumpEvents();
  EventState& s = State();
  if (std::exchange(s.quiet, false)) return "";
  CarryOutLookOns();
  if (DeliverOne()) {
    s.quiet = false;
    return "";
  }
  if (s.script.empty()) {
    if (rt::DesktopActive()) return "";  // nothing typed yet
    ScriptExhausted();
    s.quiet = false;
    return "";
  }
  const ScriptItem& head = s.script.front();
  if (head.kind == Kind::Key) return TakeKey();
  if (IsAnswer(head.kind)) {
    const std::string message = Describe(head) + ", but no message box or dialog is open";
    if (RefuseLine(head.line, message)) return "";
    if (++s.pollsBlockedByAnswer > kPollsBeforeGivingUp) Fail(head.line, message);
  }
  return "";
}

void RtDoEvents() {
  rt::DesktopPumpEvents();
  DeliverOne();
}

void RtDoEventsWhileWaiting(bool scriptMayEnd) {
  EventState& s = State();
  s.quiet = false;
  rt::DesktopPumpEvents();
  CarryOutLookOns();
  if (DeliverOne()) return;
  if (scriptMayEnd && s.script.empty() && !rt::DesktopActive()) ScriptExhausted();
}

void RtOnKeyGosub(int key, RtEventHandler handler, std::source_location where) {
  Bound(State().keys, key, 12, where).handler = std::move(handler);
}

void RtKeyOnOff(int key, bool on, std::source_location where) {
  Bound(State().keys, key, 12, where).on = on;
}

void RtOnMouseGosub(int event, RtEventHandler handler, std::source_location where) {
  Bound(State().mouse, event, kMouseWheel, where).handler = std::move(handler);
}

void RtMouseOnOff(int event, bool on, std::source_location where) {
  Bound(State().mouse, event, kMouseWheel, where).on = on;
}

double RtMouse(int what, RtWindowId window, std::source_location where) {
  EventState& s = State();
  const PointerState& pointer = s.pointer[CheckedWindow(window, where)];
  switch (what) {
    case 0: return pointer.x;
    case 1: return pointer.y;
    case 2: {
      if (window != RtWindowId::Main) return 0;
      return std::exchange(s.wheel, 0.0);
    }
    case 3: return pointer.buttons;
    default: RtRaise(kErrIllegalArgument, where);
  }
}

RtWindowId RtMouseEventWindow() { return State().eventWindow; }

void RtOnCloseRequest(RtWindowId window, RtCloseHandler handler, std::source_location where) {
  State().close[CheckedWindow(window, where)].handler = std::move(handler);
}

void rt::SetScriptSource(ScriptSource source) {
  EventState& s = State();
  s.source = std::move(source);
  s.sourceLines = 0;
  s.finalCloseMade = false;
}

void rt::LoadScript(std::string_view utf8Script) {
  if (utf8Script.starts_with("\xEF\xBB\xBF")) utf8Script.remove_prefix(3);
  std::vector<ScriptItem> items;
  int line = 0;
  size_t pos = 0;
  while (pos < utf8Script.size()) {
    const size_t end = std::min(utf8Script.find('\n', pos), utf8Script.size());
    std::string_view text = utf8Script.substr(pos, end - pos);
    pos = end + 1;
    ++line;
    ReadScriptLine(text, line, items);
  }
  EventState& s = State();
  s.script.insert(s.script.end(), std::make_move_iterator(items.begin()),
                  std::make_move_iterator(items.end()));
  s.finalCloseMade = false;
}

rt::ScriptAnswer rt::TakeScriptAnswer(std::string_view what, std::string_view shows) {
  EventState& s = State();
  for (;;) {
    CarryOutLookOns();
    if (s.script.empty() && s.source.show && !shows.empty()) s.source.show(shows);
    if (s.script.empty() && ReadFromSource(what)) continue;
    if (s.script.empty()) {
      ScriptAnswer ended;
      ended.kind = ScriptAnswer::Kind::Ended;
      ended.finalClose = s.finalCloseMade;
      return ended;
    }
    const ScriptItem& head = s.script.front();
    if (IsAnswer(head.kind)) break;
    const std::string message =
        Describe(head) + ", but " + std::string(what) + " is waiting for !ok, !cancel or !file";
    if (!RefuseLine(head.line, message)) Fail(head.line, message);
  }
  ScriptItem& head = s.script.front();
  ScriptAnswer answer;
  answer.kind = head.kind == Kind::Ok       ? ScriptAnswer::Kind::Ok
                : head.kind == Kind::Cancel ? ScriptAnswer::Kind::Cancel
                                            : ScriptAnswer::Kind::File;
  answer.path = std::move(head.text);
  answer.line = head.line;
  s.script.pop_front();
  s.pollsBlockedByAnswer = 0;
  return answer;
}

std::string rt::WaitForKey() {
  EventState& s = State();
  for (;;) {
    s.quiet = false;
    rt::DesktopPumpEvents();
    CarryOutLookOns();
    if (DeliverOne()) continue;
    if (s.script.empty() && rt::DesktopActive()) {
      rt::DesktopWaitForEvents();  // the user has not typed yet
      continue;
    }
    if (s.script.empty()) {
      ScriptExhausted();
      continue;
    }
    const ScriptItem& head = s.script.front();
    if (head.kind == Kind::Key) return TakeKey();
    const std::string message = Describe(head) + ", but the program is reading a line";
    if (!RefuseLine(head.line, message)) Fail(head.line, message);
  }
}
