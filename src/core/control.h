// Control flow of the program. Menus and commands are entries: functions that
// return the next entry to run. RunTrampoline runs them one after another, so the
// stack does not grow with the number of commands. A routine nested deeper (the
// point resolver, an abandoned step, the error handler) leaves for another entry
// by throwing JumpException through JumpTo.
#pragma once

struct App;
struct Jump;
using Entry = Jump (*)(App&);

// The next entry to run; an empty Jump ends the program normally.
struct Jump {
  Entry next = nullptr;
};

struct JumpException {
  Entry target;
};

// Ends the program from anywhere with an exit status.
struct ProgramExit {
  int status = 0;
};

// Leaves the subroutine that is running from a nested step: thrown by
// ReturnFromSubroutine, caught by the routine that offers that way out.
struct SubroutineReturn {};

[[noreturn]] void JumpTo(Entry target);
[[noreturn]] void ReturnFromSubroutine(App& app);
[[noreturn]] void ExitProgram(int status);

// Runs entries from `first` until one returns an empty Jump or the program exits.
// A run-time error goes to the trap armed with RtOnErrorGoto, which decides where
// to go on; without a trap the error propagates to the caller.
// Returns the exit status.
int RunTrampoline(App& app, Entry first);
