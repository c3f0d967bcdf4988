// The print buffer "PRINTR.DAT" and its paged print: the settings of one print,
// the measured page length, the paged copy "P.D" and printing it page by page.
#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "core/app.h"
#include "core/constants.h"
#include "files/result.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/printer.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

using core::kPrintBuffer;
constexpr int kPagedCopy = 6;
constexpr RtWindowId kPrinter = RtWindowId::Printer;

constexpr std::string_view kSeparatorLine = "_";
constexpr std::string_view kFormFeedLine = "\f";
constexpr std::string_view kPageHeaderTemplate =
    "  &                    &現場=&                    &(&        &) Page& &";
constexpr std::string_view kMinchoFont = "ＭＳ 明朝";
constexpr std::string_view kGothicFont = "ＭＳ ゴシック";
constexpr double kDefaultFontSize = 11;

// Fewer lines than this per page would never end a page by its count (the
// first page lines of a landscape page and a repeated heading already count 4).
constexpr double kMinLinesPerPage = 5;
// The measurement stops here whatever the font: no page holds more lines.
constexpr int kMaxMeasuredLines = 100000;

std::string PagedCopyPath(const App& app) { return app.shell.DataFolder + "P.D"; }

void PrintPrompt(std::string_view text, double guide, App& app) {
  RtPrintStr(text, false);
  app.input.GuideNumber = guide;
}

// The font and size question; "明" and "ｺﾞｼ" choose the font and ask again, a
// size of 0 or less is refused and asked again.
void AskFontAndSize(App& app) {
  files::Output& out = app.output;
  for (;;) {
    out.PrintFontSize = kDefaultFontSize;
    RtPrintStr("ﾌｫﾝﾄ,ｻｲｽﾞ[ ", false);
    RtColor(out.PrintFontName == kMinchoFont ? 13 : 7);
    RtPrintStr("明", false);
    RtColor(7);
    RtPrintStr(" ", false);
    RtColor(out.PrintFontName == kGothicFont ? 13 : 7);
    RtPrintStr("ｺﾞｼ", false);
    RtColor(7);
    PrintPrompt(" ][ 7 8 9 10 11 12 ] 11 ", 193, app);
    InputMenuChoice(app);
    const std::string& answer = app.input.Answer;
    if (!answer.empty()) out.PrintFontSize = app.input.AnswerValue;
    const bool fontChosen = answer == "明" || answer == "ｺﾞｼ";
    if (answer == "明") out.PrintFontName = kMinchoFont;
    if (answer == "ｺﾞｼ") out.PrintFontName = kGothicFont;
    if (!fontChosen && out.PrintFontSize > 0) return;
    RtLocate(0, app.input.PromptRow);
  }
}

// Title (only when there is none), date, separator handling, font and size.
void AskPrintSettings(App& app) {
  files::Output& out = app.output;
  if (out.ReportTitle.empty()) {
    PrintPrompt("作業名＝ ", 253, app);
    InputPointName(app);
    out.ReportTitle = app.input.Answer;
  }
  const std::string today = RtDate();
  PrintPrompt("年月日＝ " + today + " ", 190, app);
  InputPointName(app);
  out.ReportDate = app.input.Answer.empty() ? today : app.input.Answer;
  PrintPrompt(" _ 毎改ﾍﾟｰｼﾞ[0,1] 0 ", 191, app);
  InputPointName(app);
  out.SeparatorPageBreak = app.input.AnswerValue;
  out.PageNumber = 1;
  AskFontAndSize(app);
}

// Page height, orientation, the print job and the printer's font.
void StartPrintJob(App& app) {
  files::Output& out = app.output;
  out.PageHeightMm = RtDeviceCaps(kCapPrintableHeightMm);
  out.Landscape = out.PageHeightMm > 0 && RtDeviceCaps(kCapPrintableWidthMm) / out.PageHeightMm > 1;
  RtPrinterStartDoc(rt::CutBytes(app.settings.ZA, 30));
  RtSetScaleMode(kPrinter, 2);
  RtSetFontName(kPrinter, out.PrintFontName);
  RtSetFontSize(kPrinter, out.PrintFontSize);
  RtColor(kPrinter, 0);
}

// ---- The paged copy ----

class PagedCopyWriter {
 public:
  explicit PagedCopyWriter(App& app)
      : out_(app.output), margin_(files::LeftMargin(app.output.PrintFontSize)), app_(app) {}

  void Run() {
    out_.LastPrintedLine.clear();
    std::string line;  // the last line read from the print buffer
    for (;;) {
      StartPage(line);
      for (;;) {
        if (RtEof(kPrintBuffer)) return FinishPage();
        RtLineInputVar(kPrintBuffer, line);
        const bool separator = line == kSeparatorLine;
        if (separator && out_.SeparatorPageBreak == 0) Body("");
        if (!separator) {
          Body(margin_ + line);
          out_.LastPrintedLine = line;
        } else if (RtEof(kPrintBuffer)) {
          return FinishPage();
        }
        if (PageEnds(line)) break;
      }
      ++out_.PageNumber;
      FinishPage();
    }
  }

 private:
  void Write(std::string_view text) { RtPrintToFile(kPagedCopy, text); }
  void Body(std::string_view text) {
    Write(text);
    ++out_.PageLineCount;
  }
  void FinishPage() { Write(kFormFeedLine); }

  void StartPage(const std::string& lastRead) {
    out_.PageLineCount = 0;
    Write("");
    if (out_.Landscape) {
      out_.PageLineCount = 3;
      for (int i = 0; i < 3; ++i) Write("");
    }
    Write(margin_ + files::PageHeaderLine(app_));
    Write("");
    if (RepeatsHeading(lastRead)) Body(margin_ + out_.ReportHeaderLine);
  }

  // A table that runs over the page end gets its heading again, unless the
  // page ended at a section or a line that was no table row.
  bool RepeatsHeading(const std::string& lastRead) const {
    return out_.PageNumber > 1 && !out_.ReportHeaderLine.empty() &&
           RtInstr(out_.LastPrintedLine, "=") == 0 && lastRead != kSeparatorLine &&
           out_.SeparatorPageBreak != 1;
  }

  bool PageEnds(const std::string& line) const {
    const double count = out_.PageLineCount, full = out_.LinesPerPage;
    return count == full || (count == full - 1 && line.empty()) ||
           (line == kSeparatorLine && out_.SeparatorPageBreak == 1 && count != 0);
  }

  files::Output& out_;
  const std::string margin_;
  App& app_;
};

}  // namespace

std::string PrintBufferPath(const App& app) { return app.shell.DataFolder + "PRINTR.DAT"; }

namespace files {

std::vector<std::string> PrintBufferLines(App& app) {
  std::vector<std::string> lines;
  RtClose(kPrintBuffer);
  RtOpen(kPrintBuffer, PrintBufferPath(app), RtFileMode::Input);
  std::string line;
  while (!RtEof(kPrintBuffer)) {
    RtLineInputVar(kPrintBuffer, line);
    lines.push_back(line);
  }
  return lines;
}

}  // namespace files

void ResetPrintBuffer(App& app) {
  RtClose(kPrintBuffer);
  const std::string path = PrintBufferPath(app);
  RtKill(path);
  // Appending writes in place, so the empty buffer is on disk from now on.
  RtOpen(kPrintBuffer, path, RtFileMode::Append);
}

namespace files {

double LinesPerPageFor(double measuredLines) {
  const double step = double(0.2f);
  return std::floor(std::floor((measuredLines - 4) * step) / step + double(0.1f));
}

std::string LeftMargin(double fontSize) { return std::string(RtWhole(78 / fontSize), ' '); }

std::string PageHeaderLine(const App& app) {
  const Output& out = app.output;
  return RtFormatUsing(kPageHeaderTemplate, {out.ReportTitle, app.settings.ZA, out.ReportDate,
                                             RtStr(out.PageNumber)});
}

}  // namespace files

Jump PrintReport(App& app) {
  RtOpen(kPrintBuffer, PrintBufferPath(app), RtFileMode::Input);
  AskPrintSettings(app);
  if (!RtSelectPrinter()) {
    RtPrinterRelease();
    return {ShowResultMenu};
  }
  StartPrintJob(app);
  MeasureLinesPerPage(app);
  BuildPagedCopy(app);
  RtCloseAll();
  PrintPagedCopy(app);
  return {ShowResultMenu};
}

void MeasureLinesPerPage(App& app) {
  files::Output& out = app.output;
  int lines = 0;
  do {
    ++lines;
    RtPrintToWindow(kPrinter, "", true);
  } while (RtGraphPoint(kPrinter, 1) / 10 <= out.PageHeightMm && lines < kMaxMeasuredLines);
  out.LinesPerPage = std::max(files::LinesPerPageFor(lines), kMinLinesPerPage);
}

void BuildPagedCopy(App& app) {
  RtOpen(kPagedCopy, PagedCopyPath(app), RtFileMode::Output);
  PagedCopyWriter(app).Run();
  RtClose(kPagedCopy);
}

void PrintPagedCopy(App& app) {
  const bool landscape = app.output.Landscape;
  RtOpen(kPagedCopy, PagedCopyPath(app), RtFileMode::Input);
  std::string line;
  int lineIndex = 0;
  RtPrinterStartPage();
  while (!RtEof(kPagedCopy)) {
    RtLineInputVar(kPagedCopy, line);
    if (line == kFormFeedLine) {
      RtPrinterEndPage();
      RtPrinterStartPage();
      lineIndex = 0;
      continue;
    }
    // The page header line is the second of a page, the fifth in landscape.
    const bool header = lineIndex == 1 || (landscape && lineIndex == 4);
    RtSetFontItalic(kPrinter, header);
    RtSetFontBold(kPrinter, header);
    RtPrintToWindow(kPrinter, line, true);
    RtSetFontItalic(kPrinter, false);
    RtSetFontBold(kPrinter, false);
    ++lineIndex;
  }
  RtClose(kPagedCopy);
  RtPrinterEndPage();
  RtPrinterEndDoc();
  RtPrinterRelease();
}
