#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct SoundState {
  // Every multimedia command as the program sent it (CP932).
  std::vector<std::string> commands;
  // Players still running, collected when they have ended.
  std::vector<pid_t> players;
};
