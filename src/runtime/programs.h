// Outside programs. The program names Windows programs ("NOTEPAD.EXE",
// "EXCEL.EXE", "EXPLORER.EXE", the datum converter at its install path, the CAD
// program of its settings); each is mapped to a command of this host, which the
// user configures through environment variables:
//   editor        KRN_EDITOR, else the program itself when it is a program of this
//                 host, else VISUAL, else EDITOR, else xdg-open
//   spreadsheet   KRN_SPREADSHEET, else "libreoffice --calc"
//   file viewer   KRN_FILE_VIEWER, else xdg-open (Windows switches such as "/n,/e,"
//                 are dropped from the parameter)
//   CAD program   KRN_CAD, else the program as given
//   datum conv.   KRN_DATUM_CONVERTER, else the program as given
// A variable's value is a command split at blanks ("libreoffice --calc"). The
// parameter is a path and is handed over as a path of this host.
//
// Every call is recorded and noted in the transcript ("[program] NOTEPAD.EXE
// C:\DATA\PRINTR.DAT"). Headless use starts a program only when its KRN_ variable
// is set, so that tests and batch runs never open an editor.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

namespace rt {

enum class ProgramRole {
  kByName,  // told by the program's file name; any unknown program is the CAD program
  kEditor,  // the text editor of the settings, whatever its name
  kSpreadsheet,
  kFileViewer,
  kCad,
  kDatumConverter,
};

}  // namespace rt

// Starts `program` with one `parameter` (a CP932 path, at most 123 bytes, else
// error 5). Waits for it to end when `wait` is set. `showCommand` is recorded only.
// A program that cannot be started is error 53.
void RtShell(std::string_view program, std::string_view parameter, bool wait,
             int showCommand = 8, rt::ProgramRole role = rt::ProgramRole::kByName);

namespace rt {

// The longest parameter text RtShell accepts, in bytes.
inline constexpr size_t kMaxShellParameter = 123;

// The role of a program named by the program (kByName resolved by its file name).
ProgramRole RoleOf(std::string_view program, ProgramRole role);

// The environment variable that configures a role ("KRN_EDITOR", ...).
const char* RoleVariable(ProgramRole role);

// The host command (UTF-8 words) that runs `program` in its role, without its
// parameter.
std::vector<std::string> HostCommandFor(std::string_view program, ProgramRole role);

// The parameter as the host program takes it: Windows switches dropped for the
// file viewer, then turned into a host path (UTF-8). Empty stays empty.
std::string HostParameter(std::string_view parameter, ProgramRole role);

// Process helpers shared by the sound and program operations.

// The full path of an executable `name` found on PATH; empty when there is none.
std::string FindOnPath(std::string_view name);

// Starts argv[0] (searched on PATH when it holds no "/") with the other words as
// arguments. With `quiet` its output goes to /dev/null. Returns the process id,
// or -1 when it could not be started.
pid_t StartProcess(const std::vector<std::string>& argv, bool quiet);

// Waits until the process has ended.
void WaitForProcess(pid_t pid);

// Collects the processes of the list that have ended, without waiting.
void CollectEnded(std::vector<pid_t>& processes);

}  // namespace rt
