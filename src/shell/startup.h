// Start-up: the pieces of ProgramStart that are worth calling on their own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct App;

namespace shell {

// What the screen-size rules choose from the maximised navigator's client size:
// font sizes in points of the navigator and of the dynamic view, the navigator's
// size factor, the mouse ratio and the size of the view's labels (ViewFontSize).
struct ScreenSizeChoice {
  double navigatorFont = 9;
  double navigatorScale = 1;
  double viewFont = 7;
  double mouseScaleRatio = 1;
  double labelSize = 7;

  bool operator==(const ScreenSizeChoice&) const = default;
};

// Applies the screen-size rules for a navigator of `width` x `height` (units of
// 0.01 inch) to `choice`: every rule whose condition holds sets its values, later
// rules over earlier ones, values a rule leaves alone stay as they came. The sizes
// are returned as the rules give them, also when they come out at 0 or below.
ScreenSizeChoice ApplyScreenSizeRules(double width, double height, ScreenSizeChoice choice);

// The first steps of start-up, up to the settings: the program, job and data
// folders, the pointer file KRN2000.INI in the Windows folder (written when the
// command line is empty, else read: its line names the data folder, which
// becomes current) and the settings file KRN2000.DEF of the data folder. A
// missing pointer or settings file gives the default settings; a failure on the
// way leaves the current folder as the data folder, with the default settings.
// Returns the settings file's values that were not taken.
std::vector<std::string> FindFoldersAndSettings(App& app);

}  // namespace shell

// Close requests of the three windows. The main window asks whether to end;
// on OK it removes the work files and ends the program. The dynamic view and the
// navigator cannot be closed.
void MainFormQueryClose(App& app, int16_t& cancel);
void Form2QueryClose(App& app, int16_t& cancel);
void Form3QueryClose(App& app, int16_t& cancel);
