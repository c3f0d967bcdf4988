// A terminal session: the program headless with a pseudo-terminal as its
// standard input (echo off, as if the person's typing went to the terminal
// only) and its output in a file. The program reads each line as it waits for
// it, so a test can type, wait for what the program writes, and look at the
// folders while the program runs.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/temp_folder.h"
#include "scripted/session.h"

namespace scripted {

class TerminalSession {
 public:
  // Starts the program with `args` after "--headless", after putting
  // `dataFiles` into the data folder, `windowsFiles` into the Windows folder and
  // making the folders `windowsSubfolders` there.
  explicit TerminalSession(const std::vector<std::string>& args = {},
                           const Files& dataFiles = {}, const Files& windowsFiles = {},
                           const std::vector<std::string>& windowsSubfolders = {}) {
    for (const auto& [name, bytes] : dataFiles) WriteHostFile(data / name, bytes);
    for (const auto& [name, bytes] : windowsFiles) WriteHostFile(windows / name, bytes);
    for (const std::string& name : windowsSubfolders) {
      std::filesystem::create_directory(windows / name);
    }
    const int terminal = OpenTerminal();
    if (terminal < 0) return;
    pid_ = StartHeadless({.program = KRN_BINARY,
                          .args = args,
                          .dataFolder = data.path(),
                          .windowsFolder = windows.path(),
                          .input = terminal,
                          .output = io / "out",
                          .errors = io / "err"});
    close(terminal);
  }
  ~TerminalSession() {
    if (pid_ > 0 && status_ < 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
  }
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;

  bool Started() const { return pid_ > 0; }

  // Waits until the output, after what an earlier wait found, holds `text`.
  bool WaitFor(const std::string& text) {
    for (int poll = 0; poll < kPolls; ++poll) {
      if (const size_t at = Output().find(text, searched_); at != std::string::npos) {
        searched_ = at + text.size();
        return true;
      }
      usleep(kPollMicroseconds);
    }
    return false;
  }

  void Type(const std::string& line) {
    const std::string bytes = line + "\n";
    EXPECT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // Ctrl-D at the start of a line: the end of the input.
  void EndInput() { EXPECT_EQ(write(master_, "\x04", 1), 1); }

  // Waits for the program to end; its exit status, -1 when it did not end in time.
  int Finish() {
    for (int poll = 0; status_ < 0 && poll < kPolls; ++poll) {
      int wstatus = 0;
      if (waitpid(pid_, &wstatus, WNOHANG) == pid_) {
        status_ = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128;
        break;
      }
      usleep(kPollMicroseconds);
    }
    return status_;
  }

  std::string Output() const { return ReadHostFile(io / "out"); }
  std::string Errors() const { return ReadHostFile(io / "err"); }

  TempFolder data;
  TempFolder windows;
  TempFolder io;

 private:
  // Waits give up after 30 seconds.
  static constexpr int kPollMicroseconds = 10000;
  static constexpr int kPolls = 3000;

  // Opens the pseudo-terminal: keeps its master side (which the program does
  // not inherit) and returns its terminal side with echo off, -1 on failure.
  int OpenTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0 ||
        fcntl(master_, F_SETFD, FD_CLOEXEC) != 0) {
      return -1;
    }
    const int terminal = open(ptsname(master_), O_RDWR | O_NOCTTY);
    if (terminal < 0) return -1;
    termios modes{};
    tcgetattr(terminal, &modes);
    modes.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(terminal, TCSANOW, &modes);
    return terminal;
  }

  int master_ = -1;
  pid_t pid_ = -1;
  int status_ = -1;
  size_t searched_ = 0;
};

}  // namespace scripted
