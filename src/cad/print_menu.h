// The print menu of the CAD menu: one printer page opened on entry, the
// drawing put on it with settings or defaults, further points and lines added,
// and the output that ends the document. Every other way out of the menu, and
// any error or jump while a print is open, abandons the document before the
// printer is released.
#pragma once

#include <string>

#include "core/control.h"

struct App;

// CAD-menu choice 5: the warnings about drawings meant for the drawing output,
// OpenPrinterPage, then the menu.
Jump PrintMenu(App& app);
// The menu " 1:設定  2:追加ﾌﾟﾛｯﾄ  3:追加結線  4:ﾌﾟﾘﾝﾄ出力 "; any other answer aborts
// the document, releases the printer and goes back to the CAD menu.
Jump PrintMenuDisplay(App& app);
// Choice 1: the print settings, then the page drawing.
Jump PrintSettings(App& app);
// Choice 2: the drawing with the defaults when none was given, then the points
// to add with the settings of an additional plot.
Jump AddPlotPoints(App& app);
// The defaults when no settings were given in this print (the frame as the
// caller asked it), then the page drawing.
void ApplyPrintDefaults(App& app);
// GridInterval := the interval the scale suggests.
void GridIntervalForScale(App& app);

namespace cad {
// The mark question's answer as the two settings: PrintMarkAnswer and the
// general mark PrintMarkSymbol ("＋" for Enter or "10", empty for "0:ﾅｼ").
struct MarkSettings {
  std::string answer;
  std::string symbol;
};
MarkSettings MarkSettingsOf(const std::string& answer, double answerValue, const std::string& answerCopy);

// Runs a step of an open print: an error or a jump out of it abandons the
// document and releases the printer before it goes on to the error handler or
// the jump's target.
Jump WhilePrinting(App& app, Jump (*step)(App&));
}  // namespace cad
