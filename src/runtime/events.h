// Keys and events: the keyboard buffer of the main window, function keys, mouse
// buttons, pointer and wheel over the three windows, and close requests.
//
// Headless use takes all of them from a script (see docs/scripting.md), queued in
// script order: typed keys, function keys, mouse actions, close requests, pauses
// and the answers of message boxes and dialogs. On the desktop (desktop.h) the
// user's keys and mouse actions are queued the same way as they come; there the
// events are not held up by keys typed ahead that the program has not read, and
// the rules for the end of the script do not apply. Events run their handlers on the
// program's own thread, between its steps: whenever the program polls a key,
// reads a line, pauses or calls RtDoEvents. After an event has been delivered the
// next key poll finds no key, so that the program sees what the handler did
// before it reads on. A handler may leave by throwing (a jump of the program);
// the exception passes through the operation that delivered the event.
//
// While a handler runs, the same event is held and delivered once it has
// returned; other events still come.
//
// When the script is exhausted and the program asks for input, the main window
// gets a close request (answered OK by any message box it shows). When no
// handler is bound, when the handler lets the window close, or when the program
// asks for input again, RtScriptEnded is thrown: the program ends normally. A
// message box that asks OK or Cancel at any other time after the end of the
// script is cancelled, so that no question the program repeats until Cancel
// (the hard copy's) runs on without end.
#pragma once

#include <cstdint>
#include <functional>
#include <source_location>
#include <stdexcept>
#include <string>
#include <string_view>

#include "runtime/window_id.h"

// Thrown when the script has ended (see above). Deliberately not a
// std::exception: no handler of the program's own may swallow it.
struct RtScriptEnded {};

// The next key of the main window's keyboard buffer without waiting: "" when
// there is none, else the typed character (one byte, or the two bytes of a
// double-byte character) or the single code of a special key: Enter 13,
// Backspace 8, Tab 9, Escape 27, Home 11, Shift+Home/Clear 12, Insert 18,
// Page Up 19, Page Down 20, End 21, right 28, left 29, up 30, down 31, Delete 127.
// Function keys are events, never keys. Delivers pending events first.
std::string RtInkey();

// The codes RtInkey gives for the special keys.
enum RtKeyCode : int {
  kKeyBackspace = 8,
  kKeyTab = 9,
  kKeyHome = 11,
  kKeyClear = 12,
  kKeyEnter = 13,
  kKeyInsert = 18,
  kKeyPageUp = 19,
  kKeyPageDown = 20,
  kKeyEnd = 21,
  kKeyEscape = 27,
  kKeyRight = 28,
  kKeyLeft = 29,
  kKeyUp = 30,
  kKeyDown = 31,
  kKeyDelete = 127,
};

// Delivers the next pending event, if any (see above).
void RtDoEvents();

// For a program that waits on something other than the keyboard (a device):
// delivers the next pending event as RtDoEvents does, also right after another,
// leaving typed keys queued for the next question. With `scriptMayEnd` and
// nothing queued, a script reads its source on, or at its end closes the main
// window as it would at a question, so that a run never waits for an event
// that cannot come; the caller passes it once the device has been quiet a while.
void RtDoEventsWhileWaiting(bool scriptMayEnd);

using RtEventHandler = std::function<void()>;

// Binds function key F`key` (1-12) to a handler; an empty handler unbinds it. A
// bound key starts switched off. Other key numbers are error 5.
void RtOnKeyGosub(int key, RtEventHandler handler,
                  std::source_location where = std::source_location::current());
// Switches a function key's event on or off; a key pressed while off is lost.
void RtKeyOnOff(int key, bool on, std::source_location where = std::source_location::current());

// Mouse events, shared by all windows:
enum RtMouseEvent : int {
  kMouseMove = 1,
  kMouseLeftDown = 2,
  kMouseLeftUp = 3,
  kMouseRightDown = 4,
  kMouseRightUp = 5,
  kMouseMiddleDown = 6,
  kMouseMiddleUp = 7,
  kMouseLeftDouble = 8,
  kMouseRightDouble = 9,
  kMouseMiddleDouble = 10,
  kMouseWheel = 11,
};
// Binds mouse event 1-11 to a handler (empty: unbind); it starts switched off.
// Other numbers are error 5.
void RtOnMouseGosub(int event, RtEventHandler handler,
                    std::source_location where = std::source_location::current());
void RtMouseOnOff(int event, bool on,
                  std::source_location where = std::source_location::current());

// Mouse state of a window:
//   0  pointer x in the window's logical units
//   1  pointer y (downwards)
//   2  wheel movement since the last query of 2 (120 per notch, positive away
//      from the user); the wheel turns the window that holds the keyboard, which
//      is always the main window, whichever window the pointer is over
//   3  buttons held: 1 left, 2 right, 4 middle (added)
// Any other `what`, and the printer, are error 5.
double RtMouse(int what, RtWindowId window,
               std::source_location where = std::source_location::current());
// The window the mouse event being handled (or the last one) happened over.
RtWindowId RtMouseEventWindow();

// Binds a window's close request. The handler is called with a Cancel flag of 0;
// leaving it 0 lets the window close, which for the main window ends the program
// (RtScriptEnded). A window without a handler closes. The printer is error 5.
using RtCloseHandler = std::function<void(int16_t& cancel)>;
void RtOnCloseRequest(RtWindowId window, RtCloseHandler handler,
                      std::source_location where = std::source_location::current());

namespace rt {

// A script that cannot be run as written (unknown action, an answer where none
// is asked for, ...); the headless driver reports it and ends with status 2.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Where the script's lines come from when they are read as the program needs
// them (a person typing at a terminal) instead of being queued beforehand with
// LoadScript. `next` fills in the next line (UTF-8, without its line end) and
// returns false at the end of the input; it is called only when nothing is
// queued and the program waits for something: "a key", "a message box", "an open
// dialog" or "a save dialog". When `refuse` is set, a line that cannot be run (not
// understood, or an answer out of step with the program) is handed to it with the
// reason and dropped, instead of stopping the run.
// Before a line is read for the answer of a message box or dialog, `show`, when
// set, is given what the box or dialog shows (one UTF-8 line, as the transcript
// writes it but without the answer), so that the person sees the question before
// answering it.
struct ScriptSource {
  std::function<bool(std::string& utf8Line, std::string_view waitingFor)> next;
  std::function<void(const std::string& message)> refuse;
  std::function<void(std::string_view utf8Shown)> show;
};
void SetScriptSource(ScriptSource source);

// Appends a script (UTF-8 text, the language of docs/scripting.md) to the queue
// of the current runtime. Raises ScriptError, queueing nothing, when a line is
// not understood.
void LoadScript(std::string_view utf8Script);

// How the script answers a message box or a file dialog.
struct ScriptAnswer {
  // Ended: the script is exhausted. A dialog then counts as cancelled, and so
  // does a message box, except the one the final close request shows
  // (`finalClose`), which counts as answered OK and so ends the program.
  enum class Kind { Ok, Cancel, File, Ended } kind = Kind::Ok;
  std::string path;         // File: the path as written (UTF-8)
  int line = 0;             // the script line (0 for Ended)
  bool finalClose = false;  // Ended: asked by the close request at the end of the script
};
// Takes the answer of a modal message box or dialog (`what` names it in errors;
// `shows` is what it shows, for ScriptSource::show). Lines of the script that
// only look on (!screen, !png, !state) and pauses are carried out first;
// anything else in the answer's place is a ScriptError.
ScriptAnswer TakeScriptAnswer(std::string_view what, std::string_view shows = {});

// The next key for a blocking line input: delivers events and carries out the
// lines that look on until a key comes. Follows the end-of-script rule above.
std::string WaitForKey();

}  // namespace rt
