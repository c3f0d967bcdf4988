// Numbered run-time errors. An error is an exception carrying its number and the
// place in the source where it was raised; the trampoline hands it to the trap
// armed with RtOnErrorGoto. Errors 63 (file not found) and 64 (file already exists)
// are never thrown: the operation that meets them does nothing and records them,
// which is what the program's handler would do with them anyway.
#pragma once

#include <functional>
#include <source_location>
#include <stdexcept>
#include <string>

// Error numbers the program relies on.
enum RtErrorNumber : int {
  kErrIllegalArgument = 5,
  kErrOverflow = 6,
  kErrSubscript = 9,
  kErrDivisionByZero = 11,
  kErrTypeMismatch = 13,
  kErrDeviceFault = 25,  // the printer refused a document or did not answer
  kErrInternal = 51,     // the program reached a routine that was never installed
  kErrBadFileName = 52,  // bad file name or number
  kErrProgramNotFound = 53,
  kErrReadPastEnd = 54,
  kErrFileAlreadyOpen = 55,
  kErrFileNotOpen = 57,
  kErrPortNotOpened = 60,
  kErrDiskFull = 61,
  kErrFileNotFound = 63,
  kErrFileExists = 64,
  kErrDeviceUnavailable = 68,  // a serial port that cannot be opened
  kErrAccessDenied = 75,
  kErrPathNotFound = 76,
  kErrCommTimeout = 78,
};

class RtError : public std::runtime_error {
 public:
  RtError(int number, std::source_location where);
  int number() const { return number_; }
  const std::source_location& where() const { return where_; }

 private:
  int number_;
  std::source_location where_;
};

// Raises run-time error `number` at the caller's place.
[[noreturn]] void RtRaise(int number, std::source_location where = std::source_location::current());

// Records an error that is passed over (63, 64, and 78 on a serial read): the
// caller goes on with its next step. Always returns false, so an operation can
// `return RtPassOver(...)`.
bool RtPassOver(int number, std::source_location where = std::source_location::current());

// Number and source line of the last error raised or passed over (0 when none).
int RtErr();
int RtErl();
// The full place of the last error, for reports that can show more than a line number.
std::source_location RtErrorWhere();
// Forgets the last error (RtErr() becomes 0).
void RtClearError();

// The trap that receives thrown errors. It is called by the trampoline (never from
// inside the failing operation) and decides where the program goes on, usually by
// throwing the shell's jump. An empty trap disarms it.
using RtErrorTrap = std::function<void(const RtError&)>;
void RtOnErrorGoto(RtErrorTrap trap);

// Hands an error to the armed trap. Records it first (RtErr/RtErl). The trap is
// disarmed while it runs, so an error inside it is not trapped again. Returns false
// when no trap is armed: the caller then treats the error as fatal.
bool RtDeliverError(const RtError& error);

// Checked arithmetic the way the program's platform reports it.
double RtDivide(double a, double b, std::source_location where = std::source_location::current());
double RtSqrt(double x, std::source_location where = std::source_location::current());
