#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

namespace rt {
// The desktop's sound service (desktop_sound.cpp).
struct EventSounds;
struct EventSoundsDeleter {
  void operator()(EventSounds* sounds) const;
};
}  // namespace rt

struct SoundState {
  // Every multimedia command as the program sent it (CP932).
  std::vector<std::string> commands;
  // Players still running, collected when they have ended.
  std::vector<pid_t> players;
  // The desktop's event sounds, opened at the first sound played there.
  std::unique_ptr<rt::EventSounds, rt::EventSoundsDeleter> eventSounds;
};
