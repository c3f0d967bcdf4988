// Choice 3 of the result menu (SaveReport, declared in files/result.h): the
// report copy, a ".TXT" file holding the print buffer byte for byte, or the
// result point list, a ".DD" file naming the points the command registered.
#pragma once

#include <string>
#include <string_view>

namespace files {

// One line of the result point list (without its line end): the point number as
// the number text writes it (" 305 "), blanks up to column 14, then the name.
std::string ResultPointListLine(int pointNumber, std::string_view pointName);

}  // namespace files
