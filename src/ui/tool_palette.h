// The tool palette of the dynamic view, in its top-left corner while connection
// lines are drawn.
#pragma once

struct App;

// Draws the palette when connection lines are shown (ZEF 1), the default click
// handler is in force (DefaultPickState 1 or more) and LineConnectMode is 1 or
// more: the cells of the line types, the three-point circle, "back", the line
// erase mode and the layers, and with LineConnectMode 2 the strip of marks.
// Leaves the view's font size at ViewFontSize + ViewFontStep in every case.
void DrawToolPalette(App& app);
