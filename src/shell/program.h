// The program shell's entries and routines: start-up, the main menu and its small
// commands, the error handler, the status header, point names and sounds.
// Entries (Jump f(App&)) are reached by jumps and never return; routines
// (void f(App&)) are called and return.
#pragma once

#include <string>
#include <string_view>

#include "runtime/errors.h"
#include "shell/control.h"

struct App;

// Start-up: runs once and never returns (it ends in the result menu or a reader).
Jump ProgramStart(App& app);

// Main menu and the jump targets beside it.
Jump MainMenu(App& app);
Jump RepeatLastCommand(App& app);
Jump EndProgram(App& app);
Jump SearchPointArea(App& app);
Jump PlotAllPoints(App& app);
Jump NormalizeNamesThenPlot(App& app);
// The entry of every command whose subsystem is not built yet: says so and goes
// to the result menu.
Jump CommandNotAvailable(App& app);

// Leaves the subroutine that is running from a nested step: thrown by
// ReturnFromSubroutine, caught by the routine that offers that way out.
struct SubroutineReturn {};
[[noreturn]] void ReturnFromSubroutine(App& app);

// The main error handler and arming it as the run-time error trap.
void MainErrorHandler(App& app, const RtError& error);
void ArmMainErrorHandler(App& app);

// Status header and run-state reset.
void RedrawView(App& app);
void ResetRunState(App& app);
void ShowStatusHeader(App& app);

// Point-name helpers.
void SplitPointName(App& app);
void SplitPointNameTail(App& app);
void NextPointName(App& app);
void InputTargetHeightIfNeeded(App& app);

namespace shell {
// `text` without its trailing half-width and full-width blanks.
std::string TrimTrailingBlanks(std::string_view text);
}  // namespace shell

// Plays PlaySoundPrefix + `file` ("ding.wav") without waiting.
void PlaySound(App& app, std::string_view file);
