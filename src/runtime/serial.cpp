#include "runtime/serial.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <time.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <memory>

#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/files_state.h"
#include "runtime/runtime.h"

namespace {

constexpr int kPorts = 10;


speed_t SpeedSetting(int baud) {
  switch (baud) {
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B0;
  }
}

bool ParseInt(std::string_view text, int& value) {
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value >= 0;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The letters of the format item by position.
bool ParseFormatLetters(std::string_view item, rt::ComOptions& o) {
  if (item.size() > 6) return false;
  for (std::size_t i = 0; i < item.size(); ++i) {
    const char c = Upper(item[i]);
    switch (i) {
      case 0:
        if (c != 'F' && c != 'S' && c != 'X') return false;
        o.mode = c;
        break;
      case 1:
        if (c < '4' || c > '8') return false;
        o.dataBits = c - '0';
        break;
      case 2:
        if (std::string_view("NEOMS").find(c) == std::string_view::npos) return false;
        o.parity = c;
        break;
      case 3:
        if (c != '1' && c != '2' && c != '.') return false;
        o.stopBits = c;
        break;
      case 4:
        if (c != 'X' && c != 'N') return false;
        o.xonXoff = c == 'X';
        break;
      default:
        if (c != '7' && c != '8') return false;
        o.codeBits = c - '0';
        break;
    }
  }
  return true;
}

bool ParseOption(std::string_view item, rt::ComOptions& o) {
  if (item.size() < 3) return false;
  const std::string key{Upper(item[0]), Upper(item[1])};
  int* target = key == "RB"   ? &o.receiveBuffer
                : key == "RD" ? &o.receiveTimeoutMs
                : key == "SB" ? &o.sendBuffer
                : key == "SD" ? &o.sendTimeoutMs
                              : nullptr;
  return target != nullptr && ParseInt(item.substr(2), *target);
}

class SerialChannel final : public RtChannel {
 public:
  SerialChannel(int fd, int timeoutMs, int sendTimeoutMs)
      : fd_(fd), timeoutMs_(timeoutMs), sendTimeoutMs_(sendTimeoutMs) {}
  ~SerialChannel() override {
    if (fd_ >= 0) ::close(fd_);
  }

  int Peek() override {
    if (pending_ < 0) {
      pending_ = Receive(timeoutMs_);
      if (pending_ < 0) RtRaise(kErrCommTimeout);
    }
    return pending_;
  }

  int Get() override {
    const int b = Peek();
    pending_ = -1;
    return b;
  }

  // Nothing is waiting at this moment.
  bool AtEnd() override { return !Await(0, false); }
  // A read waits for the next byte: a port never runs out.
  bool Exhausted() override { return false; }

  // The bytes up to CR; LF is dropped wherever it stands.
  std::string ReadLine() override {
    std::string line;
    for (;;) {
      const int c = Next();
      if (c == '\r') return line;
      if (c != '\n') line += static_cast<char>(c);
    }
  }

  std::string ReadField() override { return rt::PortFieldOfLine(ReadLine()); }

  // True when a byte comes within `ms` (it is kept for the next read); with
  // `skipLineFeeds` an LF that comes meanwhile is taken and the wait goes on.
  bool Await(int ms, bool skipLineFeeds) {
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    for (;;) {
      if (pending_ < 0) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const long spent = (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000;
        pending_ = Receive(spent >= ms ? 0 : static_cast<int>(ms - spent));
      }
      if (pending_ != '\n' || !skipLineFeeds) return pending_ >= 0;
      pending_ = -1;
    }
  }

  void Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n > 0) {
        bytes.remove_prefix(static_cast<std::size_t>(n));
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno == EAGAIN) {
        // Held back by the peer's XOFF or a full buffer: wait, up to the send
        // time-out when there is one.
        pollfd p{fd_, POLLOUT, 0};
        if (::poll(&p, 1, sendTimeoutMs_ > 0 ? sendTimeoutMs_ : -1) > 0) continue;
      }
      RtRaise(kErrDeviceFault);
    }
  }

  long Length() override { return 0; }

  void Close() override {
    if (fd_ < 0) return;
    ::close(fd_);  // the driver sends what is still queued
    fd_ = -1;
  }

 private:
  // The next byte, waited for up to the time-out (error 78 when none comes).
  int Next() {
    int b = pending_;
    pending_ = -1;
    if (b < 0) b = Receive(timeoutMs_);
    if (b < 0) RtRaise(kErrCommTimeout);
    return b;
  }

  // The next byte within `ms` milliseconds (0: at once, -1: no limit), or -1.
  int Receive(int ms) {
    for (;;) {
      pollfd p{fd_, POLLIN, 0};
      const int ready = ::poll(&p, 1, ms);
      if (ready < 0 && errno == EINTR) continue;
      if (ready <= 0) return -1;
      unsigned char byte = 0;
      const ssize_t n = ::read(fd_, &byte, 1);
      if (n == 1) return byte;
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      return -1;  // the line is gone (hang-up): nothing more comes
    }
  }

  int fd_;
  int timeoutMs_;  // -1: no limit
  int sendTimeoutMs_;
  int pending_ = -1;
};

}  // namespace

void RtComSpeed(int index, int baud, std::source_location where) {
  if (index < 0 || index >= kPorts || SpeedSetting(baud) == B0) RtRaise(kErrIllegalArgument, where);
  CurrentRuntime().files->comSpeed[static_cast<std::size_t>(index)] = baud;
}

void RtComTimeoutCap(int ms) { CurrentRuntime().files->comTimeoutCapMs = ms < 0 ? 0 : ms; }

std::string RtComDevice(int index) {
  const std::string variable = "KRN_COM" + std::to_string(index + 1);
  if (const char* device = std::getenv(variable.c_str()); device != nullptr && *device != '\0') {
    return device;
  }
  return "/dev/ttyS" + std::to_string(index);
}

bool RtComAwait(int n, int ms, bool skipLineFeeds, std::source_location where) {
  FileTable& table = *CurrentRuntime().files;
  if (n < 1 || n > FileTable::kMaxNumber || !table.channels[static_cast<std::size_t>(n)]) {
    RtRaise(kErrFileNotOpen, where);
  }
  RtChannel& channel = *table.channels[static_cast<std::size_t>(n)];
  const int cap = table.comTimeoutCapMs;
  if (cap > 0 && ms > cap) ms = cap;
  if (auto* port = dynamic_cast<SerialChannel*>(&channel)) return port->Await(ms < 0 ? 0 : ms, skipLineFeeds);
  return !channel.AtEnd();
}

namespace rt {

bool ParseComOptions(std::string_view name, ComOptions& o) {
  o = ComOptions{};
  if (!IsComName(name)) return false;
  const std::size_t colon = name.find(':');
  if (!ParseInt(name.substr(3, colon - 3), o.index) || o.index >= kPorts) return false;
  std::string_view rest = name.substr(colon + 1);
  if (rest.empty()) return true;
  if (rest.size() < 2 || rest.front() != '(' || rest.back() != ')') return false;
  rest = rest.substr(1, rest.size() - 2);
  bool first = true;
  for (;;) {
    const std::size_t comma = rest.find(',');
    const std::string_view item = rest.substr(0, comma);
    if (first ? !ParseFormatLetters(item, o) : !ParseOption(item, o)) return false;
    first = false;
    if (comma == std::string_view::npos) return true;
    rest = rest.substr(comma + 1);
  }
}

std::string PortFieldOfLine(std::string_view line) {
  const std::size_t start = line.find_first_not_of(' ');
  if (start == std::string_view::npos) return {};
  line.remove_prefix(start);
  if (line.front() == '"') {
    line.remove_prefix(1);
    return std::string(line.substr(0, line.find('"')));
  }
  // Commas and colons are single bytes that no trail byte of CP932 can be.
  const std::size_t cut = line.find_first_of(",:");
  if (cut != std::string_view::npos) return std::string(line.substr(0, cut));
  return std::string(line.substr(0, line.find_last_not_of(' ') + 1));
}

bool IsComName(std::string_view name) {
  if (name.size() < 5 || (name.substr(0, 3) != "COM" && name.substr(0, 3) != "com")) return false;
  std::size_t i = 3;
  while (i < name.size() && name[i] >= '0' && name[i] <= '9') ++i;
  return i > 3 && i < name.size() && name[i] == ':';
}

bool OpenCom(int n, std::string_view name, std::source_location where) {
  ComOptions format;
  if (!ParseComOptions(name, format)) RtRaise(kErrBadFileName, where);
  if (format.dataBits < 5) {
    RtPrintStr(" " + std::to_string(format.dataBits) + " ﾋﾞｯﾄのﾃﾞｰﾀは設定できません", true);
    RtRaise(kErrIllegalArgument, where);
  }
  const std::string device = RtComDevice(format.index);
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  termios tio{};
  if (fd < 0 || ::tcgetattr(fd, &tio) != 0) {
    if (fd >= 0) ::close(fd);
    RtPrintStr(" " + device + " を開けません", true);
    RtRaise(kErrDeviceUnavailable, where);
  }
  int timeout = format.receiveTimeoutMs;
  const int cap = CurrentRuntime().files->comTimeoutCapMs;
  if (cap > 0 && (timeout == 0 || timeout > cap)) timeout = cap;
  auto channel = std::make_unique<SerialChannel>(fd, timeout == 0 ? -1 : timeout,
                                                 format.sendTimeoutMs);

  ::cfmakeraw(&tio);
  const int baud = CurrentRuntime().files->comSpeed[static_cast<std::size_t>(format.index)];
  const speed_t speed = SpeedSetting(baud == 0 ? 1200 : baud);
  ::cfsetispeed(&tio, speed);
  ::cfsetospeed(&tio, speed);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
  tio.c_cflag |= kSizes[format.dataBits - 5] | CLOCAL | CREAD;
  switch (format.parity) {
    case 'E': tio.c_cflag |= PARENB; break;
    case 'O': tio.c_cflag |= PARENB | PARODD; break;
    case 'M': tio.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case 'S': tio.c_cflag |= PARENB | CMSPAR; break;
    default: break;
  }
  if (format.stopBits != '1') tio.c_cflag |= CSTOPB;
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  if (format.xonXoff) tio.c_iflag |= IXON | IXOFF;
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  tio.c_cc[VSTART] = 0x11;
  tio.c_cc[VSTOP] = 0x13;
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
    RtPrintStr(" " + device + " を設定できません", true);
    RtRaise(kErrDeviceUnavailable, where);
  }
  // RTS and DTR on; a device without modem lines (a pseudo-terminal) refuses
  // this, which does no harm.
  int lines = TIOCM_RTS | TIOCM_DTR;
  ::ioctl(fd, TIOCMBIS, &lines);
  ::tcflush(fd, TCIFLUSH);  // nothing received before this conversation
  AttachChannel(n, std::move(channel), where);
  return true;
}

}  // namespace rt
