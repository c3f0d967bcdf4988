// The plot settings of DXF menu choices 1 "初期設定" and 2 "ﾌﾟﾛｯﾄ追加": the
// questions of text size, elevation, name, code, point records, mark and its
// size, registered lines and their distance decimals, grid and heights, then
// the confirmation, before the plot.
#pragma once

#include <string>
#include <string_view>

#include "core/control.h"

struct App;

namespace dxf {

// What an answer must be to make a drawing; an answer that fails is asked again
// after a message.
enum class SettingCheck {
  kAny,          // used as typed
  kPositive,     // a size above 0
  kDecimals,     // a whole number of decimals, 0 or more
  kNameStart,    // 0 (no names) or a byte position of 1 or more
  kNotNegative,  // 0 or more (a grid interval)
};
// The message for a value that fails `check`; empty when the value is usable.
std::string_view SettingCheckMessage(SettingCheck check, double value);

// Prints `prompt`, reads the answer (GuideNumber `guide`) and gives its value,
// or `current` for Enter alone; asks again while the value fails `check`.
double AskPlotSetting(App& app, std::string_view prompt, int guide, double current, SettingCheck check);

// The mark settings an answer to "マーク = ＋" leaves: the mark answer (the
// trimmed answer) and the general mark (the answer as typed or the word
// clicked when its value is 0; "＋" for Enter and every other number; nothing
// for "0:ﾅｼ").
struct MarkSettings {
  std::string markAnswer;
  std::string generalMark;
};
MarkSettings MarkSettingsOf(std::string_view answer, double answerValue, std::string_view answerCopy);

}  // namespace dxf

// Choice 1: the questions, then, once confirmed, the drawing made anew with the
// head and the plot; "N" leaves to the CAD menu with the drawing as it was.
Jump SetUpDxfDrawing(App& app);
// Choice 2: the plot with the defaults when nothing was plotted yet, the
// points to add chosen, the questions (without the registered lines), the plot
// without labels.
Jump AddPlotToDxf(App& app);
