#include "runtime/runtime.h"

#include <stdexcept>

#include "runtime/clock_state.h"
#include "runtime/console_state.h"
#include "runtime/errors_state.h"
#include "runtime/events_state.h"
#include "runtime/files_state.h"
#include "runtime/folders_state.h"
#include "runtime/printer_state.h"
#include "runtime/programs_state.h"
#include "runtime/sound_state.h"
#include "runtime/windows_state.h"

namespace {
Runtime* g_current = nullptr;
}

Runtime::Runtime()
    : errors(std::make_unique<ErrorState>()),
      files(std::make_unique<FileTable>()),
      folders(std::make_unique<FolderState>()),
      clock(std::make_unique<ClockState>()),
      sound(std::make_unique<SoundState>()),
      programs(std::make_unique<ProgramState>()),
      console(std::make_unique<ConsoleState>()),
      events(std::make_unique<EventState>()),
      windows(std::make_unique<WindowTable>()),
      printer(std::make_unique<PrinterState>()) {}

Runtime::~Runtime() = default;

Runtime& CurrentRuntime() {
  if (!g_current) throw std::logic_error("no runtime installed");
  return *g_current;
}

RuntimeScope::RuntimeScope(Runtime& rt) : previous_(g_current) { g_current = &rt; }
RuntimeScope::~RuntimeScope() { g_current = previous_; }

void RtNote(std::string_view utf8Line) {
  Runtime& rt = CurrentRuntime();
  rt.notes.emplace_back(utf8Line);
  if (rt.noteSink) rt.noteSink(rt.notes.back());
}
