// The navigator: the guide text of each question and the menu picture.
#include "ui/navigator.h"

#include <cmath>
#include <string>
#include <string_view>

#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "runtime/windows.h"
#include "shell/app.h"

namespace {

constexpr int kGuideFileNumber = 5;
constexpr const char* kGuideFileName = "KRN2000.lst";
constexpr int kGuideTextBound = 1100;

constexpr int kGuideAreaColour = 14;
constexpr int kGuideTitleColour = 10;
constexpr int kGuideBodyColour = 1;
constexpr int kFooterColour = 0;
constexpr int kFooterRow = 27;
constexpr double kMainMenuGuide = 2;
constexpr int kGuideBodyLimit = 2000;  // bytes of a text shown after its title

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
  RtLine(RtWindowId::Nav, 0, 0, 223 * s, 1000 * s * m, kGuideAreaColour, RtLineShape::FilledBox);
  RtLocateWindow(RtWindowId::Nav, 0, 0);
}

void PrintOnNavigator(int colour, std::string_view text) {
  RtColor(RtWindowId::Nav, colour);
  RtPrintToWindow(RtWindowId::Nav, text, false);
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

void ShowGuideNext(App& app) {
  ui::NavigatorState& nav = app.navigator;
  if (nav.NavigatorOff == 1) return;
  const double number = app.input.GuideNumber;
  if (nav.GuideCountdown <= 0) {
    ClearGuideArea(app);
    nav.PreviousGuideTitle.clear();
  }
  const std::string& text = nav.GuideText(number);
  RtSetWindowTitle(RtWindowId::Main,
                   nav.PreviousGuideTitle + "   " + TitleOf(text) + std::string(28, ' ') + RtStr(number));
  nav.PreviousGuideTitle = TitleLineOf(text);
  PrintOnNavigator(kGuideTitleColour, nav.PreviousGuideTitle);
  if (!text.empty()) PrintOnNavigator(kGuideBodyColour, BodyOf(text));
  nav.GuideCountdown -= 1;
  if (nav.GuideCountdown > 0) return;
  if (number != kMainMenuGuide) RtLocateWindow(RtWindowId::Nav, 0, kFooterRow);
  PrintOnNavigator(kFooterColour, nav.GuideText(0));
}

void RestoreNavigatorPicture(App& app) {
  ui::NavigatorState& nav = app.navigator;
  if (nav.NavigatorOff == 1 || nav.NavigatorPictureDirty != 1) return;
  if (RtWindowOuterWidth(RtWindowId::Nav, RtSizeUnit::ScreenPixels) <= 270) return;
  RtCls(RtWindowId::Nav);
  RtDrawBitmap(RtWindowId::Nav, nav.NavigatorPicture, 0, 0);
  nav.NavigatorPictureDirty = 0;
}
