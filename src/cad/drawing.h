// Connection lines on the view and the plan print.
#pragma once

#include "core/control.h"
#include "ui/plot_browser.h"  // ResumePlotView, the plot view of a prepared plot

struct App;

void DrawAllConnectionLines(App& app);
// ScaleDenominator from the extent (PlotOriginX/Y the minima, ExtentMaxX/Y the
// maxima) and the paper (PaperHeight along X, PaperWidth along Y).
void FitScaleToPaper(App& app);
// Fits the selection to the paper: the extent of SelectionList (the paper at the
// origin when nothing is selected), FitScaleToPaper, and the extent centred on
// the paper in whole metres (PlotOriginX/Y, the drawing origin).
void FitDrawingToPaper(App& app);

namespace cad {
// The scale denominator that fits an extent of extentX by extentY metres on the
// paper with a tenth to spare: floor(1.1 x the larger ratio), at least 1.
double FittedScale(double extentX, double extentY, double paperHeight, double paperWidth);
// The origin (whole metres, rounded down) that centres minimum..maximum on a
// paper of paperLength ground metres.
double CentredOrigin(double minimum, double maximum, double paperLength);
}  // namespace cad
void OpenPrinterPage(App& app);
Jump PrintOutput(App& app);
