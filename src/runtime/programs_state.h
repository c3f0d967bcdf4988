#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// One request to start an outside program, as the program made it.
struct ProgramCall {
  std::string program;    // CP932, as given
  std::string parameter;  // CP932, as given
  bool wait = false;
  int showCommand = 8;
  // The host command that was started (UTF-8); empty when nothing was started.
  std::vector<std::string> hostCommand;
};

struct ProgramState {
  std::vector<ProgramCall> calls;
  // Programs started without waiting, collected when they have ended.
  std::vector<pid_t> running;
};
