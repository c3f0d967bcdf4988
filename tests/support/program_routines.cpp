// Every test and benchmark program runs the program's routines as the program
// does: the routine table is filled before main.
#include "shell/program.h"

namespace {

const bool kInstalled = (InstallProgramRoutines(), true);

}  // namespace
