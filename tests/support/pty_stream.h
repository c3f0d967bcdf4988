// A pseudo-terminal with a peer that streams: once the program has opened the
// port (the device's settings turned raw, and the opening's discard of old
// bytes is past), it sends its bytes in one go; meanwhile it keeps every byte it
// receives and the port settings the program left on the device.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

class PtyStream {
 public:
  explicit PtyStream(std::string stream = {}) : stream_(std::move(stream)) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
      throw std::runtime_error("no pseudo-terminal");
    }
    device_ = ptsname(master_);
    // Held open so that the device and its settings outlive each conversation.
    slave_ = open(device_.c_str(), O_RDWR | O_NOCTTY);
    thread_ = std::thread([this] { Run(); });
  }
  ~PtyStream() {
    stop_ = true;
    thread_.join();
    close(slave_);
    close(master_);
  }
  PtyStream(const PtyStream&) = delete;
  PtyStream& operator=(const PtyStream&) = delete;

  const std::string& device() const { return device_; }

  // Every byte received so far, once at least `atLeast` came (waiting up to two
  // seconds).
  std::string Received(std::size_t atLeast = 0) {
    for (int i = 0; i < 200; ++i) {
      {
        std::lock_guard lock(mutex_);
        if (received_.size() >= atLeast) break;
      }
      usleep(10000);
    }
    std::lock_guard lock(mutex_);
    return received_;
  }
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
    while (!stop_) {
      if (!sent) {
        termios t{};
        if (tcgetattr(master_, &t) == 0 && !(t.c_lflag & ICANON)) {
          {
            std::lock_guard lock(mutex_);
            settings_ = t;
          }
          usleep(100000);  // past the opening's discard
          if (!stream_.empty()) (void)!write(master_, stream_.data(), stream_.size());
          sent = true;
        }
      }
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 10) <= 0 || !(p.revents & POLLIN)) continue;
      char buffer[256];
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n <= 0) continue;
      std::lock_guard lock(mutex_);
      received_.append(buffer, static_cast<std::size_t>(n));
    }
  }

  std::string stream_;
  int master_ = -1;
  int slave_ = -1;
  std::string device_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::string received_;
  std::optional<termios> settings_;
  std::thread thread_;
};
