// The program's state: one struct per subsystem, gathered in App. A fresh App is
// a freshly started program with the headless runtime installed as current.
#pragma once

#include "runtime/runtime.h"
#include "shell/settings.h"

struct App {
  Runtime rt;
  RuntimeScope installRuntime{rt};

  shell::Settings settings;
  shell::SharedNumbers numbers;
};
