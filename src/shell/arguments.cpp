// The command line, read before anything of the program starts.
#include "shell/arguments.h"

#include "runtime/text.h"

namespace shell {

Arguments ParseArguments(const std::vector<std::string>& words) {
  Arguments arguments;
  bool fileGiven = false;
  for (const std::string& word : words) {
    if (!arguments.error.empty()) break;
    if (word == "--headless") {
      arguments.headless = true;
    } else if (word == "--help") {
      arguments.help = true;
    } else if (word == "--version") {
      arguments.version = true;
    } else if (word.size() > 1 && word.front() == '-') {
      arguments.error = "unknown option: " + word;
    } else if (fileGiven) {
      arguments.error = "one file at most can be opened at start: " + word;
    } else {
      fileGiven = true;
      arguments.file = word;
      const std::string problem = FileNameProblem(word);
      if (!problem.empty()) arguments.error = word + ": " + problem;
    }
  }
  return arguments;
}

std::string FileNameProblem(std::string_view utf8Name) {
  if (utf8Name.empty()) return "the name is empty";
  if (rt::Cp932ToUtf8(rt::Utf8ToCp932(utf8Name)) != utf8Name) {
    return "the name has a character outside Shift-JIS (CP932), which the program cannot use";
  }
  if (utf8Name.find('\\') != std::string_view::npos) {
    return "the program takes \"\\\" in a name for a folder separator";
  }
  return {};
}

std::string_view UsageText() {
  return "usage: krn [FILE]                      the program in its windows (at the terminal\n"
         "                                       when there is no display)\n"
         "       krn --headless [FILE] < SCRIPT  the program on a script, the transcript on\n"
         "                                       standard output (docs/scripting.md)\n"
         "       krn --help                      this text\n"
         "       krn --version                   the program's version\n"
         "FILE, a point-list file (.PRN and other point lists) or a SIMA file (.SIM),\n"
         "is opened at start.\n";
}

}  // namespace shell
