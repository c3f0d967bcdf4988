// Connection lines on the view and the plan print.
#pragma once

#include "core/control.h"
#include "ui/plot_browser.h"  // ResumePlotView, the plot view of a prepared plot

struct App;

void DrawAllConnectionLines(App& app);
void FitDrawingToPaper(App& app);
void OpenPrinterPage(App& app);
Jump PrintOutput(App& app);
