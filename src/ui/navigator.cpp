// The navigator: the guide text of each question and the menu picture.
#include "ui/navigator.h"

#include <cmath>
#include <string>
#include <string_view>

#include "core/app.h"
#include "core/constants.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "runtime/windows.h"

namespace {

constexpr int kGuideFileNumber = core::kGuideTextFile;
constexpr const char* kGuideFileName = "KRN2000.lst";
constexpr int kGuideTextBound = 1100;

// The guide text area at the navigator's left edge, navigator units before the
// size factors.
constexpr double kGuideAreaWidth = 223;
constexpr double kGuideAreaHeight = 1000;
constexpr int kGuideAreaColour = 14;
constexpr int kGuideTitleColour = 10;
constexpr int kGuideBodyColour = 1;
constexpr int kFooterColour = 0;
constexpr int kFooterRow = 27;
constexpr double kMainMenuGuide = 2;
constexpr int kGuideBodyLimit = 2000;   // bytes of a text shown after its title
constexpr double kStackedDisplays = 2;  // ShowGuide's text and the one after it

// A navigator narrower than this (outer width, screen pixels) has no room for
// the menu picture beside the guide text.
constexpr double kNarrowestPictureWidth = 270;

// The menu picture: cell (column, row) has its top-left corner at
// (230 + pitch x column, 22 + pitch x row) and the size 137 x 114, navigator
// units before the size factors. The pitch is a single-precision constant.
constexpr double kCellPitch = double(136.79f);
constexpr double kCellLeft = 230;
constexpr double kCellTop = 22;
constexpr double kCellWidth = 137;
constexpr double kCellHeight = 114;
// The cell area beside the guide text, cleared before a cell is magnified into it.
constexpr double kCellAreaLeft = 228;
constexpr double kCellAreaRight = 501;
constexpr double kCellAreaBottom = 156;
constexpr int kCellAreaColour = 15;
// Where the magnified cell goes.
constexpr double kMagnifiedLeft = 225;
constexpr double kMagnifiedWidth = 180;
constexpr double kMagnifiedHeight = 157;

// Each stored line ends in a line feed and a carriage return, in that order.
constexpr std::string_view kGuideLineEnd = "\n\r";

// The number of a marker line ("/" and up to five characters), rounded as a
// subscript; -1 when it is no usable number.
long long MarkerNumber(const std::string& line) {
  const double number = RtVal(RtTrim(RtMid(line, 2, 5)));
  return std::isfinite(number) ? std::llround(number) : -1;
}

// The title: the text before its first line feed.
std::string TitleOf(const std::string& text) { return text.substr(0, text.find('\n')); }

// The title with its line feed.
std::string TitleLineOf(const std::string& text) {
  const size_t lineFeed = text.find('\n');
  return lineFeed == std::string::npos ? text : text.substr(0, lineFeed + 1);
}

// The body: from the first carriage return on, at most kGuideBodyLimit bytes.
std::string BodyOf(const std::string& text) {
  const size_t carriageReturn = text.find('\r');
  if (carriageReturn == std::string::npos) return {};
  return rt::CutBytes(std::string_view(text).substr(carriageReturn), kGuideBodyLimit);
}

void ClearGuideArea(const App& app) {
  const double s = app.navigator.NavigatorScale;
  const double m = app.view.MouseScaleRatio;
  RtLine(RtWindowId::Nav, 0, 0, kGuideAreaWidth * s, kGuideAreaHeight * s * m, kGuideAreaColour,
         RtLineShape::FilledBox);
  RtLocateWindow(RtWindowId::Nav, 0, 0);
}

void PrintOnNavigator(int colour, std::string_view text) {
  RtColor(RtWindowId::Nav, colour);
  RtPrintToWindow(RtWindowId::Nav, text, false);
}

// Text GuideNumber at the text cursor: its title into the main window's caption
// and the navigator, then its body; the footer once the stacking has run out.
void ShowGuideText(App& app) {
  ui::NavigatorState& nav = app.navigator;
  const double number = app.input.GuideNumber;
  const std::string& text = nav.GuideText(number);
  RtSetWindowTitle(RtWindowId::Main, nav.PreviousGuideTitle + "   " + TitleOf(text) +
                                         std::string(28, ' ') + RtStr(number));
  nav.PreviousGuideTitle = TitleLineOf(text);
  PrintOnNavigator(kGuideTitleColour, nav.PreviousGuideTitle);
  if (!text.empty()) PrintOnNavigator(kGuideBodyColour, BodyOf(text));
  nav.GuideCountdown -= 1;
  if (nav.GuideCountdown > 0) return;
  // The main menu's text is short: its footer follows it directly.
  if (number != kMainMenuGuide) RtLocateWindow(RtWindowId::Nav, 0, kFooterRow);
  PrintOnNavigator(kFooterColour, nav.GuideText(0));
}

// The menu picture and its cells need a navigator that shows more than the text.
bool PictureShown(const App& app) {
  return app.navigator.NavigatorOff != 1 &&
         RtWindowOuterWidth(RtWindowId::Nav, RtSizeUnit::ScreenPixels) > kNarrowestPictureWidth;
}

}  // namespace

void LoadGuideTexts(App& app) {
  ui::NavigatorState& nav = app.navigator;
  nav.GuideText.Dimension(kGuideTextBound);
  if (!RtOpen(kGuideFileNumber, kGuideFileName, RtFileMode::Input)) {
    nav.NavigatorOff = 1;
    return;
  }
  long long current = 0;  // lines before the first marker are text 0, the footer
  std::string line;
  while (!RtEof(kGuideFileNumber)) {
    RtLineInputVar(kGuideFileNumber, line);
    if (line.starts_with('/')) {
      current = MarkerNumber(line);
      continue;
    }
    // A text numbered outside the table is skipped; the others still load.
    if (nav.GuideText.Contains(current)) {
      nav.GuideText(current) += line;
      nav.GuideText(current) += kGuideLineEnd;
    }
  }
  RtClose(kGuideFileNumber);
}

void ShowGuide(App& app) {
  ui::NavigatorState& nav = app.navigator;
  if (nav.NavigatorOff == 1) return;
  nav.GuideCountdown = kStackedDisplays;
  ClearGuideArea(app);
  ShowGuideText(app);
}

void ShowGuideNext(App& app) {
  ui::NavigatorState& nav = app.navigator;
  if (nav.NavigatorOff == 1) return;
  if (nav.GuideCountdown <= 0) {
    ClearGuideArea(app);
    nav.PreviousGuideTitle.clear();
  }
  ShowGuideText(app);
}

void ShowMenuPosition(App& app) {
  if (!PictureShown(app)) return;
  ui::NavigatorState& nav = app.navigator;
  const double s = nav.NavigatorScale;
  const double sm = s * app.view.MouseScaleRatio;
  RtLine(RtWindowId::Nav, kCellAreaLeft * s, 0, kCellAreaRight * s, kCellAreaBottom * sm,
         kCellAreaColour, RtLineShape::FilledBox);
  const double cellLeft = std::floor(kCellLeft + kCellPitch * nav.MenuCellColumn) * s;
  const double cellTop = std::floor(kCellTop + kCellPitch * nav.MenuCellRow) * sm;
  RtDrawBitmapPart(RtWindowId::Nav, nav.NavigatorBitmap, kMagnifiedLeft * s, 0, kMagnifiedWidth * s,
                   kMagnifiedHeight * sm, cellLeft, cellTop, kCellWidth * s, kCellHeight * sm);
  nav.NavigatorPictureDirty = 1;
}

void RestoreNavigatorPicture(App& app) {
  ui::NavigatorState& nav = app.navigator;
  if (!PictureShown(app) || nav.NavigatorPictureDirty != 1) return;
  RtCls(RtWindowId::Nav);
  RtDrawBitmap(RtWindowId::Nav, nav.NavigatorPicture, 0, 0);
  nav.NavigatorPictureDirty = 0;
}
