// krn [FILE]             the program: in its three windows when a display is
//                        present, else headless at the terminal
// krn --headless [FILE]  the program on a script from standard input, the
//                        console's transcript on standard output
// krn --help, --version  the usage, the version
#include <cstdio>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/control.h"
#include "runtime/desktop.h"
#include "runtime/headless.h"
#include "runtime/text.h"
#include "shell/arguments.h"
#include "shell/program.h"

int main(int argc, char** argv) {
  const shell::Arguments arguments =
      shell::ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!arguments.error.empty()) {
    std::fprintf(stderr, "krn: %s\n%s", arguments.error.c_str(), shell::UsageText().data());
    return rt::kStatusScriptError;
  }
  if (arguments.help) {
    std::fputs(shell::UsageText().data(), stdout);
    return 0;
  }
  if (arguments.version) {
    std::printf("krn %s\n", shell::kVersionText.data());
    return 0;
  }
  InstallProgramRoutines();
  // The file named on the command line, in the program's own text encoding.
  const std::string commandLine = rt::Utf8ToCp932(arguments.file);
  const auto program = [&commandLine](Runtime& runtime) {
    App app(runtime);
    app.shell.CommandLine = commandLine;
    return RunTrampoline(app, ProgramStart);
  };
  if (!arguments.headless && rt::DesktopAvailable()) return rt::RunDesktop(program);
  // The headless driver's own words: "krn --headless [FILE]".
  std::string headless = "--headless";
  std::string file = arguments.file;
  std::vector<char*> words = {argv[0], headless.data()};
  if (!file.empty()) words.push_back(file.data());
  words.push_back(nullptr);
  return rt::RunHeadless(static_cast<int>(words.size()) - 1, words.data(), program);
}
