// The test's end of a pseudo-terminal pair: the program opens the device, a
// peer on its own thread reads and writes the master side, keeps every byte it
// received and the port settings the program left on the device. The peers
// (`PtyPeer`, `PtyStream`) say what the far side does.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

class PtyEnd {
 public:
  PtyEnd(const PtyEnd&) = delete;
  PtyEnd& operator=(const PtyEnd&) = delete;

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

 protected:
  PtyEnd() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
      throw std::runtime_error("no pseudo-terminal");
    }
    device_ = ptsname(master_);
    // Held open so that the device and its settings outlive each conversation.
    slave_ = open(device_.c_str(), O_RDWR | O_NOCTTY);
  }
  // A peer calls Stop in its own destructor, before its members go.
  ~PtyEnd() {
    Stop();
    close(slave_);
    close(master_);
  }

  // Runs the peer's loop on its own thread until Stop.
  void Start(std::function<void()> loop) { thread_ = std::thread(std::move(loop)); }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  bool Stopping() const { return stop_; }

  // Up to `size` bytes that arrived within 10 ms; 0 when none did.
  std::size_t ReadSome(char* buffer, std::size_t size) {
    pollfd p{master_, POLLIN, 0};
    if (poll(&p, 1, 10) <= 0 || !(p.revents & POLLIN)) return 0;
    const ssize_t n = read(master_, buffer, size);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
  }
  void Send(const std::string& bytes) { (void)!write(master_, bytes.data(), bytes.size()); }
  // The device's settings as they stand now, or none.
  std::optional<termios> SettingsNow() const {
    termios t{};
    if (tcgetattr(master_, &t) != 0) return std::nullopt;
    return t;
  }

  std::mutex mutex_;  // guards received_ and settings_
  std::string received_;
  std::optional<termios> settings_;

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string device_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
