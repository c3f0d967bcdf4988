// Serial ports on the numbered channels. A port is opened with RtOpen and a
// device string "COM<index>:(<format>,<options>)", letters in either case, for
// example "COM0:(F8N1X8,RB4096,RD15000)":
//
//   format letter 1   mode letter F, S or X (no setting of its own)
//   format letter 2   data bits 5 to 8 (4 is read, but no port can be set to it)
//   format letter 3   parity N none, E even, O odd, M mark, S space
//   format letter 4   stop bits 1, 2, or "." for one and a half (set as 2)
//   format letter 5   X: XON/XOFF both ways (DC1 17, DC3 19); N: none
//   format letter 6   8 or 7: the width of the character codes (no setting)
//   RB<n>             receive buffer (the driver's own buffer serves)
//   RD<n>             receive time-out in ms: a read that gets no byte in that
//                     time fails (0 or absent: it waits as long as it takes)
//   SB<n>, SD<n>      send buffer, send time-out in ms (absent: a send waits as
//                     long as the peer holds it with XOFF)
//
// The port is raw both ways (no echo, no line editing, no CR/LF mapping, no
// output processing), without RTS/CTS or DTR/DSR handshake; RTS and DTR are
// raised where the device has them; what stood in its buffers is discarded. The
// speed is the one set with RtComSpeed (1200 baud until then). A string that
// does not read is error 52.
//
// Port index i is the device named by the environment variable KRN_COM<i+1>
// (KRN_COM1=/dev/ttyUSB0), by default /dev/ttyS<i>.
//
// Reading: RtEof is true when no received byte is waiting at that moment. A
// line (RtLineInputVar) is the bytes up to CR, LF dropped wherever it stands. A
// field (RtInputVars) is taken from such a line as a device's input field: from
// its first non-blank character to its first comma or colon (blanks before it
// kept), or, without either, to its end less trailing blanks; a leading double
// quote gives the text up to the next one; the rest of the line is dropped.
// RtInputChars gives the bytes unchanged. Each read waits up to the time-out for
// each byte; when none comes, error 78 is passed over (RtErr() = 78), the read
// returns false (RtInputChars "") and its variable keeps what it held. A device
// that cannot be opened names itself on the console and raises error 68.
#pragma once

#include <source_location>
#include <string>
#include <string_view>

// Sets the speed of port `index` for the next RtOpen of it. An index outside 0-9
// or a speed the platform has no setting for is error 5.
void RtComSpeed(int index, int baud, std::source_location where = std::source_location::current());

// Caps the receive time-out of the ports opened from now on (0: no cap), so that
// a test's silent peer costs little.
void RtComTimeoutCap(int ms);

// The device of port `index`.
std::string RtComDevice(int index);

// Waits up to `ms` milliseconds for a byte on port number n; true when one is
// waiting (it stays to be read). With `skipLineFeeds` LF bytes that come are
// taken and passed over (line reads drop them anyway), so that the LF after a
// line's CR is not taken for more to come. On any other open number: RtEof's
// opposite.
// RtComTimeoutCap bounds the wait as it bounds the time-out.
bool RtComAwait(int n, int ms, bool skipLineFeeds = false,
                std::source_location where = std::source_location::current());

namespace rt {

// The settings a device string asks for.
struct ComOptions {
  int index = 0;
  char mode = 'F';
  int dataBits = 8;
  char parity = 'N';       // N, E, O, M, S
  char stopBits = '1';     // '1', '2', '.'
  bool xonXoff = false;
  int codeBits = 8;
  int receiveBuffer = 0;   // 0: not given
  int receiveTimeoutMs = 0;
  int sendBuffer = 0;
  int sendTimeoutMs = 0;   // 0: a send waits as long as it takes
  bool operator==(const ComOptions&) const = default;
};

// Reads a device string; false when it does not read (a letter or option that
// is not in the table above, a number that is not a whole number >= 0).
bool ParseComOptions(std::string_view name, ComOptions& options);

// The input field of a received line (see above).
std::string PortFieldOfLine(std::string_view line);

// The name is a port: "COM", digits, ":".
bool IsComName(std::string_view name);

// Opens the port named `name` as number n (called by RtOpen). A format it cannot
// read is error 52.
bool OpenCom(int n, std::string_view name, std::source_location where);

}  // namespace rt
