// The drawing targets of the program: its three windows and the printer page.
#pragma once

#include <optional>
#include <string_view>

enum class RtWindowId {
  Main = 0,     // the console window (form MAINFORM), units: pixels
  View = 1,     // the dynamic view (form FORM2), units: 0.1 mm, y downwards
  Nav = 2,      // the navigator (form FORM3), units: 0.01 inch
  Printer = 3,  // the current printer page
};

// Script and diagnostic names: "main", "view", "nav", "printer".
std::string_view RtWindowName(RtWindowId id);
std::optional<RtWindowId> RtWindowFromName(std::string_view name);
