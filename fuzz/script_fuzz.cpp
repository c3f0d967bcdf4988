// The headless script: an input is a script as `krn --headless` takes it, read
// both ways the program reads one: whole from a pipe (rt::LoadScript, which
// refuses a script with a line it does not understand) and line by line as a
// person types it (a script source that drops the lines it refuses). Each
// script is then played out as a program that polls keys would: function keys,
// mouse events and close requests of the view and the navigator are bound, and
// a queued answer is taken as a message box takes it. "!png" lines are parsed
// but never carried out: they would write pictures anywhere.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "runtime/events.h"
#include "runtime/events_state.h"
#include "runtime/runtime.h"

namespace {

using Kind = ScriptItem::Kind;

void BindEverything() {
  for (int key = 1; key <= 12; ++key) {
    RtOnKeyGosub(key, [] {});
    RtKeyOnOff(key, true);
  }
  for (int event = 1; event <= kMouseWheel; ++event) {
    RtOnMouseGosub(event, [] {
      const RtWindowId window = RtMouseEventWindow();
      for (int what = 0; what <= 3; ++what) RtMouse(what, window);
    });
    RtMouseOnOff(event, true);
  }
  // The view and the navigator refuse to close, as the program's do.
  RtOnCloseRequest(RtWindowId::View, [](int16_t& cancel) { cancel = 1; });
  RtOnCloseRequest(RtWindowId::Nav, [](int16_t& cancel) { cancel = 1; });
}

// Polls keys until the script ends the program (RtScriptEnded).
[[noreturn]] void PlayOut() {
  EventState& s = *CurrentRuntime().events;
  for (;;) {
    if (!s.script.empty()) {
      const Kind kind = s.script.front().kind;
      if (kind == Kind::Ok || kind == Kind::Cancel || kind == Kind::File) {
        rt::TakeScriptAnswer("a message box");
        continue;
      }
    }
    RtInkey();
  }
}

bool IsPngLine(std::string_view line) {
  if (line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
  if (line.ends_with('\r')) line.remove_suffix(1);
  if (!line.starts_with('!')) return false;
  line.remove_prefix(1);
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  std::string word;
  for (char c : line) {
    if (c == ' ' || c == '\t') break;
    word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return word == "png";
}

void Refuse(const std::string&) {}

// The script is the runtime's alone: a fresh runtime is a fresh program for it.
void WholeScript(std::string_view script) {
  Runtime runtime;
  RuntimeScope current(runtime);
  try {
    rt::LoadScript(script);
  } catch (const rt::ScriptError&) {
    return;  // refused whole, as a script from a pipe is
  }
  std::erase_if(CurrentRuntime().events->script,
                [](const ScriptItem& item) { return item.kind == Kind::Png; });
  rt::SetScriptSource({nullptr, Refuse});
  BindEverything();
  PlayOut();
}

void LineByLine(std::string_view script) {
  Runtime runtime;
  RuntimeScope current(runtime);
  size_t at = 0;
  rt::SetScriptSource({[&](std::string& line, std::string_view) {
                         for (;;) {
                           if (at > script.size()) return false;
                           const size_t end = std::min(script.find('\n', at), script.size());
                           line = script.substr(at, end - at);
                           at = end + 1;
                           if (!IsPngLine(line)) return true;
                         }
                       },
                       Refuse});
  BindEverything();
  PlayOut();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view script = fuzz::Bytes(data, size);
  fuzz::RunInput([&] { WholeScript(script); });
  fuzz::RunInput([&] { LineByLine(script); });
  return 0;
}
