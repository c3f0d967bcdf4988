// The key loop's pass without a key: the pointer, the redraw on request and the
// live readouts in the dynamic view's caption.
#pragma once

struct App;

// PointerX, PointerY from the mouse over the dynamic view, and the pointer
// position over the main window.
void RefreshPointerPosition(App& app);
// Redraws the view when ViewRedrawPending is 1 and clears PickAnswered; returns
// true when it did, so that the key loop binds its events and prompts again.
bool RedrawOnRequest(App& app);
// Follows a minimised main window, times the pointer movements, shows the drag
// indicator and writes the readouts into the view's caption.
void UpdateLiveReadouts(App& app);
