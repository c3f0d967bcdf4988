#include "ui/key_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "shell/app.h"

namespace {

TEST(ViewCommandKeys, MatchByCodeOrByText) {
  struct Case {
    int code;
    std::string text;
    std::optional<ViewCommand> command;
  };
  const std::vector<Case> cases = {
      {9, "\t", ViewCommand::CycleLabelSize},   {92, "\\", ViewCommand::CycleLabelSize},
      {18, "\x12", ViewCommand::CentreOnLastPoint},
      {11, "\x0b", ViewCommand::CentreOnPointer}, {58, ":", ViewCommand::CentreOnPointer},
      {19, "\x13", ViewCommand::ZoomIn},         {91, "[", ViewCommand::ZoomIn},
      {20, "\x14", ViewCommand::ZoomOut},        {93, "]", ViewCommand::ZoomOut},
      {21, "\x15", ViewCommand::ZoomAll},        {59, ";", ViewCommand::ZoomAll},
      {28, "\x1c", ViewCommand::PanEast},        {29, "\x1d", ViewCommand::PanWest},
      {30, "\x1e", ViewCommand::PanNorth},       {31, "\x1f", ViewCommand::PanSouth},
      // Shift+Home, Enter, Backspace, Escape, Delete and letters are no commands.
      {12, "\x0c", std::nullopt}, {13, "\r", std::nullopt}, {8, "\b", std::nullopt},
      {27, "\x1b", std::nullopt}, {127, "\x7f", std::nullopt}, {97, "a", std::nullopt},
      {0x91, "\x91\x5c", std::nullopt},  // a double-byte character whose trail byte is "\"
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchViewCommand(c.code, c.text), c.command) << c.code;
  }
}

TEST(WordTests, AnswerWordTestsTheFirstByte) {
  const std::vector<std::pair<std::string, double>> cases = {
      {"", 0},   {" 12", 0}, {"\x91\xaa", 0}, {"[A", 0}, {"{", 0}, {"\"", 0},
      {"#", 1},  {"Z", 1},   {"^", 1},        {"z", 1},  {",5", 1}, {"12", 1},
  };
  for (const auto& [answer, result] : cases) {
    App app;
    app.input.Answer = answer;
    TestAnswerWord(app);
    EXPECT_EQ(app.input.WordTestResult, result) << '"' << answer << '"';
  }
}

TEST(WordTests, CommaEndsAWordOnTheConsole) {
  const std::vector<std::pair<double, double>> cases = {
      {44, 0}, {35, 1}, {90, 1}, {91, 0}, {93, 0}, {94, 1},
      {122, 1}, {123, 0}, {32, 0}, {0, 0}, {0x91, 0},
  };
  for (const auto& [code, result] : cases) {
    App app;
    app.input.ScreenCharCode = code;
    TestWordCharacter(app);
    EXPECT_EQ(app.input.WordTestResult, result) << code;
  }
}

}  // namespace
