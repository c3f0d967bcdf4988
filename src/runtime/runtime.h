// The platform layer under the program: one Runtime object holds the state of
// every concern (errors, files, console, windows, ...). The Rt... operations act
// on the current Runtime, which the program (or a test) installs with RuntimeScope.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct ErrorState;
struct FileTable;
struct FolderState;
struct ClockState;
struct SoundState;
struct ProgramState;
struct ConsoleState;
struct EventState;
struct WindowTable;
struct PrinterState;

struct Runtime {
  Runtime();
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  // Headless: console in memory, input from a script, virtual clock, no real
  // windows. Always true until a desktop backend is started.
  bool headless = true;

  std::unique_ptr<ErrorState> errors;
  std::unique_ptr<FileTable> files;
  std::unique_ptr<FolderState> folders;
  std::unique_ptr<ClockState> clock;
  std::unique_ptr<SoundState> sound;
  std::unique_ptr<ProgramState> programs;
  std::unique_ptr<ConsoleState> console;
  std::unique_ptr<EventState> events;
  std::unique_ptr<WindowTable> windows;
  std::unique_ptr<PrinterState> printer;

  // One bracketed line per message box, dialog, sound and outside program
  // (UTF-8, e.g. "[sound] ding.wav"). Kept here and passed to noteSink when set.
  std::vector<std::string> notes;
  std::function<void(const std::string&)> noteSink;
};

// The Runtime the Rt... operations act on. Raises std::logic_error when none is installed.
Runtime& CurrentRuntime();

// Installs a Runtime as current for its lifetime and restores the previous one after.
class RuntimeScope {
 public:
  explicit RuntimeScope(Runtime& rt);
  ~RuntimeScope();
  RuntimeScope(const RuntimeScope&) = delete;
  RuntimeScope& operator=(const RuntimeScope&) = delete;

 private:
  Runtime* previous_;
};

// Records one bracketed transcript line (UTF-8).
void RtNote(std::string_view utf8Line);
