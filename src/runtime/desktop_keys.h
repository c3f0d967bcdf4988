// What a key of the keyboard means to the program on the desktop: a special key
// gives the one code RtInkey reports for it, F1-F12 are function-key events, and
// anything else is typed text (which the input method hands over).
#pragma once

namespace rt {

struct DesktopKey {
  enum class Kind {
    Text,         // not a key of its own: typed text, if any, comes as characters
    Code,         // value: the code RtInkey gives (Enter 13, Home 11, ...)
    FunctionKey,  // value: 1-12
  };
  Kind kind = Kind::Text;
  int value = 0;
};

// The meaning of the GDK key symbol `keyval`; `shift` tells Shift+Home (12)
// from Home (11).
DesktopKey DesktopKeyFor(unsigned keyval, bool shift);

}  // namespace rt
