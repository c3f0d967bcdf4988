// The program's state: one struct per subsystem, gathered in App. A fresh App is
// a freshly started program with its runtime installed as the current one.
#pragma once

#include <memory>

#include "runtime/runtime.h"
#include "shell/settings.h"

struct App {
  // A program on a headless runtime of its own (what tests use).
  App() : ownRuntime(std::make_unique<Runtime>()), rt(*ownRuntime) {}
  // A program on a runtime prepared elsewhere (a scripted session).
  explicit App(Runtime& runtime) : rt(runtime) {}
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  std::unique_ptr<Runtime> ownRuntime;
  Runtime& rt;
  RuntimeScope installRuntime{rt};

  shell::Settings settings;
  shell::SharedNumbers numbers;
};
