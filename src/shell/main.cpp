// krn [FILE]             the program: in its three windows when a display is
//                        present, else headless at the terminal
// krn --headless [FILE]  the program on a script from standard input, the
//                        console's transcript on standard output
#include <string>
#include <string_view>
#include <vector>

#include "core/app.h"
#include "core/control.h"
#include "runtime/desktop.h"
#include "runtime/headless.h"
#include "runtime/text.h"
#include "shell/program.h"

namespace {

constexpr std::string_view kHeadless = "--headless";

// The arguments as the headless driver takes them: "--headless" in second place.
std::vector<char*> HeadlessArguments(int argc, char** argv) {
  static char headless[] = "--headless";
  std::vector<char*> args(argv, argv + argc);
  if (argc < 2 || std::string_view(argv[1]) != kHeadless) args.insert(args.begin() + 1, headless);
  args.push_back(nullptr);
  return args;
}

}  // namespace

int main(int argc, char** argv) {
  InstallProgramRoutines();
  std::vector<char*> args = HeadlessArguments(argc, argv);
  const int count = static_cast<int>(args.size()) - 1;
  // The file named on the command line, in the program's own text encoding.
  const std::string commandLine = count > 2 ? rt::Utf8ToCp932(args[2]) : std::string();
  const auto program = [&commandLine](Runtime& runtime) {
    App app(runtime);
    app.shell.CommandLine = commandLine;
    return RunTrampoline(app, ProgramStart);
  };
  const bool headlessAsked = argc >= 2 && std::string_view(argv[1]) == kHeadless;
  if (!headlessAsked && count <= 3 && rt::DesktopAvailable()) return rt::RunDesktop(program);
  return rt::RunHeadless(count, args.data(), program);
}
