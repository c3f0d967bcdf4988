#include "runtime/termination.h"

#include <limits.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace {

// The registry is read by the signal handler, so it is plain memory of fixed
// size: a slot's path is complete before its flag says it is in use.
constexpr int kSlots = 32;
char gPaths[kSlots][PATH_MAX];
volatile sig_atomic_t gInUse[kSlots];

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGXFSZ};

const char* SignalName(int signal) {
  switch (signal) {
    case SIGTERM: return "SIGTERM";
    case SIGINT: return "SIGINT";
    case SIGHUP: return "SIGHUP";
    default: return "SIGXFSZ";
  }
}

void WriteText(const char* text) {
  // Nothing is left to do about a message that cannot be written.
  [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, text, std::strlen(text));
}

// A SIGXFSZ that the kernel sent for the program's own write. It comes as
// SI_USER with the program's own process id; another process's kill has its own.
bool IsOwnFileSizeSignal(int signal, const siginfo_t* info) {
  return signal == SIGXFSZ && info != nullptr && info->si_code == SI_USER &&
         info->si_pid == getpid();
}

// Only async-signal-safe calls: unlink, write, _exit.
void OnTerminationSignal(int signal, siginfo_t* info, void*) {
  if (IsOwnFileSizeSignal(signal, info)) return;  // the write fails with EFBIG
  for (int i = 0; i < kSlots; ++i) {
    if (gInUse[i]) unlink(gPaths[i]);
  }
  WriteText("krn: ended by ");
  WriteText(SignalName(signal));
  WriteText("; files being written were removed, saved files are as they were\n");
  _exit(128 + signal);
}

bool StartedIgnored(int signal) {
  struct sigaction current {};
  return sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

}  // namespace

namespace rt {

void InstallTerminationHandlers() {
  struct sigaction action {};
  action.sa_sigaction = OnTerminationSignal;
  action.sa_flags = SA_SIGINFO | SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (int signal : kSignals) sigaddset(&action.sa_mask, signal);
  for (int signal : kSignals) {
    if ((signal == SIGINT || signal == SIGHUP) && StartedIgnored(signal)) continue;
    sigaction(signal, &action, nullptr);
  }
}

int RegisterTemporary(const std::string& hostPath) {
  std::string path = hostPath;
  if (!path.starts_with('/')) {
    char folder[PATH_MAX];
    if (getcwd(folder, sizeof folder) == nullptr) return -1;
    path = std::string(folder) + "/" + path;
  }
  if (path.size() >= PATH_MAX) return -1;
  for (int i = 0; i < kSlots; ++i) {
    if (gInUse[i]) continue;
    std::memcpy(gPaths[i], path.c_str(), path.size() + 1);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    gInUse[i] = 1;
    return i;
  }
  return -1;
}

void ForgetTemporary(int slot) {
  if (slot >= 0 && slot < kSlots) gInUse[slot] = 0;
}

HoldTerminationSignals::HoldTerminationSignals() {
  sigset_t held;
  sigemptyset(&held);
  for (int signal : kSignals) sigaddset(&held, signal);
  sigprocmask(SIG_BLOCK, &held, &before_);
}

HoldTerminationSignals::~HoldTerminationSignals() { sigprocmask(SIG_SETMASK, &before_, nullptr); }

}  // namespace rt
