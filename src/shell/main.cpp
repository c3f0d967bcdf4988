#include <cstdio>
#include <exception>

#include "shell/app.h"
#include "shell/control.h"

namespace {

Jump ProgramStart(App&) {
  std::puts(reinterpret_cast<const char*>(u8"測量ケルノ君2004  Windows 版  Ver6.061"));
  return {};
}

}  // namespace

int main() {
  try {
    App app;
    return RunTrampoline(app, ProgramStart);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "krn: %s\n", e.what());
    return 1;
  }
}
