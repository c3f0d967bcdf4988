#include "runtime/programs.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "runtime/errors.h"
#include "runtime/folders.h"
#include "runtime/programs_state.h"
#include "runtime/runtime.h"
#include "runtime/text.h"

extern char** environ;

namespace {

using rt::ProgramRole;

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// The words of a command line, split at blanks and tabs.
std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t start = text.find_first_not_of(" \t", pos);
    if (start == std::string_view::npos) break;
    const size_t end = std::min(text.find_first_of(" \t", start), text.size());
    words.emplace_back(text.substr(start, end - start));
    pos = end;
  }
  return words;
}

std::vector<std::string> EnvironmentCommand(const char* name) {
  const char* value = std::getenv(name);
  return value ? Words(value) : std::vector<std::string>{};
}

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool IsHostProgram(const std::string& hostProgram) {
  if (hostProgram.empty()) return false;
  if (hostProgram.find('/') != std::string::npos) return IsExecutableFile(hostProgram);
  return !rt::FindOnPath(hostProgram).empty();
}

std::vector<std::string> EditorCommand(const std::string& hostProgram) {
  if (IsHostProgram(hostProgram)) return {hostProgram};
  for (const char* name : {"VISUAL", "EDITOR"}) {
    if (auto command = EnvironmentCommand(name); !command.empty()) return command;
  }
  return {"xdg-open"};
}

std::vector<std::string> DefaultCommand(const std::string& hostProgram, ProgramRole role) {
  switch (role) {
    case ProgramRole::kEditor:
      return EditorCommand(hostProgram);
    case ProgramRole::kSpreadsheet:
      return {"libreoffice", "--calc"};
    case ProgramRole::kFileViewer:
      return {"xdg-open"};
    default:
      if (hostProgram.empty()) return {};
      return {hostProgram};
  }
}

// Removes the leading Windows switches of the file explorer ("/n,", "/e,",
// "/select,", "/root,").
std::string_view WithoutExplorerSwitches(std::string_view parameter) {
  static constexpr std::string_view kSwitches[] = {"/N,", "/E,", "/SELECT,", "/ROOT,"};
  for (bool dropped = true; dropped;) {
    dropped = false;
    for (std::string_view sw : kSwitches) {
      if (parameter.size() >= sw.size() && Upper(parameter.substr(0, sw.size())) == sw) {
        parameter.remove_prefix(sw.size());
        dropped = true;
      }
    }
  }
  return parameter;
}

bool IsConfigured(ProgramRole role) {
  const char* value = std::getenv(rt::RoleVariable(role));
  return value && !Words(value).empty();
}

std::string TranscriptLine(std::string_view program, std::string_view parameter) {
  std::string line = "[program] " + rt::Cp932ToUtf8(program);
  if (!parameter.empty()) line += " " + rt::Cp932ToUtf8(parameter);
  return line;
}

}  // namespace

void RtShell(std::string_view program, std::string_view parameter, bool wait, int showCommand,
             rt::ProgramRole role) {
  if (parameter.size() > rt::kMaxShellParameter) RtRaise(kErrIllegalArgument);
  Runtime& runtime = CurrentRuntime();
  ProgramState& state = *runtime.programs;
  rt::CollectEnded(state.running);
  const ProgramRole resolved = rt::RoleOf(program, role);
  state.calls.push_back({std::string(program), std::string(parameter), wait, showCommand, {}});
  RtNote(TranscriptLine(program, parameter));
  if (runtime.headless && !IsConfigured(resolved)) return;

  std::vector<std::string> command = rt::HostCommandFor(program, resolved);
  if (command.empty()) RtRaise(kErrProgramNotFound);
  if (std::string hostParameter = rt::HostParameter(parameter, resolved); !hostParameter.empty()) {
    command.push_back(std::move(hostParameter));
  }
  const pid_t pid = rt::StartProcess(command, false);
  if (pid < 0) RtRaise(kErrProgramNotFound);
  state.calls.back().hostCommand = command;
  if (wait) {
    rt::WaitForProcess(pid);
  } else {
    state.running.push_back(pid);
  }
}

namespace rt {

ProgramRole RoleOf(std::string_view program, ProgramRole role) {
  if (role != ProgramRole::kByName) return role;
  std::string name = Upper(std::filesystem::path(HostPath(program)).filename().string());
  if (name.size() > 4 && name.ends_with(".EXE")) name.resize(name.size() - 4);
  if (name == "NOTEPAD") return ProgramRole::kEditor;
  if (name == "EXCEL") return ProgramRole::kSpreadsheet;
  if (name == "EXPLORER") return ProgramRole::kFileViewer;
  if (name == "TKY2JGD") return ProgramRole::kDatumConverter;
  return ProgramRole::kCad;
}

const char* RoleVariable(ProgramRole role) {
  switch (role) {
    case ProgramRole::kEditor:
      return "KRN_EDITOR";
    case ProgramRole::kSpreadsheet:
      return "KRN_SPREADSHEET";
    case ProgramRole::kFileViewer:
      return "KRN_FILE_VIEWER";
    case ProgramRole::kDatumConverter:
      return "KRN_DATUM_CONVERTER";
    case ProgramRole::kCad:
    case ProgramRole::kByName:
      break;
  }
  return "KRN_CAD";
}

std::vector<std::string> HostCommandFor(std::string_view program, ProgramRole role) {
  role = RoleOf(program, role);
  if (auto configured = EnvironmentCommand(RoleVariable(role)); !configured.empty()) {
    return configured;
  }
  return DefaultCommand(HostPath(program), role);
}

std::string HostParameter(std::string_view parameter, ProgramRole role) {
  if (role == ProgramRole::kFileViewer) parameter = WithoutExplorerSwitches(parameter);
  return parameter.empty() ? std::string() : HostPath(parameter);
}

std::string FindOnPath(std::string_view name) {
  if (name.empty()) return {};
  if (name.find('/') != std::string_view::npos) {
    std::string path(name);
    return IsExecutableFile(path) ? path : std::string();
  }
  const char* searchPath = std::getenv("PATH");
  const std::string_view folders = searchPath ? searchPath : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= folders.size()) {
    const size_t end = std::min(folders.find(':', start), folders.size());
    const std::string_view folder = folders.substr(start, end - start);
    std::string candidate = std::string(folder.empty() ? "." : folder) + "/" + std::string(name);
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return {};
}

pid_t StartProcess(const std::vector<std::string>& argv, bool quiet) {
  if (argv.empty() || argv.front().empty()) return -1;
  std::vector<char*> args;
  for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
  args.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // The program gets none of our open files (job files, serial ports) beyond the
  // standard three.
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  if (quiet) {
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  // The child starts with no blocked signals, whatever this thread blocks.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);

  pid_t pid = -1;
  const int failed = posix_spawnp(&pid, args.front(), &actions, &attributes, args.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return failed ? -1 : pid;
}

void WaitForProcess(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

void CollectEnded(std::vector<pid_t>& processes) {
  std::erase_if(processes, [](pid_t pid) {
    int status = 0;
    const pid_t result = waitpid(pid, &status, WNOHANG);
    return result == pid || (result < 0 && errno != EINTR);
  });
}

}  // namespace rt
