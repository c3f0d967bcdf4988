#include <cstdio>
#include <exception>
#include <string_view>

#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/headless.h"
#include "shell/app.h"
#include "shell/control.h"

namespace {

Jump ProgramStart(App&) {
  RtPrintStr("測量ケルノ君2004  Windows 版  Ver6.061", true);
  return {};
}

void WriteLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

// The program on a runtime of its own, the console shown on standard output.
int RunPlain() {
  try {
    App app;
    rt::SetTranscriptSink(WriteLine);
    int status = 0;
    try {
      status = RunTrampoline(app, ProgramStart);
    } catch (const RtScriptEnded&) {
      // Without a script there is no input: asking for some ends the program.
    }
    rt::FlushTranscript();
    return status;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "krn: %s\n", e.what());
    return 1;
  }
}

int RunOnHeadless(Runtime& headless) {
  App app(headless);
  return RunTrampoline(app, ProgramStart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string_view(argv[1]) == "--headless") {
    return rt::RunHeadless(argc, argv, RunOnHeadless);
  }
  return RunPlain();
}
