// Main-menu command 1: the traverse menu, and its choice 3, the traverse kinds
// menu of the field-book traverse. Both only set the shared observation state
// and go on; the routines they reach come back through ObservationReturnMenu
// and ReturnMenu.
#pragma once

#include "core/control.h"

struct App;

namespace traverse {

// What a menu answer leaves and where it goes.
enum class MenuTarget {
  OpenTraverse,      // the station loop, open traverse
  Radiation,         // the station loop, radiation
  KindsMenu,         // the traverse kinds menu
  OpenReverse,       // the open reverse traverse
  RadiationReverse,  // the radiation reverse traverse
  ConnectPoints,     // the connection-line editor
  ReportColumns,     // the report column set-up of the reverse traverses
  ResultMenu,
};
// The traverse menu's answer (decimal part included): its whole part selects
// the command; 0, Enter, a negative answer and 8 or more the result menu.
MenuTarget TraverseMenuTarget(double answer);

// Highlights cell `column` of row 0 in the navigator's menu picture.
void HighlightMenuCell(App& app, double column);

enum class KindsTarget {
  TraverseInput,  // kinds 1 to 4
  Correct,        // 5: the book in the text editor
  Clear,          // 6
  File,           // 7: the ".Y" file menu
  Browse,         // 8
  Print,          // 9
  Calculate,      // 10
  ResultMenu,
};
// The kinds menu's answer, rounded half away from zero before the dispatch;
// 0, Enter, negative answers and 11 or more the result menu.
KindsTarget KindsMenuTarget(double answer);

}  // namespace traverse

// Main-menu command 1.
Jump TraverseMenu(App& app);
// Traverse-menu choice 3, and where the field-book tools and the traverse
// inputs return to.
Jump TraverseKindsMenu(App& app);
