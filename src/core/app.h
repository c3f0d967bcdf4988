// The program's state: one struct per subsystem, gathered in App. A fresh App is
// a freshly started program with its runtime installed as the current one.
#pragma once

#include <memory>

#include "area/state.h"
#include "cad/state.h"
#include "cogo/state.h"
#include "dxf/state.h"
#include "fieldbook/state.h"
#include "files/state.h"
#include "points/state.h"
#include "profile/state.h"
#include "route/state.h"
#include "runtime/runtime.h"
#include "shell/state.h"
#include "traverse/state.h"
#include "transfer/state.h"
#include "ui/state.h"

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
  shell::ShellState shell;
  shell::SharedNumbers numbers;
  ui::InputState input;
  ui::NavigatorState navigator;
  ui::ViewState view;
  points::Store points;
  files::Output output;
  files::JobFiles job;
  cad::Lines lines;
  cogo::State cogo;
  fieldbook::State fieldbook;
  traverse::State traverse;
  area::State area;
  route::State route;
  profile::State profile;
  dxf::State dxf;
  transfer::State transfer;
};
