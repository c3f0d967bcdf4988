// The key loop's pass without a key: the pointer, the redraw on request and the
// live readouts in the dynamic view's caption.
#pragma once

struct App;

// PointerX, PointerY (ground) from the mouse over the dynamic view, and
// ConsolePointerX, ConsolePointerY from the mouse over the main window.
void RefreshPointerPosition(App& app);
// When ViewRedrawPending is 1: measures and clears the view in the background
// colour RG, draws the background picture, every point, the connection lines,
// the overlays and the current point highlighted, and clears PickAnswered.
// Returns true when it redrew, so that the key loop binds its events and
// prompts again.
bool RedrawOnRequest(App& app);
// Minimises the view and the navigator with the main window, times the pointer
// movements, draws the drag indicator while the left button is held and writes
// the readouts into the view's caption (ViewCaptionText): "X=" "Y=", then "l="
// and "S=" while the default pick is in force, "x=" "y=" with the station marker,
// "  L=" with "A=" or "H=" while a distance or direction is asked.
void UpdateLiveReadouts(App& app);
