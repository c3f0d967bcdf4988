// Serial ports on the numbered channels. A port is opened with RtOpen and a
// name of the form "COM<index>:(f8n2X8,RD<ms>)": raw mode at the speed set with
// RtComSpeed (1200 baud until then), the data bits, parity and stop bits of the
// format (8, "n", 2 here), XON/XOFF both ways with "X", no hardware handshake,
// RTS and DTR raised where the device has them, and the receive time-out of "RD".
//
// Port index i is the device named by the environment variable KRN_COM<i+1>
// (KRN_COM1=/dev/ttyUSB0), by default /dev/ttyS<i>.
//
// A read (RtInputVars, RtLineInputVar) waits up to the time-out for each byte;
// when none comes, error 78 is passed over (RtErr() = 78), the read returns
// false and its variable keeps what it held. A device that cannot be opened
// names itself on the console and raises error 68.
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

namespace rt {

// The name is a port: "COM", digits, ":".
bool IsComName(std::string_view name);

// Opens the port named `name` as number n (called by RtOpen). A format it cannot
// read is error 52.
bool OpenCom(int n, std::string_view name, std::source_location where);

}  // namespace rt
