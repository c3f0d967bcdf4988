// Scripted sessions: runs a program headless ("PROGRAM --headless [ARGS]") on a
// script, in a fresh temporary data folder (its current folder) with a fresh
// Windows folder (KRN_WINDOWS_DIR) and a fixed clock (KRN_CLOCK), and collects
// its exit status, its transcript and what it wrote on standard error. The data
// folder lives as long as the result, so that the files written can be checked.
// Also the checks the session tests share on a transcript.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "runtime/temp_folder.h"

extern char** environ;

namespace scripted {

// The fixed start time of every session.
inline constexpr const char* kSessionClock = "2026-12-10T09:30:00";

// Files to put into a folder before a session: (name, bytes).
using Files = std::vector<std::pair<std::string, std::string>>;

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

// How to start a program headless: its words after "--headless", its folders,
// and where its standard streams go.
struct Launch {
  std::string program;
  std::vector<std::string> args;
  bool headless = true;       // "--headless" before args; false: args alone
  std::string dataFolder;     // its current folder
  std::string windowsFolder;  // KRN_WINDOWS_DIR
  int input = -1;             // becomes its standard input
  std::string output;         // file for its standard output
  std::string errors;         // file for its standard error
  long fileSizeLimit = -1;    // its largest file in bytes (RLIMIT_FSIZE); -1 none
};

// What a session's data folder and process get besides their files.
struct SessionOptions {
  // Folders made in the data folder (relative names) before its files are put there.
  std::vector<std::string> folders;
  // Files and folders of the data folder (relative names) that lose every
  // write permission bit before the program starts: read-only even for root.
  std::vector<std::string> readOnly;
  // The largest file the program may write, in bytes; -1 for no limit. Its
  // standard output counts too, so the limit must leave room for the transcript.
  long fileSizeLimit = -1;
};

// Starts the program of `launch`; its process id, or -1 when it could not be
// forked. A child that cannot set itself up exits with 126, one that cannot
// run the program with 127.
inline pid_t StartHeadless(const Launch& launch) {
  std::vector<std::string> argv = {launch.program};
  if (launch.headless) argv.push_back("--headless");
  argv.insert(argv.end(), launch.args.begin(), launch.args.end());
  std::vector<std::string> env = SessionEnvironment(launch.windowsFolder);
  std::vector<char*> argvPointers = Pointers(argv);
  std::vector<char*> envPointers = Pointers(env);

  const pid_t pid = fork();
  if (pid != 0) return pid;
  const int outFd = open(launch.output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int errFd = open(launch.errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (launch.input < 0 || outFd < 0 || errFd < 0 || chdir(launch.dataFolder.c_str()) != 0 ||
      dup2(launch.input, 0) < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0) {
    _exit(126);
  }
  if (launch.fileSizeLimit >= 0) {
    const rlimit limit{static_cast<rlim_t>(launch.fileSizeLimit),
                       static_cast<rlim_t>(launch.fileSizeLimit)};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
  }
  execve(argvPointers[0], argvPointers.data(), envPointers.data());
  _exit(127);
}

// Runs `program` headless on `script` (UTF-8) with `args` after "--headless",
// after putting `dataFiles` into the data folder. Without `headless`, the
// program gets `args` alone.
inline SessionResult RunSession(const std::string& program, const std::string& script,
                                const std::vector<std::string>& args = {},
                                const Files& dataFiles = {}, bool headless = true,
                                const SessionOptions& options = {}) {
  SessionResult result;
  result.dataFolder = std::make_shared<TempFolder>();
  result.windowsFolder = std::make_shared<TempFolder>();
  const TempFolder io;
  for (const std::string& name : options.folders) mkdir((*result.dataFolder / name).c_str(), 0700);
  for (const auto& [name, bytes] : dataFiles) WriteHostFile(*result.dataFolder / name, bytes);
  for (const std::string& name : options.readOnly) {
    const std::string path = *result.dataFolder / name;
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) chmod(path.c_str(), st.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH));
  }
  WriteHostFile(io / "script", script);

  const int scriptFd = open((io / "script").c_str(), O_RDONLY);
  const pid_t pid = StartHeadless({.program = program,
                                   .args = args,
                                   .headless = headless,
                                   .dataFolder = result.dataFolder->path(),
                                   .windowsFolder = result.windowsFolder->path(),
                                   .input = scriptFd,
                                   .output = io / "out",
                                   .errors = io / "err",
                                   .fileSizeLimit = options.fileSizeLimit});
  if (scriptFd >= 0) close(scriptFd);
  int wstatus = 0;
  if (pid > 0 && waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus)) {
    result.status = WEXITSTATUS(wstatus);
  }
  result.transcript = ReadHostFile(io / "out");
  result.errors = ReadHostFile(io / "err");
  return result;
}

// The program itself (not a stand-in) headless on `script`; every test program
// is built knowing where it is (KRN_BINARY).
inline SessionResult Krn(const std::string& script, const std::vector<std::string>& args = {},
                         const Files& dataFiles = {}, const SessionOptions& options = {}) {
  return RunSession(KRN_BINARY, script, args, dataFiles, true, options);
}

// The program itself started with exactly `args` (no "--headless" added), on an
// empty standard input: for what its command line alone decides.
inline SessionResult KrnCommand(const std::vector<std::string>& args) {
  return RunSession(KRN_BINARY, "", args, {}, false);
}

// The contents of a file the program ships (data/ at the top of the source tree).
inline std::string ShippedFile(const std::string& name) {
  const std::string testData = KRN_TEST_DATA;  // <source>/tests/data
  return ReadHostFile(testData.substr(0, testData.rfind("/tests/")) + "/data/" + name);
}

// The sample job's files, as copies for a session's data folder.
inline Files SampleJob() {
  return {{"SAMPLE.PRN", ShippedFile("SAMPLE.PRN")}, {"SAMPLE.SEN", ShippedFile("SAMPLE.SEN")}};
}

// ---- Checks on a transcript ----

// The expected lines appear in the transcript in this order (others may lie between).
inline ::testing::AssertionResult InOrder(const SessionResult& session,
                                          const std::vector<std::string>& expected) {
  const std::vector<std::string> lines = session.Lines();
  size_t at = 0;
  for (const std::string& line : expected) {
    while (at < lines.size() && lines[at] != line) ++at;
    if (at == lines.size()) {
      return ::testing::AssertionFailure()
             << "missing or out of order: \"" << line << "\"\ntranscript:\n"
             << session.transcript << "\nerrors:\n" << session.errors;
    }
    ++at;
  }
  return ::testing::AssertionSuccess();
}

// True when a line of the transcript contains `part`.
inline bool HasLineContaining(const SessionResult& session, const std::string& part) {
  for (const std::string& line : session.Lines()) {
    if (line.find(part) != std::string::npos) return true;
  }
  return false;
}

// True when a line of the transcript starts with `start`.
inline bool HasLineStartingWith(const SessionResult& session, const std::string& start) {
  for (const std::string& line : session.Lines()) {
    if (line.starts_with(start)) return true;
  }
  return false;
}

}  // namespace scripted
