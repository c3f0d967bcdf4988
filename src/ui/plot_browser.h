// The screen plot browser: the chosen points with their marks and names and
// every connection line on the dynamic view, as a plan or a side view, walked
// through one point at a time with an information line per point in the main
// window. Keys: + / Down and - / Up step, Z re-fits, S re-fits and draws the
// sequence line, H switches plan and side view, / exchanges the axes, Page Up
// and Page Down zoom, M hides the names, P prints the view, Enter goes to a
// typed point, Q or Esc leaves for the CAD menu. The mouse pans and zooms
// (ui/plot_handlers.h).
#pragma once

#include "core/control.h"

struct App;

// CAD menu choice 3: asks for the points, fits them to the view and browses.
Jump PlotView(App& app);

// For a caller that has prepared the plot itself (a non-empty selection, the
// plot's scale, origin, plane, orientation, names flag and resume index, both
// windows cleared): installs the mouse handlers and browses from a drawing pass.
Jump ResumePlotView(App& app);
