// The program shell's entries and routines: start-up, the main menu and its small
// commands, the error handler and the status header.
// Entries (Jump f(App&)) are reached by jumps and never return; routines
// (void f(App&)) are called and return.
#pragma once

#include "core/control.h"
#include "runtime/errors.h"

struct App;

// Start-up: runs once and never returns (it ends in the result menu or a reader).
Jump ProgramStart(App& app);

// Main menu and the jump targets beside it.
Jump MainMenu(App& app);
Jump RepeatLastCommand(App& app);
Jump EndProgram(App& app);
// Removes the work files that live only while the program runs.
void RemoveWorkFiles(App& app);
Jump SearchPointArea(App& app);
Jump PlotAllPoints(App& app);
Jump NormalizeNamesThenPlot(App& app);
// The main error handler and arming it as the run-time error trap.
void MainErrorHandler(App& app, const RtError& error);
void ArmMainErrorHandler(App& app);
// The handler's report of an error that it does not pass over: the place, the
// number and its guide text, then a wait for Enter. An error raised while it
// waits (by a function key, a click, a close request) is reported in its turn.
// The caller decides where the program goes on.
void ReportRunTimeError(App& app, const RtError& error);

// Status header and run-state reset.
void ResetRunState(App& app);
void ShowStatusHeader(App& app);

// Fills the slots of the program's routine table (core/routines.h) from every
// folder. Runs once, before the first App.
void InstallProgramRoutines();

