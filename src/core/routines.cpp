#include "core/routines.h"

#include "runtime/errors.h"

namespace {

constexpr int kInternalError = kErrInternal;

}  // namespace

ProgramRoutines& Routines() {
  static ProgramRoutines routines;
  return routines;
}

void Call(Routine routine, App& app) {
  if (!routine) RtRaise(kInternalError);
  routine(app);
}

Entry EntryOf(Entry entry) {
  if (!entry) RtRaise(kInternalError);
  return entry;
}
