// A termination signal in the middle of writing files: the program ends at once,
// says why, and leaves neither a temporary file nor a changed target behind.
#include "runtime/termination.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/runtime.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

struct Ended {
  int status = -1;     // exit status; -1 when the child did not exit
  int signal = 0;      // the signal that killed it, if one did
  std::string errors;  // its standard error
};

// Runs `prepare` in a child with the termination handlers installed, then,
// once it is done, sends it `signal` from this process and waits for its end.
Ended SignalWhileWriting(const TempFolder& dir, int signal, const std::function<void()>& prepare) {
  int ready[2];
  EXPECT_EQ(pipe(ready), 0);
  const std::string errors = dir / "stderr.txt";
  const pid_t pid = fork();
  if (pid == 0) {
    close(ready[0]);
    const int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(err, STDERR_FILENO);
    rt::InstallTerminationHandlers();
    Runtime runtime;
    RuntimeScope scope(runtime);
    prepare();
    [[maybe_unused]] const ssize_t n = write(ready[1], "x", 1);
    for (;;) pause();
  }
  close(ready[1]);
  char byte = 0;
  EXPECT_EQ(read(ready[0], &byte, 1), 1);
  close(ready[0]);
  kill(pid, signal);
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  Ended ended;
  if (WIFEXITED(wstatus)) ended.status = WEXITSTATUS(wstatus);
  if (WIFSIGNALED(wstatus)) ended.signal = WTERMSIG(wstatus);
  ended.errors = ReadHostFile(errors);
  fs::remove(errors);
  return ended;
}

std::vector<std::string> Entries(const TempFolder& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir.path())) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Termination, ASignalRemovesTheFilesBeingWrittenAndSaysWhy) {
  struct Case {
    int signal;
    const char* name;
  };
  for (const Case c : {Case{SIGTERM, "SIGTERM"}, Case{SIGINT, "SIGINT"}, Case{SIGHUP, "SIGHUP"},
                       Case{SIGXFSZ, "SIGXFSZ"}}) {
    SCOPED_TRACE(c.name);
    TempFolder dir;
    WriteHostFile(dir / "JOB.PRN", "old points");
    WriteHostFile(dir / "JOB.SEN", "old lines");
    // The pair half committed: the point file written and held, the line file
    // still open; a report being written on its own beside them.
    const Ended ended = SignalWhileWriting(dir, c.signal, [&] {
      new RtFileGroup;  // open until the signal comes
      RtOpen(1, dir / "JOB.PRN", RtFileMode::Output);
      RtPrintToFile(1, "new points");
      RtClose(1);
      RtOpen(1, dir / "JOB.SEN", RtFileMode::Output);
      RtPrintToFile(1, "new lines");
      RtOpen(5, dir / "PRINTR.DAT", RtFileMode::Output);
      RtPrintToFile(5, std::string(100000, 'r'));  // past the buffer: on disk
    });
    EXPECT_EQ(ended.signal, 0);
    EXPECT_EQ(ended.status, 128 + c.signal);
    EXPECT_NE(ended.errors.find(std::string("krn: ended by ") + c.name), std::string::npos)
        << ended.errors;
    EXPECT_EQ(ReadHostFile(dir / "JOB.PRN"), "old points");
    EXPECT_EQ(ReadHostFile(dir / "JOB.SEN"), "old lines");
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"JOB.PRN", "JOB.SEN"}));
  }
}

// The kernel's SIGXFSZ for the program's own write past the file size limit
// ends nothing: the write fails as on a full disk, and the program goes on.
TEST(Termination, TheProgramsOwnWritePastTheSizeLimitOnlyFailsThatWrite) {
  TempFolder dir;
  WriteHostFile(dir / "JOB.PRN", "old points");
  const pid_t pid = fork();
  if (pid == 0) {
    rt::InstallTerminationHandlers();
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limit);
    Runtime runtime;
    RuntimeScope scope(runtime);
    const int error = RaisedError([&] {
      RtOpen(1, dir / "JOB.PRN", RtFileMode::Output);
      for (int k = 0; k < 1000; ++k) RtPrintToFile(1, std::string(98, 'x'));
      RtClose(1);
    });
    // Still running, and a small file can still be written.
    RtOpen(1, dir / "SMALL.TXT", RtFileMode::Output);
    RtPrintToFile(1, "small");
    RtClose(1);
    _exit(error == kErrDiskFull ? 0 : 10);
  }
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  ASSERT_TRUE(WIFEXITED(wstatus));
  EXPECT_EQ(WEXITSTATUS(wstatus), 0);
  EXPECT_EQ(ReadHostFile(dir / "JOB.PRN"), "old points");
  EXPECT_EQ(ReadHostFile(dir / "SMALL.TXT"), "small\r\n");
  EXPECT_EQ(Entries(dir), (std::vector<std::string>{"JOB.PRN", "SMALL.TXT"}));
}

}  // namespace
