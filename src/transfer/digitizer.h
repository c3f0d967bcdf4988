// Points taken off a paper plan with a digitizer on a serial port: every X and
// Y reading it sends becomes a point (transfer menu choice 7).
#pragma once

#include <string>
#include <string_view>

#include "core/routines.h"

struct App;

namespace transfer {

// The digitizer's device string after "COM<n>": 8 data bits, no parity, two
// stop bits, XON/XOFF, eight-bit codes, the default buffer and no time-out.
inline constexpr std::string_view kDigitizerOptions = ":(f8n2X8)";
inline constexpr int kDigitizerSpeed = 1200;
// How long one look at a silent port waits before the keys get their turn.
inline constexpr int kDigitizerPollMs = 50;

// "COM" + (COX - 1) + kDigitizerOptions.
std::string DigitizerDeviceString(double cox);

// The number a digitizer field carries in its characters 3 to 15, read as
// RtVal reads (leading blanks skipped, 0 for no number): "X=   1234.567" gives
// 1234.567.
double DigitizerNumber(std::string_view field);

}  // namespace transfer

// Asks whether the digitizer is connected ("N" goes to the result menu), opens
// it at 1200 baud, asks the first name and the start number, and stores each X
// and Y reading as a point with height 0. "F0" from the digitizer goes back to
// the name prompt, "Q" there closes the port and goes to the result menu. While
// the digitizer is silent the function keys work (F2 leaves), and typed answers
// wait for the next question.
Jump DigitizerInput(App& app);
