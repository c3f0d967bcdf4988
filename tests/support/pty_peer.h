// A pseudo-terminal pair with a small peer that plays an instrument on the far
// side: it answers each line it receives with the next scripted reply (or stays
// silent), keeps every byte it got and reads back the port settings the program
// left on the device.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/pty_end.h"

class PtyPeer : public PtyEnd {
 public:
  // `replies[i]` answers the i-th line received (CR LF is added); a missing or
  // empty optional is no answer.
  explicit PtyPeer(std::vector<std::optional<std::string>> replies = {})
      : replies_(std::move(replies)) {
    Start([this] { Run(); });
  }
  ~PtyPeer() { Stop(); }

  // The device's settings as they stood when the first line arrived.
  std::optional<termios> SettingsSeen() {
    std::lock_guard lock(mutex_);
    return settings_;
  }

 private:
  void Run() {
    std::size_t lines = 0;
    while (!Stopping()) {
      char buffer[256];
      const std::size_t n = ReadSome(buffer, sizeof buffer);
      for (std::size_t i = 0; i < n; ++i) {
        {
          std::lock_guard lock(mutex_);
          received_ += buffer[i];
          if (buffer[i] == '\n' && !settings_) settings_ = SettingsNow();
        }
        if (buffer[i] != '\n') continue;
        if (lines < replies_.size() && replies_[lines]) Send(*replies_[lines] + "\r\n");
        ++lines;
      }
    }
  }

  std::vector<std::optional<std::string>> replies_;
};
