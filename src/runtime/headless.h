// Headless use: `krn --headless [FILE]` reads a script (docs/scripting.md) from
// standard input and writes the console transcript, in UTF-8, to standard output.
#pragma once

#include <functional>

#include "runtime/runtime.h"

namespace rt {

// Exit statuses besides the program's own.
inline constexpr int kStatusFailure = 1;      // a failure the program could not report
inline constexpr int kStatusScriptError = 2;  // bad command line or script

// Runs `program` headless. argv must be "PROGRAM --headless [FILE]" (FILE is the
// program's own argument; reading it from argv is the program's business). Reads
// the whole script from standard input (or, when standard input is a terminal,
// each line as the program waits for it, see rt::SetScriptSource), builds a
// Runtime with the script queued and the transcript going to standard output,
// installs it as current and runs `program` on it. Returns the program's
// status; 0 when the script ended it (RtScriptEnded). A script error, a run-time
// error or any other failure that reaches here is reported on standard error and
// gives a non-zero status. The transcript is complete (the cursor's row written)
// in every case.
int RunHeadless(int argc, char** argv, std::function<int(Runtime&)> program);


}  // namespace rt
