// The point selection: an ordered list of point numbers in SelectionList,
// entries 0 to SelectionLast (-1 when empty), that the calling command works
// through from SelectionIndex on.
#pragma once

struct App;

// Builds a new selection: asks "no." again and again until Enter alone, then
// SelectionIndex := 0. PointReaskFlag := 0 for the rest of the command. Each
// answer adds points or acts on the list:
//   A-      the numbers from A to the end asked next ("   ~ no.", Enter: the
//           current point), up or down; an A that names no point goes on as
//           the answer without its "-"
//   /       the points inside a window given by two corners (typed or picked);
//           a bound left empty is no limit, corners in any order
//   A+      A, then every other point within a half side of it in X and Y
//           ("+" alone: around the current point, which is not appended)
//   *       empties the list and takes away the highlighting
//   H       every point 1 to PointCount not in the list, in number order
//   S       sorts the list or removes its repeats (SortPoints)
//   T=      the points whose mark is the digit T, or whose name begins with T
//   F       the list replaced by the numbers of a result point list file
//   other   the point the answer names (by number, name or the resolver's
//           commands)
// Only numbers 1 to PointCapacity are ever appended. A full list (10000
// entries) is said and keeps what was chosen. The answers Q, W and Z leave
// through the resolver's exits, and a cancelled file dialog through
// RepeatLastCommand.
void SelectPoints(App& app);

// Selects every point in use: entries 0 to PointCount - 1 hold the numbers 1 to
// PointCount. With no point in use the selection is empty (SelectionLast -1,
// entry 0 holding no point), so that saving an empty job writes no point.
void SelectAllPoints(App& app);
