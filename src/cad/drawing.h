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
#include <functional>
#include <string>
#include <vector>

// Binds the default printer unless the drawing settings chose one, and opens
// a document named after the job's first 30 bytes with one page in tenths of a
// millimetre.
void OpenPrinterPage(App& app);
// Print-menu choice 4 and the result menu's print of a calculation: the
// drawing (with the defaults when no settings were given), the title line and,
// for a calculation, its report in columns below the drawing, page after page;
// then the document ends.
Jump PrintOutput(App& app);
// Print-menu choice 3: lines of a chosen type through points chosen in order,
// previewed on the view, until "Q".
Jump PrintAdditionalLines(App& app);
// The chain of the selected points on the view in colour CurrentLineLayer with
// the view's pen, a cross with Answer at each point.
void DrawListedPointsPolyline(App& app);

namespace cad {
// A line of the report as it stands on the printed pages: page 0 is the page of
// the drawing.
struct PlacedLine {
  int page;
  double x, y;
  std::string text;
};
// The report lines laid out in columns below the drawing (from pageHeight +
// 50, 14 mm from the left; later pages from 10 mm below the top) at a pitch of
// 3.5 x the font size, with the heading on top of each column and after each
// page-break line "_" (leading "_" lines are skipped). A column ends when less
// than two pitches of the printable height (0.1 mm) remain; the next column
// starts 10 mm right of the widest line so far on the page, and a column that
// would pass the printable width starts a new page. A line wider than the page
// stands alone in its column rather than turning every later line into a page.
std::vector<PlacedLine> LayOutResultText(const std::vector<std::string>& lines,
                                         const std::function<double(const std::string&)>& widthOf,
                                         double size, double pageHeight, double printableWidth,
                                         double printableHeight, const std::string& heading);
}  // namespace cad
