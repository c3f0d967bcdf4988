// Tests of the desktop: a display to run on, and a child process to run in.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

namespace testing_support {

// A display for this test program: an Xvfb server started for it (and ended
// with it), or, without Xvfb, the display named in DISPLAY.
class TestDisplay {
 public:
  // Names the display in DISPLAY; false when there is none to be had (the
  // caller skips its test then).
  static bool Ready() {
    static TestDisplay display;
    return display.ready_;
  }

 private:
  TestDisplay() {
    const std::string started = StartXvfb();
    if (!started.empty()) setenv("DISPLAY", started.c_str(), 1);
    const char* display = getenv("DISPLAY");
    ready_ = display && *display;
  }
  ~TestDisplay() {
    if (server_ > 0) {
      kill(server_, SIGTERM);
      waitpid(server_, nullptr, 0);
    }
  }

  // Starts Xvfb on a free display; its name (":N"), or empty when it cannot start.
  std::string StartXvfb() {
    int fds[2];
    if (pipe(fds) != 0) return {};
    server_ = fork();
    if (server_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlives a test program killed on time-out
      close(fds[0]);
      const int devNull = open("/dev/null", O_WRONLY);
      dup2(devNull, STDERR_FILENO);
      const std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
             "1280x1024x24", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd ready{fds[0], POLLIN, 0};
    char c = 0;
    while (server_ > 0 && poll(&ready, 1, 10000) == 1 && read(fds[0], &c, 1) == 1 && c != '\n') {
      number += c;
    }
    close(fds[0]);
    if (number.empty()) return {};
    return ":" + number;
  }

  pid_t server_ = -1;
  bool ready_ = false;
};

// Runs `body` in a child process of the test and fails the test when the body
// failed there (its failures are reported from the child as usual). GTK and
// D-Bus keep allocations for the life of a process that the leak checker would
// report as the test's; a child that ends with _exit is not checked.
inline void InChildProcess(const std::function<void()>& body) {
  std::fflush(nullptr);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    body();
    std::fflush(nullptr);
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "the test failed in its child process (status " << status << ")";
}

}  // namespace testing_support
