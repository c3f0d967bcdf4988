// The settings file: one line per setting, label + key "=" + value.
#pragma once

#include <string>
#include <vector>

struct App;

// Reads the settings file open for input as file 4, to its end.
void ReadSettings(App& app);
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
