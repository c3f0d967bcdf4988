// A pseudo-terminal with a peer that streams: once the program has opened the
// port (the device's settings turned raw, and the opening's discard of old
// bytes is past), it sends its bytes in one go; meanwhile it keeps every byte it
// receives and the port settings the program left on the device.
#pragma once

#include <string>
#include <utility>

#include "support/pty_end.h"

class PtyStream : public PtyEnd {
 public:
  explicit PtyStream(std::string stream = {}) : stream_(std::move(stream)) {
    Start([this] { Run(); });
  }
  ~PtyStream() { Stop(); }

  // The device's settings when the program had opened it (waiting up to two
  // seconds for the opening to be seen).
  std::optional<termios> SettingsSeen() {
    for (int i = 0; i < 200; ++i) {
      {
        std::lock_guard lock(mutex_);
        if (settings_) return settings_;
      }
      usleep(10000);
    }
    return std::nullopt;
  }

 private:
  void Run() {
    bool sent = false;
    while (!Stopping()) {
      if (!sent) {
        const std::optional<termios> t = SettingsNow();
        if (t && !(t->c_lflag & ICANON)) {
          {
            std::lock_guard lock(mutex_);
            settings_ = t;
          }
          usleep(100000);  // past the opening's discard
          if (!stream_.empty()) Send(stream_);
          sent = true;
        }
      }
      char buffer[256];
      const std::size_t n = ReadSome(buffer, sizeof buffer);
      if (n == 0) continue;
      std::lock_guard lock(mutex_);
      received_.append(buffer, n);
    }
  }

  std::string stream_;
};
