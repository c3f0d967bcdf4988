// The point selection: an ordered list of point numbers in SelectionList,
// entries 0 to SelectionLast (-1 when empty), that the calling command works
// through from SelectionIndex on.
#pragma once

struct App;

// Builds a new selection: asks "no." again and again and appends the point each
// answer names (by number, name or the resolver's commands) until Enter alone;
// then SelectionIndex := 0. PointReaskFlag := 0 for the rest of the command.
// The answers Q, W and Z leave through the resolver's exits. An append beyond
// the list's last index is run-time error 9.
void SelectPoints(App& app);

// Selects every point in use: entries 0 to PointCount - 1 hold the numbers 1 to
// PointCount. With no point in use the selection is empty (SelectionLast -1,
// entry 0 holding no point), so that saving an empty job writes no point.
void SelectAllPoints(App& app);
