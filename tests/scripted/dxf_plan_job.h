// A small plan job for DXF sessions, and the answers that take the program
// from the main menu into the DXF menu with a drawing of its own.
#pragma once

#include <string>

#include "scripted/session.h"

namespace scripted {

// Three points A1 (985, 2010), A2 (1085, 2010) and A3 (1085, 2070).
inline Files PlanJob() {
  return {{"PLAN.PRN", "A1 985 2010 10 92\r\nA2 1085 2010 12.5 93\r\nA3 1085 2070 7.5 94\r\n\x1a\r\n"}};
}

// The CAD menu at 1:500 with the origin X 970, Y 1990 and no rotation, then
// "6:DXF" and the drawing KOJI1 (".DXF" put on by the dialog).
inline const std::string kToDxfMenu = "9\n4\n3\n500\n970\n1990\n5\n0\n\n6\n!file KOJI1\n";

}  // namespace scripted
