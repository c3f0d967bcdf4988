// The program's own command line: `krn [--headless] [FILE]`, `krn --help`,
// `krn --version` (docs/scripting.md).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace shell {

// What the command line asks for.
struct Arguments {
  bool headless = false;
  bool help = false;
  bool version = false;
  std::string file;   // the file to open at start (UTF-8, as given); "" for none
  std::string error;  // what is wrong with the command line; "" when nothing is
};

// Reads the words after the program's name. A word that begins with "-" (and
// is more than "-") is an option; any other word names the file. An unknown
// option, a second file, or a file the program cannot name exactly as given
// (FileNameProblem) is an error.
Arguments ParseArguments(const std::vector<std::string>& words);

// Why the program cannot open a file under `utf8Name` exactly as it is named,
// or "" when it can: the name is empty, or the program, which holds names in
// Shift-JIS (CP932) and takes "\" for a folder separator, would name another.
std::string FileNameProblem(std::string_view utf8Name);

// The usage, for --help and after a bad command line.
std::string_view UsageText();

}  // namespace shell
