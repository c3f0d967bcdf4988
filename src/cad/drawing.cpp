// The CAD drawing: the fit of a selection to the paper, the printer page of a
// plan, its output with the title and the report below it, and the lines added
// to the page through chosen points.
#include "cad/drawing.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "cad/cad_menu.h"
#include "cad/print_menu.h"
#include "cad/print_page.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "files/result.h"
#include "points/selection.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/printer.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/transform.h"
#include "ui/view.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;
constexpr RtWindowId kPrinter = RtWindowId::Printer;
using core::kPrintBuffer;

void PrintAt(double x, double y, std::string_view text) {
  RtGraphMove(kPrinter, x, y);
  RtPrintToWindow(kPrinter, text, false);
}

void PrintTitleLine(App& app) {
  RtSetFontSize(kPrinter, 8);
  RtColor(kPrinter, 0);
  RtPset(kPrinter, 100, cad::PageHeightOf(app) - 30, 0);
  RtPrintToWindow(kPrinter,
                  app.settings.ZA + "   S=1/" + RtNumText(app.lines.ScaleDenominator) + "   " + RtDate(),
                  true);
}

// The report below the drawing, page after page.
void PrintResultText(App& app, double size) {
  const std::vector<cad::PlacedLine> placed = cad::LayOutResultText(
      files::PrintBufferLines(app), [](const std::string& line) { return RtTextWidth(kPrinter, line); },
      size, cad::PageHeightOf(app), 10 * RtDeviceCaps(kCapPrintableWidthMm),
      10 * RtDeviceCaps(kCapPrintableHeightMm), app.output.ReportHeaderLine);
  int page = 0;
  for (const cad::PlacedLine& line : placed) {
    for (; page < line.page; ++page) {
      RtPrinterEndPage();
      RtPrinterStartPage();
    }
    PrintAt(line.x, line.y, line.text);
  }
}

// Asks the text size of the report below the drawing; 0 abandons the print.
double AskResultTextSize(App& app) {
  RtPrintStr("作業結果文字サイズ(ﾎﾟｲﾝﾄ)", true);
  RtPrintStr("[0,6,7,8,9,10,11,12,13,14,15] 9", false);
  app.input.GuideNumber = 254;
  InputPointName(app);
  return app.input.Answer.empty() ? 9 : app.input.AnswerValue;
}

Jump RunPrintOutput(App& app) {
  ApplyPrintDefaults(app);
  PrintTitleLine(app);
  const bool withReport = app.output.ResultsPlaced == 1;
  if (withReport && RtLof(kPrintBuffer) > 100) {
    // White under the drawing, across the whole printable page.
    RtLine(kPrinter, 0, cad::PageHeightOf(app), 10 * RtDeviceCaps(kCapPrintableWidthMm),
           10 * RtDeviceCaps(kCapPrintableHeightMm), 15, RtLineShape::FilledBox);
    const double size = AskResultTextSize(app);
    if (!(size > 0)) {
      // Abandoned: nothing of the document is printed.
      RtPrinterAbort();
      RtPrinterRelease();
      return {ShowResultMenu};
    }
    RtPrintStr(" ", true);
    RtSetFontSize(kPrinter, std::min(size, 1000.0));
    RtColor(kPrinter, 0);
    PrintResultText(app, size);
  }
  RtGraphMove(kPrinter, 0, 0);
  RtPrinterEndPage();
  RtPrinterEndDoc();
  if (!withReport) return {CadMenu};
  ResetPrintBuffer(app);
  app.points.NewPointCount = 0;
  return {EntryOf(Routines().RepeatLastCommand)};
}

Jump RunPrintAdditionalLines(App& app) {
  cad::Lines& l = app.lines;
  ui::InputState& in = app.input;
  for (;;) {
    ShowLineTypeLegend(app);
    RtPrintStr("線 [END= Q ] =" + l.AdditionalLineType, false);
    in.GuideNumber = 183;
    InputMenuChoice(app);
    if (!in.Answer.empty()) l.AdditionalLineType = RtTrim(in.Answer);
    const std::string typed = RtTrim(in.AnswerCopy);
    if (typed == "Q" || typed == "q") return {PrintMenuDisplay};
    app.points.SelectionLast = -1;
    SelectPoints(app);
    l.PrintElevationDecimals = 0;
    l.PrintPointNames = 0;
    l.PrintPointInfo = 0;
    l.GridInterval = 0;
    l.PrintMarkAnswer.clear();
    l.PrintMarkSymbol.clear();
    app.dxf.CurrentLineLayer = 9;
    app.view.LineTypeCode = l.AdditionalLineType;
    SetLineStyleFromCode(app);
    SetPrinterLineStyle(app);
    DrawListedPointsPolyline(app);
    RtPrintStr("OK=[Y,N]Y ", false);
    in.GuideNumber = 17;
    InputPointName(app);
    const std::string ok = RtTrim(in.Answer);
    if (ok == "N" || ok == "n") {
      app.dxf.CurrentLineLayer = 0;
      DrawListedPointsPolyline(app);
      continue;
    }
    const double pageHeight = cad::PageHeightOf(app);
    const points::Store& p = app.points;
    for (int i = 1; i <= p.SelectionLast; ++i) {
      l.JoinFromPoint = p.SelectionList(i - 1);
      l.JoinToPoint = p.SelectionList(i);
      PointPairToPage(app);
      RtLine(kPrinter, l.JoinFromPageX, pageHeight - l.JoinFromPageUp, l.JoinToPageX,
             pageHeight - l.JoinToPageUp, std::clamp(static_cast<int>(l.PrintLineColour), 0, 15));
    }
  }
}

}  // namespace

namespace cad {

double FittedScale(double extentX, double extentY, double paperHeight, double paperWidth) {
  const double a = RtDivide(extentX, paperHeight);
  const double b = RtDivide(extentY, paperWidth);
  // The single-precision 1.1 leaves a margin; a scale below 1:1 would make the
  // paper units per metre of the print unbounded.
  return std::max(1.0, std::floor(std::max(a, b) * double(1.1f)));
}

double CentredOrigin(double minimum, double maximum, double paperLength) {
  return std::floor(minimum - (paperLength - (maximum - minimum)) / 2);
}

std::vector<PlacedLine> LayOutResultText(const std::vector<std::string>& lines,
                                         const std::function<double(const std::string&)>& widthOf,
                                         double size, double pageHeight, double printableWidth,
                                         double printableHeight, const std::string& heading) {
  std::vector<PlacedLine> placed;
  const double pitch = 3.5 * size;
  int page = 0;
  double columnX = 0, gap = 140, lineY = pageHeight + 50, top = lineY, widest = 0;
  bool started = false;
  auto put = [&](const std::string& text) {
    placed.push_back({page, columnX + gap, lineY, text});
    lineY += pitch;
  };
  for (const std::string& line : lines) {
    const bool separator = line == "_";
    if (!started && separator) continue;
    started = true;
    const double width = widthOf(line);
    widest = std::max(widest, width);
    if (lineY + 7 * size > printableHeight) {
      columnX = gap + columnX + widest;
      lineY = top;
      gap = 100;
    }
    // A new page when the column would pass the page's width, unless it is
    // the page's first column: a line wider than the page alone must not
    // send every later line to a page of its own. The widest line counts per
    // page.
    if (columnX > 0 && gap + columnX + widest > printableWidth) {
      ++page;
      columnX = 0;
      lineY = 100;
      gap = 140;
      top = 100;
      widest = width;
    }
    if (lineY == top && line != heading && !heading.empty() && RtInstr(line, "=") == 0) put(heading);
    if (separator) lineY += pitch;
    put(separator ? heading : line);
  }
  return placed;
}

}  // namespace cad

void FitScaleToPaper(App& app) {
  cad::Lines& l = app.lines;
  const ui::ViewState& v = app.view;
  l.ScaleDenominator = cad::FittedScale(v.ExtentMaxX - v.PlotOriginX, v.ExtentMaxY - v.PlotOriginY,
                                        l.PaperHeight, l.PaperWidth);
}

void FitDrawingToPaper(App& app) {
  cad::Lines& l = app.lines;
  ui::ViewState& v = app.view;
  l.PlotSelectionLast = app.points.SelectionLast;
  if (app.points.SelectionLast < 0) {
    // Nothing selected: the paper is laid at the origin, as for one point there.
    v.PlotOriginX = v.PlotOriginY = v.ExtentMaxX = v.ExtentMaxY = 0;
  } else {
    ComputeSelectionExtent(app);
  }
  FitScaleToPaper(app);
  const double s = l.ScaleDenominator;
  v.PlotOriginX = cad::CentredOrigin(v.PlotOriginX, v.ExtentMaxX, l.PaperHeight * s * v.VerticalRatio);
  v.PlotOriginY = cad::CentredOrigin(v.PlotOriginY, v.ExtentMaxY, l.PaperWidth * s);
}

void OpenPrinterPage(App& app) {
  if (app.lines.PrinterSelected == 0) {
    RtPrinterRelease();
    RtPrinterSetup("");
  }
  RtPrinterStartDoc(rt::CutBytes(app.settings.ZA, 30));
  RtPrinterStartPage();
  RtSetScaleMode(kPrinter, 2);
  RtSetFontName(kPrinter, "ＭＳ 明朝");
}

Jump PrintOutput(App& app) { return cad::WhilePrinting(app, RunPrintOutput); }
Jump PrintAdditionalLines(App& app) { return cad::WhilePrinting(app, RunPrintAdditionalLines); }

void DrawListedPointsPolyline(App& app) {
  points::Store& p = app.points;
  ui::ViewState& v = app.view;
  if (p.SelectionLast < 0) return;
  const int colour = std::clamp(static_cast<int>(app.dxf.CurrentLineLayer), 0, 15);
  const int first = p.SelectionList(0);
  double previousX = ViewUnitX(app, p.PointY(first)), previousY = ViewUnitY(app, p.PointX(first));
  for (int i = 0; i <= p.SelectionLast; ++i) {
    const int number = p.SelectionList(i);
    p.WorkPointX = p.PointX(number);
    p.WorkPointY = p.PointY(number);
    DrawCrossWithName(app);
    RtLine(kView, previousX, previousY, v.LastCrossScreenX, v.LastCrossScreenY, colour);
    RtPset(kView, previousX, previousY, 11);
    previousX = v.LastCrossScreenX;
    previousY = v.LastCrossScreenY;
  }
}
