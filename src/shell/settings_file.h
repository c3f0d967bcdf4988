// The settings file: one line per setting, label + key "=" + value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct App;

// Reads the settings file open for input as file 4, to its end. A value the
// program cannot use (no number, or none of the key's choices) leaves its
// setting as it was, which at start-up is the default; each such key gives one
// line of the result, naming the key, the text found and the value kept.
[[nodiscard]] std::vector<std::string> ReadSettings(App& app);
// Tells the user in one message box which settings of the file `fileName` were
// not taken (the lines ReadSettings gave); nothing when there are none.
void ReportRefusedSettings(std::string_view fileName, const std::vector<std::string>& refused);
// A saved mouse calibration ratio the layouts can use: from 0.5 to 2. Farther
// from 1 the click was beside the cross, and the layouts, which scale the
// windows by the ratio, would push them off the screen.
bool IsUsableMouseRatio(double ratio);
// The settings of a start without a settings file.
void ApplyDefaultSettings(App& app);
// The settings file's lines in their order, each label + value + one blank:
// ZA$, a blank line, ZD ... VX$, then "MOX=" with the live ratio when a saved
// ratio was read at start and the system is not an old one.
std::vector<std::string> SettingsLines(const App& app);
// Writes the settings file's lines to file 4, open for output.
void WriteSettingsLines(App& app);
// Replaces the "MOX=" line of "KRN2000.DEF" in the data folder by the live ratio.
void RewriteMouseCalibration(App& app);
