// The outline of the drawing's paper on the dynamic view.
#pragma once

struct App;

// Draws the paper's outline at the drawing's origin, scale and rotation with its
// texts, and remembers it so that it can be erased.
void DrawPaperFrame(App& app);
