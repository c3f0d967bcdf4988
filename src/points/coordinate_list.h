// The coordinate list: the job's points one entry at a time (number, name and
// attribute, then the coordinate line), each marked with a cross in the view,
// with a question for the next point after each entry.
#pragma once

#include "core/control.h"

struct App;

// Coordinate management choice 2: the list from point 1.
Jump ListCoordinates(App& app);
// The list from ListPointNumber (set by the caller; whole numbers outside the
// table are brought into it). After each entry " ﾘｽﾄ NO." asks for the next
// point: Enter (as "L") opens the coordinate table screen at the point after
// the one listed; a number or a name lists that point; "P" hands the point
// listed last to the coordinate input loop (EditCoordinateInputPoint) in the
// mode CoordinateInputMode holds; "Q" leaves for RepeatLastCommand.
Jump ListCoordinatesFrom(App& app);
// The entry of point ListPointNumber: in colour 4 the number, two blanks, the
// name and four blanks, in colour 5 the attribute; with ZE 4 the station and
// offset line (height less BaseHeight); the coordinate line, with the cross and
// name in the view. Leaves Answer := the name and the work point := the point.
void PrintCoordinateListEntry(App& app);
