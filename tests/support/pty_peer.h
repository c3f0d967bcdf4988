// A pseudo-terminal pair with a small peer that plays an instrument on the far
// side: it answers each line it receives with the next scripted reply (or stays
// silent), keeps every byte it got and reads back the port settings the program
// left on the device.
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
#include <vector>

class PtyPeer {
 public:
  // `replies[i]` answers the i-th line received (CR LF is added); a missing or
  // empty optional is no answer.
  explicit PtyPeer(std::vector<std::optional<std::string>> replies = {})
      : replies_(std::move(replies)) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
      throw std::runtime_error("no pseudo-terminal");
    }
    device_ = ptsname(master_);
    // Held open so that the device and its settings outlive each conversation.
    slave_ = open(device_.c_str(), O_RDWR | O_NOCTTY);
    thread_ = std::thread([this] { Run(); });
  }
  ~PtyPeer() {
    stop_ = true;
    thread_.join();
    close(slave_);
    close(master_);
  }
  PtyPeer(const PtyPeer&) = delete;
  PtyPeer& operator=(const PtyPeer&) = delete;

  const std::string& device() const { return device_; }

  // Every byte received so far, once at least `atLeast` bytes came (waiting up
  // to two seconds: the peer reads on its own thread).
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
  // The device's settings as they stood when the first line arrived.
  std::optional<termios> SettingsSeen() {
    std::lock_guard lock(mutex_);
    return settings_;
  }

 private:
  void Run() {
    std::size_t lines = 0;
    while (!stop_) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 10) <= 0 || !(p.revents & POLLIN)) continue;
      char buffer[256];
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n <= 0) continue;
      for (ssize_t i = 0; i < n; ++i) {
        {
          std::lock_guard lock(mutex_);
          received_ += buffer[i];
          if (buffer[i] == '\n' && !settings_) {
            termios t{};
            if (tcgetattr(master_, &t) == 0) settings_ = t;
          }
        }
        if (buffer[i] != '\n') continue;
        if (lines < replies_.size() && replies_[lines]) {
          const std::string answer = *replies_[lines] + "\r\n";
          (void)!write(master_, answer.data(), answer.size());
        }
        ++lines;
      }
    }
  }

  std::vector<std::optional<std::string>> replies_;
  int master_ = -1;
  int slave_ = -1;
  std::string device_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::string received_;
  std::optional<termios> settings_;
  std::thread thread_;
};
