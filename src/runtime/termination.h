// Ending on a termination signal without leaving half-written files behind.
//
// Every temporary file that a writer makes beside its target (files.h,
// graphics_target.h) is registered here while it exists. SIGTERM, SIGINT and
// SIGHUP, and a SIGXFSZ sent by another process, end the program at once: the
// handler removes every registered temporary file, says on standard error which
// signal ended the program, and exits with status 128 + the signal's number. The
// targets keep what they held, since only a finished file is renamed over one.
//
// A SIGXFSZ that the kernel raises for the program's own write (a file past the
// size limit, RLIMIT_FSIZE) ends nothing: that write fails with EFBIG, which the
// writer reports as a full disk (error 61), so the save is refused like any
// other and the job in memory stays.
#pragma once

#include <signal.h>

#include <string>

namespace rt {

// Installs the handlers. SIGINT and SIGHUP stay ignored when the program was
// started with them ignored (in the background, under nohup).
void InstallTerminationHandlers();

// Registers a temporary file by its host path (a relative path is taken from the
// current folder now). Returns its slot, or -1 when the path is too long or every
// slot is taken (the file is then not removed by a signal).
int RegisterTemporary(const std::string& hostPath);
// Forgets a registration (a slot of -1 is ignored). Call it once the file was
// renamed into place or removed.
void ForgetTemporary(int slot);

// Holds the termination signals back for its lifetime; one that came meanwhile
// is handled when it ends. Around the few steps that must not be cut in two:
// making a temporary file and registering it, renaming files that belong together.
class HoldTerminationSignals {
 public:
  HoldTerminationSignals();
  ~HoldTerminationSignals();
  HoldTerminationSignals(const HoldTerminationSignals&) = delete;
  HoldTerminationSignals& operator=(const HoldTerminationSignals&) = delete;

 private:
  sigset_t before_;
};

}  // namespace rt
