// The CAD drawing in its least form: the fit of a selection to the paper, the
// printer page of a plan, and the plan print of a command's points with its
// report below them. The plan print's settings come with the CAD subsystem.
#include "cad/drawing.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "files/result.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/printer.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/view.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;
constexpr RtWindowId kPrinter = RtWindowId::Printer;
using core::kPrintBuffer;

// ---- The plan print ----

// Page units (0.1 mm) of the paper's height.
double PageHeight(const App& app) {
  const cad::Lines& l = app.lines;
  return l.PaperHeight * l.ScaleDenominator * l.PaperUnitsPerMetre;
}

void PrintAt(double x, double y, std::string_view text) {
  RtGraphMove(kPrinter, x, y);
  RtPrintToWindow(kPrinter, text, false);
}

// The selected points as crosses with their names, placed by the drawing's
// origin, scale and rotation.
void DrawSelectedPointsOnPage(App& app) {
  const points::Store& p = app.points;
  const cad::Lines& l = app.lines;
  const double k = l.PaperUnitsPerMetre, pageHeight = PageHeight(app);
  constexpr double arm = 10;
  RtSetFontSize(kPrinter, 8);
  RtColor(kPrinter, 0);
  for (int i = 0; i <= p.SelectionLast; ++i) {
    const int number = p.SelectionList(i);
    if (number == 0) continue;
    const double a = (p.PointY(number) - app.view.PlotOriginY) * k;
    const double b = (p.PointX(number) - app.view.PlotOriginX) * k;
    const double x = RotateX(a, b, l.DrawingRotation);
    const double y = pageHeight - RotateY(a, b, l.DrawingRotation);
    RtLine(kPrinter, x - arm, y, x + arm, y, 0);
    RtLine(kPrinter, x, y - arm, x, y + arm, 0);
    PrintAt(x + arm, y + arm, p.PointName(number));
  }
}

void PrintTitleLine(App& app) {
  RtSetFontSize(kPrinter, 8);
  RtColor(kPrinter, 0);
  RtPset(kPrinter, 100, PageHeight(app) - 30, 0);
  RtPrintToWindow(kPrinter,
                  app.settings.ZA + "   S=1/" + RtNumText(app.lines.ScaleDenominator) + "   " +
                      RtDate(),
                  true);
}

// The report text in columns below the drawing, page after page.
class ResultTextPrinter {
 public:
  ResultTextPrinter(App& app, double size)
      : app_(app), size_(size), lineY_(PageHeight(app) + 50), columnTop_(lineY_) {}

  void Run() {
    RtClose(kPrintBuffer);
    RtOpen(kPrintBuffer, PrintBufferPath(app_), RtFileMode::Input);
    std::string line;
    while (!RtEof(kPrintBuffer)) {
      RtLineInputVar(kPrintBuffer, line);
      const bool separator = line == "_";
      if (!started_ && separator) continue;
      started_ = true;
      widest_ = std::max(widest_, RtTextWidth(kPrinter, line));
      if (lineY_ + 7 * size_ > 10 * RtDeviceCaps(kCapPrintableHeightMm)) NextColumn();
      if (gap_ + columnX_ + widest_ > 10 * RtDeviceCaps(kCapPrintableWidthMm)) NextPage();
      if (lineY_ == columnTop_ && HeadsColumn(line)) PrintLine(Heading());
      if (separator) lineY_ += Pitch();
      PrintLine(separator ? Heading() : line);
    }
  }

 private:
  const std::string& Heading() const { return app_.output.ReportHeaderLine; }
  double Pitch() const { return 3.5 * size_; }

  bool HeadsColumn(const std::string& line) const {
    return line != Heading() && !Heading().empty() && RtInstr(line, "=") == 0;
  }

  void PrintLine(std::string_view text) {
    PrintAt(columnX_ + gap_, lineY_, text);
    lineY_ += Pitch();
  }

  void NextColumn() {
    columnX_ = gap_ + columnX_ + widest_;
    lineY_ = columnTop_;
    gap_ = 100;
  }

  void NextPage() {
    RtPrinterEndPage();
    RtPrinterStartPage();
    columnX_ = 0;
    lineY_ = 100;
    gap_ = 140;
    columnTop_ = 100;
  }

  App& app_;
  const double size_;
  double columnX_ = 0;
  double gap_ = 140;
  double lineY_;
  double columnTop_;
  double widest_ = 0;
  bool started_ = false;
};

// Asks the text size of the report below the drawing; 0 abandons the print.
double AskResultTextSize(App& app) {
  RtPrintStr("作業結果文字サイズ(ﾎﾟｲﾝﾄ)", true);
  RtPrintStr("[0,6,7,8,9,10,11,12,13,14,15] 9", false);
  app.input.GuideNumber = 254;
  InputPointName(app);
  return app.input.Answer.empty() ? 9 : app.input.AnswerValue;
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

Jump PrintOutput(App& app) {
  DrawSelectedPointsOnPage(app);
  PrintTitleLine(app);
  const bool withReport = app.output.ResultsPlaced == 1;
  if (withReport && RtLof(kPrintBuffer) > 100) {
    RtLine(kPrinter, 0, PageHeight(app), 9000, 9000, 15, RtLineShape::FilledBox);
    const double size = AskResultTextSize(app);
    if (size == 0) {
      RtPrinterRelease();
      return {ShowResultMenu};
    }
    RtPrintStr(" ", true);
    RtSetFontSize(kPrinter, size);
    RtColor(kPrinter, 0);
    ResultTextPrinter(app, size).Run();
  }
  RtGraphMove(kPrinter, 0, 0);
  RtPrinterEndPage();
  RtPrinterEndDoc();
  if (!withReport) return {EntryOf(Routines().CadMenu)};
  ResetPrintBuffer(app);
  app.points.NewPointCount = 0;
  return {EntryOf(Routines().RepeatLastCommand)};
}
