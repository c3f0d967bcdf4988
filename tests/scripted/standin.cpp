// A small program on the runtime alone that stands in for krn where the
// scripted-session tests check the headless layer itself (keys, events, message
// boxes, dialogs) without the program's menus around it. Under the headless
// driver it polls keys
// like the input routine, binds F1-F12 and the mouse events of all windows, and
// answers typed commands:
//   msg    a message box (OK and Cancel), then the button it gave
//   open   the open dialog, then the path it gave
//   save   the save dialog, then writes "SAVED" into the file chosen
//   line   a line input, then the line
//   num    a number input, then the number (text there is run-time error 13,
//          which nothing handles: the program fails)
//   quit   ends with status 0
// Anything else is echoed as "typed ...". Special keys are shown by their codes.
#include <string>

#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/dialogs.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/headless.h"
#include "runtime/numtext.h"

namespace {

// Shows one line of what happened, on a row of its own.
void Say(const std::string& text) {
  if (RtPos() > 0) RtPrintStr("", true);
  RtPrintStr(text, true);
}

std::string Number(double value) { return RtStr(value).substr(value < 0 ? 0 : 1); }

void BindFunctionKeys() {
  for (int key = 1; key <= 12; ++key) {
    RtOnKeyGosub(key, [key] { Say("function key F" + std::to_string(key)); });
    RtKeyOnOff(key, true);
  }
}

void BindMouse() {
  struct Named {
    int event;
    const char* name;
  };
  constexpr Named kEvents[] = {{kMouseLeftDown, "left down"},   {kMouseLeftUp, "left up"},
                               {kMouseRightDown, "right down"}, {kMouseRightUp, "right up"},
                               {kMouseMiddleDown, "middle down"}, {kMouseMiddleUp, "middle up"},
                               {kMouseWheel, "wheel"}};
  for (const Named& e : kEvents) {
    const std::string name = e.name;
    const bool wheel = e.event == kMouseWheel;
    RtOnMouseGosub(e.event, [name, wheel] {
      const RtWindowId window = RtMouseEventWindow();
      std::string text = name + " over " + std::string(RtWindowName(window)) + " at " +
                         Number(RtMouse(0, window)) + "," + Number(RtMouse(1, window));
      if (wheel) text += " by " + Number(RtMouse(2, RtWindowId::Main));
      Say(text);
    });
    RtMouseOnOff(e.event, true);
  }
}

void BindCloseRequests() {
  RtOnCloseRequest(RtWindowId::Main, [](int16_t& cancel) {
    cancel = static_cast<int16_t>(RtMessageBox("　終了してもいいですか", "測量ケルノ君",
                                               kButtonsOkCancel, kIconQuestion));
    Say(cancel == 0 ? "closing" : "staying");
  });
  for (RtWindowId window : {RtWindowId::View, RtWindowId::Nav}) {
    RtOnCloseRequest(window, [window](int16_t& cancel) {
      cancel = 1;
      Say(std::string(RtWindowName(window)) + " refuses to close");
    });
  }
}

void SaveInto(const std::string& path) {
  RtOpen(1, path, RtFileMode::Output);
  RtPrintToFile(1, "SAVED");
  RtClose(1);
}

// Carries out a typed command; false for "quit".
bool Command(const std::string& typed) {
  if (typed == "quit") return false;
  if (typed == "msg") {
    const int button =
        RtMessageBox("保存しますか", "測量ケルノ君", kButtonsOkCancel, kIconInformation);
    Say("message box gave " + std::to_string(button));
  } else if (typed == "open" || typed == "save") {
    const bool open = typed == "open";
    const std::string path = open ? RtFileOpenDialog("ﾌｧｲﾙ読込", "A.PRN", "(*.PRN);(*.*)")
                                  : RtFileSaveDialog("ﾌｧｲﾙ書込", "A.PRN", "(*.PRN,);(*.TXT)");
    if (path == kDialogCancelled) {
      Say(typed + " cancelled");
      return true;
    }
    if (!open) SaveInto(path);
    Say(typed + " gave " + path);
  } else if (typed == "line") {
    RtInputFromWindow("line? ");
    std::string line;
    RtInputVars(line);
    Say("line was " + line);
  } else if (typed == "num") {
    RtInputFromWindow("number? ");
    double value = 0;
    RtInputVars(value);
    Say("number was" + RtStr(value));
  } else {
    Say("typed " + typed);
  }
  return true;
}

bool IsSpecial(const std::string& key) {
  const auto code = static_cast<unsigned char>(key[0]);
  return key.size() == 1 && (code < 0x20 || code == 0x7F);
}

int StandIn(Runtime&) {
  Say("stand-in ready");
  BindFunctionKeys();
  BindMouse();
  BindCloseRequests();
  std::string typed;
  RtPrintStr("> ", false);
  for (;;) {
    RtWait(1);
    const std::string key = RtInkey();
    if (key.empty()) continue;
    if (key == "\r") {
      if (RtPos() > 0) RtPrintStr("", true);
      if (!Command(typed)) return 0;
      typed.clear();
      RtPrintStr("> ", false);
    } else if (IsSpecial(key)) {
      Say("key " + std::to_string(static_cast<unsigned char>(key[0])));
    } else {
      typed += key;
      RtPrintStr(key, false);
    }
  }
}

}  // namespace

int main(int argc, char** argv) { return rt::RunHeadless(argc, argv, StandIn); }
