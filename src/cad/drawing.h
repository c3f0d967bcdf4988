// Connection lines on the view and the plan print.
#pragma once

#include "shell/control.h"

struct App;

void DrawAllConnectionLines(App& app);
void FitDrawingToPaper(App& app);
void OpenPrinterPage(App& app);
Jump PrintOutput(App& app);
Jump ResumePlotView(App& app);
