#include "runtime/serial.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

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

// After a CR the LF that belongs to it is waited for this long at most, so that
// a device ending its lines with CR alone does not cost a whole time-out.
constexpr int kLineEndWaitMs = 200;

struct PortFormat {
  int index = 0;
  int dataBits = 8;
  char parity = 'n';
  int stopBits = 1;
  bool xonXoff = false;
  int timeoutMs = 0;  // 0: a read waits as long as it takes
};

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
  return ec == std::errc() && end == text.data() + text.size();
}

// "COM<index>:(f8n2X8,RD<ms>)": the letters of the first item by position
// (1 the runtime's own, 2 data bits, 3 parity, 4 stop bits, 5 "X" for XON/XOFF,
// 6 the runtime's own), then items of their own such as "RD<ms>".
bool ParseFormat(std::string_view name, PortFormat& format) {
  const std::size_t colon = name.find(':');
  if (!ParseInt(name.substr(3, colon - 3), format.index) || format.index >= kPorts) return false;
  std::string_view rest = name.substr(colon + 1);
  if (rest.empty()) return true;
  if (rest.front() != '(' || rest.back() != ')') return false;
  rest = rest.substr(1, rest.size() - 2);
  bool first = true;
  while (!rest.empty()) {
    const std::size_t comma = rest.find(',');
    const std::string_view item = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
    if (first) {
      first = false;
      if (item.size() >= 2) format.dataBits = item[1] - '0';
      if (item.size() >= 3) format.parity = static_cast<char>(item[2] | 0x20);
      if (item.size() >= 4) format.stopBits = item[3] - '0';
      if (item.size() >= 5) format.xonXoff = item[4] == 'X' || item[4] == 'x';
      continue;
    }
    if (item.size() > 2 && (item.substr(0, 2) == "RD" || item.substr(0, 2) == "rd")) {
      if (!ParseInt(item.substr(2), format.timeoutMs) || format.timeoutMs < 0) return false;
    }
  }
  return format.dataBits >= 5 && format.dataBits <= 8 &&
         (format.parity == 'n' || format.parity == 'e' || format.parity == 'o') &&
         (format.stopBits == 1 || format.stopBits == 2);
}

class SerialChannel final : public RtChannel {
 public:
  SerialChannel(int fd, int timeoutMs) : fd_(fd), timeoutMs_(timeoutMs) {}
  ~SerialChannel() override {
    if (fd_ >= 0) ::close(fd_);
  }

  int Peek() override {
    if (pending_ < 0) {
      // The LF after a CR is looked for briefly; any other byte is waited for up
      // to the time-out, after which the read fails with error 78.
      const bool lineEnd = lastByte_ == '\r';
      pending_ = Receive(lineEnd ? kLineEndWaitMs : timeoutMs_);
      if (pending_ < 0 && !lineEnd) RtRaise(kErrCommTimeout);
    }
    return pending_;
  }

  int Get() override {
    const int b = Peek();
    pending_ = -1;
    lastByte_ = b;
    return b;
  }

  // A port never runs out: a read waits for the next byte.
  bool AtEnd() override { return false; }

  void Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n > 0) {
        bytes.remove_prefix(static_cast<std::size_t>(n));
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno == EAGAIN) {
        // Held back by the device's XOFF or a full buffer: wait as a read would.
        pollfd p{fd_, POLLOUT, 0};
        if (::poll(&p, 1, timeoutMs_ > 0 ? timeoutMs_ : -1) > 0) continue;
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
  // The next byte within `ms` milliseconds (0: no limit), or -1.
  int Receive(int ms) {
    for (;;) {
      pollfd p{fd_, POLLIN, 0};
      const int ready = ::poll(&p, 1, ms > 0 ? ms : -1);
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
  int timeoutMs_;
  int pending_ = -1;
  int lastByte_ = -1;
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

namespace rt {

bool IsComName(std::string_view name) {
  if (name.size() < 5 || (name.substr(0, 3) != "COM" && name.substr(0, 3) != "com")) return false;
  std::size_t i = 3;
  while (i < name.size() && name[i] >= '0' && name[i] <= '9') ++i;
  return i > 3 && i < name.size() && name[i] == ':';
}

bool OpenCom(int n, std::string_view name, std::source_location where) {
  PortFormat format;
  if (!ParseFormat(name, format)) RtRaise(kErrBadFileName, where);
  const std::string device = RtComDevice(format.index);
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  termios tio{};
  if (fd < 0 || ::tcgetattr(fd, &tio) != 0) {
    if (fd >= 0) ::close(fd);
    RtPrintStr(" " + device + " を開けません", true);
    RtRaise(kErrDeviceUnavailable, where);
  }
  const int cap = CurrentRuntime().files->comTimeoutCapMs;
  if (cap > 0 && (format.timeoutMs == 0 || format.timeoutMs > cap)) format.timeoutMs = cap;
  auto channel = std::make_unique<SerialChannel>(fd, format.timeoutMs);

  ::cfmakeraw(&tio);
  const int baud = CurrentRuntime().files->comSpeed[static_cast<std::size_t>(format.index)];
  const speed_t speed = SpeedSetting(baud == 0 ? 1200 : baud);
  ::cfsetispeed(&tio, speed);
  ::cfsetospeed(&tio, speed);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
  tio.c_cflag |= kSizes[format.dataBits - 5] | CLOCAL | CREAD;
  if (format.parity != 'n') tio.c_cflag |= PARENB | (format.parity == 'o' ? PARODD : 0);
  if (format.stopBits == 2) tio.c_cflag |= CSTOPB;
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  if (format.xonXoff) tio.c_iflag |= IXON | IXOFF;
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
    RtPrintStr(" " + device + " を設定できません", true);
    RtRaise(kErrDeviceUnavailable, where);
  }
  // RTS and DTR on; a device without modem lines (a pseudo-terminal) refuses
  // this, which does no harm.
  int lines = TIOCM_RTS | TIOCM_DTR;
  ::ioctl(fd, TIOCMBIS, &lines);
  ::tcflush(fd, TCIFLUSH);  // nothing from before this conversation
  AttachChannel(n, std::move(channel), where);
  return true;
}

}  // namespace rt
