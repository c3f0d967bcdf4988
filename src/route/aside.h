// A hint printed to the right of a question on the console.
#pragma once

#include <string>

namespace route {

// `text` at `column` of the cursor's row, the cursor back where it was.
void PrintAside(int column, const std::string& text);

}  // namespace route
