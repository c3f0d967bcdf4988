// The section's settings on the console: drawing on and off, the scales and
// their ratio, the datum line and chainage window, the item table's spacing and
// the value texts, with the way into the table types and the vertical alignment.
#pragma once

#include <string_view>

#include "core/control.h"

struct App;

namespace profile {

// The horizontal scale that keeps the ratio for a new vertical scale,
// INT(vertical / ratio x 1000 + 0.5) / 1000; the vertical scale itself when the
// ratio in force is no ratio (0 or below).
double KeptHorizontalScale(double vertical, double ratio);
// VerticalRatio of two scales: INT(vertical / horizontal x 1000 + 0.5) / 1000.
double RatioOfScales(double vertical, double horizontal);

// Prints the label with the value shown (print form) and `after`, and asks
// through InputPointName; true when something was typed (AnswerValue holds it).
bool AskProfileValue(App& app, std::string_view label, double shown, int guide,
                     std::string_view after = "");

}  // namespace profile

// The settings menu: first-use values once per run, the status line and
// " 1:描画ON,OFF  2:縮尺  3:位置設定  4:項目変更  5:縦断勾配 ". Any other answer,
// Enter and negative ones included, shows the last main-menu command again.
Jump ShowProfileSettingsMenu(App& app);
// The status line: drawing on or off, the type name and "縦比率＝" 1 / ratio.
void ShowProfileStatus(App& app);
// " 1:タイプ  2:項目間隔  3:文字設定 "; any other answer goes back to the settings menu.
Jump ShowProfileItemMenu(App& app);
