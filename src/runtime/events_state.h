#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "runtime/events.h"
#include "runtime/window_id.h"

// One line of the script, or one step of it (a click is a move, a press and a
// release).
struct ScriptItem {
  enum class Kind {
    Key,          // text: the key's bytes (CP932) or its one-byte code
    FunctionKey,  // number: 1-12
    Move,         // window, x, y
    Press,        // number: mouse event (2, 4 or 6); window, x, y
    Release,      // number: mouse event (3, 5 or 7); window, x, y
    Wheel,        // number: notches; window, x, y
    Close,        // window
    Ok,
    Cancel,
    File,  // text: path (UTF-8)
    Wait,  // number: milliseconds
    Screen,
    Png,  // window; text: file (UTF-8)
    State,
  };
  Kind kind = Kind::Key;
  std::string text;
  int number = 0;
  RtWindowId window = RtWindowId::Main;
  double x = 0, y = 0;
  int line = 0;  // script line, for messages
};

// A bound event: its handler, whether it is switched on, whether it is running,
// and whether it came again while it ran (delivered after it returns).
struct BoundEvent {
  std::function<void()> handler;
  bool on = false;
  bool running = false;
  bool held = false;
  RtWindowId heldWindow = RtWindowId::Main;
};

struct CloseBinding {
  RtCloseHandler handler;
  bool running = false;
};

struct PointerState {
  double x = 0, y = 0;
  int buttons = 0;  // 1 left, 2 right, 4 middle
};

struct EventState {
  std::deque<ScriptItem> script;

  std::array<BoundEvent, 13> keys{};    // index 1-12
  std::array<BoundEvent, 12> mouse{};   // index 1-11
  std::array<CloseBinding, 3> close{};  // main, view, nav
  std::array<PointerState, 3> pointer{};
  double wheel = 0;  // of the main window, since the last query
  RtWindowId eventWindow = RtWindowId::Main;

  // An event was delivered since the last key poll: the next poll finds no key.
  bool quiet = false;
  // A script pause is moving the clock on: no event is delivered meanwhile.
  bool pausing = false;
  // Key polls in a row that found an answer for a message box at the head.
  int pollsBlockedByAnswer = 0;
  // The close request at the end of the script has been made.
  bool finalCloseMade = false;
  // Lines read as the program needs them, and how many have been read.
  rt::ScriptSource source;
  int sourceLines = 0;
};
