// Scripted sessions: runs a program headless ("PROGRAM --headless [ARGS]") on a
// script, in a fresh temporary data folder (its current folder) with a fresh
// Windows folder (KRN_WINDOWS_DIR) and a fixed clock (KRN_CLOCK), and collects
// its exit status, its transcript and what it wrote on standard error. The data
// folder lives as long as the result, so that the files written can be checked.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/temp_folder.h"

extern char** environ;

namespace scripted {

// The fixed start time of every session.
inline constexpr const char* kSessionClock = "2026-12-10T09:30:00";

struct SessionResult {
  int status = -1;          // exit status; -1 when the program did not exit normally
  std::string transcript;   // standard output (UTF-8)
  std::string errors;       // standard error
  std::shared_ptr<TempFolder> dataFolder;
  std::shared_ptr<TempFolder> windowsFolder;

  // The transcript split into lines.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(transcript);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // True when the transcript holds `line` as one of its lines.
  bool HasLine(const std::string& line) const {
    for (const std::string& l : Lines()) {
      if (l == line) return true;
    }
    return false;
  }
  // A file of the data folder (empty when it is missing).
  std::string File(const std::string& name) const { return ReadHostFile(*dataFolder / name); }
};

// The environment of the session: ours, with the Windows folder and the clock set.
inline std::vector<std::string> SessionEnvironment(const std::string& windowsFolder) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    if (entry.starts_with("KRN_WINDOWS_DIR=") || entry.starts_with("KRN_CLOCK=")) continue;
    env.push_back(entry);
  }
  env.push_back("KRN_WINDOWS_DIR=" + windowsFolder);
  env.push_back(std::string("KRN_CLOCK=") + kSessionClock);
  return env;
}

inline std::vector<char*> Pointers(std::vector<std::string>& words) {
  std::vector<char*> pointers;
  for (std::string& w : words) pointers.push_back(w.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Runs `program` headless on `script` (UTF-8) with `args` after "--headless",
// after putting `dataFiles` (name, bytes) into the data folder.
inline SessionResult RunSession(const std::string& program, const std::string& script,
                                const std::vector<std::string>& args = {},
                                const std::vector<std::pair<std::string, std::string>>&
                                    dataFiles = {}) {
  SessionResult result;
  result.dataFolder = std::make_shared<TempFolder>();
  result.windowsFolder = std::make_shared<TempFolder>();
  const TempFolder io;
  for (const auto& [name, bytes] : dataFiles) WriteHostFile(*result.dataFolder / name, bytes);
  WriteHostFile(io / "script", script);

  std::vector<std::string> argv = {program, "--headless"};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> env = SessionEnvironment(result.windowsFolder->path());
  std::vector<char*> argvPointers = Pointers(argv);
  std::vector<char*> envPointers = Pointers(env);
  const std::string in = io / "script", out = io / "out", err = io / "err";
  const std::string& data = result.dataFolder->path();

  const pid_t pid = fork();
  if (pid == 0) {
    const int stdinFd = open(in.c_str(), O_RDONLY);
    const int stdoutFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int stderrFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (stdinFd < 0 || stdoutFd < 0 || stderrFd < 0 || chdir(data.c_str()) != 0 ||
        dup2(stdinFd, 0) < 0 || dup2(stdoutFd, 1) < 0 || dup2(stderrFd, 2) < 0) {
      _exit(126);
    }
    execve(argvPointers[0], argvPointers.data(), envPointers.data());
    _exit(127);
  }
  int wstatus = 0;
  if (pid > 0 && waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus)) {
    result.status = WEXITSTATUS(wstatus);
  }
  result.transcript = ReadHostFile(out);
  result.errors = ReadHostFile(err);
  return result;
}

}  // namespace scripted
