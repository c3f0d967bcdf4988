// The key loop's pass without a key.
#include "ui/readouts.h"

#include "shell/app.h"
#include "shell/program.h"

// The pointer's ground position comes with the view transform's readouts.
void RefreshPointerPosition(App&) {}

// Until the view's own measured redraw is built, a request is served by the full
// redraw of the view.
bool RedrawOnRequest(App& app) {
  ui::InputState& in = app.input;
  if (in.ViewRedrawPending != 1) return false;
  in.PickAnswered = 0;
  in.ViewRedrawPending = 0;
  RedrawView(app);
  return true;
}

// The caption readouts and the drag indicator come with the view's readouts.
void UpdateLiveReadouts(App&) {}
