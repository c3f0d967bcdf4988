// Single keys that act on the dynamic view while a question is open, the screen
// pick mode, and the word tests of the click handlers.
#pragma once

#include <optional>
#include <string_view>

struct App;

// The view commands, in the order the key loop tests them.
enum class ViewCommand {
  CycleLabelSize,     // Tab or "\"
  CentreOnLastPoint,  // Insert
  CentreOnPointer,    // Home or ":"
  ZoomIn,             // Page Up or "["
  ZoomOut,            // Page Down or "]"
  ZoomAll,            // End or ";"
  PanEast,            // cursor right
  PanWest,            // cursor left
  PanNorth,           // cursor up
  PanSouth,           // cursor down
};

// The view command of a key (its text and the code of its first byte), if any.
std::optional<ViewCommand> MatchViewCommand(int keyCode, std::string_view keyText);
// Performs a view command; the key loop then redraws the view.
void RunViewCommand(App& app, ViewCommand command);

// Backspace at an empty prompt: the user marks a word on the console and takes
// it as the answer. When it ends the question it leaves PickAnswered = 1.
void ScreenPickMode(App& app);

// WordTestResult := 1 when Answer begins with a byte of 35-90 or 94-122.
void TestAnswerWord(App& app);
// WordTestResult := 1 when ScreenCharCode is a word character: 35-90 except ","
// (44), or 94-122.
void TestWordCharacter(App& app);
