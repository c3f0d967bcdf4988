#include "core/control.h"

#include "runtime/errors.h"

void JumpTo(Entry target) { throw JumpException{target}; }

void ReturnFromSubroutine(App&) { throw SubroutineReturn{}; }

void ExitProgram(int status) { throw ProgramExit{status}; }

int RunTrampoline(App& app, Entry first) {
  Entry entry = first;
  while (entry) {
    try {
      try {
        entry = entry(app).next;
      } catch (const RtError& error) {
        if (!RtDeliverError(error)) throw;
        // A trap that returns means "go on": with no step to go back into, the
        // program would fall off its entry, so that ends it like the platform does.
        entry = nullptr;
      }
    } catch (const JumpException& jump) {
      entry = jump.target;
    } catch (const ProgramExit& exit) {
      return exit.status;
    }
  }
  return 0;
}
