#include "runtime/errors.h"

#include <cmath>
#include <string>

#include "runtime/errors_state.h"
#include "runtime/runtime.h"

namespace {

std::string Describe(int number, const std::source_location& where) {
  return "run-time error " + std::to_string(number) + " at " + where.file_name() + ":" +
         std::to_string(where.line());
}

ErrorState& State() { return *CurrentRuntime().errors; }

void Record(int number, const std::source_location& where) {
  ErrorState& s = State();
  s.number = number;
  s.where = where;
}

}  // namespace

RtError::RtError(int number, std::source_location where)
    : std::runtime_error(Describe(number, where)), number_(number), where_(where) {}

void RtRaise(int number, std::source_location where) { throw RtError(number, where); }

bool RtPassOver(int number, std::source_location where) {
  Record(number, where);
  return false;
}

int RtErr() { return State().number; }
int RtErl() { return static_cast<int>(State().where.line()); }
std::source_location RtErrorWhere() { return State().where; }
void RtClearError() { Record(0, std::source_location{}); }

void RtOnErrorGoto(RtErrorTrap trap) { State().trap = std::move(trap); }

bool RtDeliverError(const RtError& error) {
  ErrorState& s = State();
  Record(error.number(), error.where());
  if (!s.trap || s.trapRunning) return false;
  struct Running {
    bool& flag;
    explicit Running(bool& f) : flag(f) { flag = true; }
    ~Running() { flag = false; }
  } running(s.trapRunning);
  s.trap(error);
  return true;
}

double RtDivide(double a, double b, std::source_location where) {
  if (b == 0) RtRaise(a == 0 ? kErrIllegalArgument : kErrDivisionByZero, where);
  double q = a / b;
  if (std::isinf(q)) RtRaise(kErrOverflow, where);
  return q;
}

double RtSqrt(double x, std::source_location where) {
  if (x < 0) RtRaise(kErrIllegalArgument, where);
  return std::sqrt(x);
}
