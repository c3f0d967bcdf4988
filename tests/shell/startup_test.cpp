#include "shell/startup.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "core/app.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/console_state.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/temp_folder.h"
#include "shell/program.h"
#include "support/u8.h"

namespace shell {

void PrintTo(const ScreenSizeChoice& c, std::ostream* os) {
  *os << "{font " << c.navigatorFont << ", scale " << c.navigatorScale << ", view font "
      << c.viewFont << ", mouse " << c.mouseScaleRatio << ", label " << c.labelSize << "}";
}

}  // namespace shell

namespace {

using shell::ApplyScreenSizeRules;
using shell::ScreenSizeChoice;

// What start-up has set before the rules: navigator font 9, scale 1, view font
// 7, mouse ratio 1, label size 7.
const ScreenSizeChoice kBefore{};

struct Case {
  const char* what;
  double width;
  double height;
  ScreenSizeChoice expected;
};

TEST(ScreenSizeRules, TableOfScreens) {
  const double r1_06066 = double(1.06066f);
  const std::vector<Case> cases = {
      // Rules 1 to 8 apply, 9 does not, 10 does (1.444), 11 does not.
      {"worked example 1300 x 900", 1300, 900, {10, 1300.0 / 1050, 8, r1_06066, 8}},
      // Rule 14 decides every width below 1216.
      {"narrow and low", 1000, 700, {10, double(1.18f), 8, 1, 8}},
      {"narrow and high", 1215, 1000, {10, double(1.18f), 8, 1, 8}},
      {"very narrow and very high", 800, 2000, {10, double(1.18f), 8, 1, 8}},
      // Ratio limits in single precision: 1.4 passes rule 10, 1.48, 1.6 and
      // 1.7 do not pass rules 11, 12 and 13.
      {"ratio exactly 1.4", 1400, 1000, {10, 1400.0 / 1050, 8, r1_06066, 8}},
      {"ratio exactly 1.48", 1480, 1000, {10, 1480.0 / 1050, 8, r1_06066, 8}},
      {"ratio exactly 1.6", 1600, 1000, {10, 1600.0 / 1050, 8, 1.125, 8}},
      {"ratio exactly 1.7", 1700, 1000, {10, 1700.0 / 1050, 8, 1.25, 8}},
      {"ratio 1.8", 1800, 1000, {10, 1800.0 / 1050, 8, double(1.285f), 8}},
      // Rule 9 without rule 10 (the headless screen's navigator).
      {"high, ratio below 1.4", 1333, 1040, {8, 1333.0 / 1317, 6, 0.9375, 6}},
      // Below 1273 the ratio rules never apply.
      {"ratio 1.59 but narrower than 1273", 1272, 800, {-6, 1272.0 / 3525, -8, 1, -8}},
      // Rule 1 alone: nothing sets the mouse ratio.
      {"rule 1 only", 1230, 900, {12, 1230.0 / 650, 10, 1, 10}},
      // Rules 1 and 9: 1233 is not reached, the height of narrow screens does not count.
      {"rules 1 and 9", 1220, 2000, {8, 1220.0 / 1317, 6, 0.9375, 6}},
      // Rule 5 is the last that applies.
      {"rule 5 last", 1245, 900, {7, 1245.0 / 1500, 5, 1, 5}},
      // Rule 7 is the last that changes the sizes; rule 8 does not apply.
      {"rule 7 last", 1250, 900, {5, 1250.0 / 1875, 3, 1, 3}},
      // Rule 7 gives sizes of 0 and below from 1255 and 1259 on.
      {"sizes at 0 and below", 1260, 900, {0, 1260.0 / 2625, -2, 1, -2}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ApplyScreenSizeRules(c.width, c.height, kBefore), c.expected) << c.what;
  }
}

TEST(ScreenSizeRules, ARuleThatSaysNothingLeavesTheValue) {
  ScreenSizeChoice before;
  before.mouseScaleRatio = 1.5;
  EXPECT_EQ(ApplyScreenSizeRules(1230, 900, before).mouseScaleRatio, 1.5);
  EXPECT_EQ(ApplyScreenSizeRules(1300, 900, before).mouseScaleRatio, double(1.06066f));
  EXPECT_EQ(ApplyScreenSizeRules(1000, 900, before).mouseScaleRatio, 1);
}

// ProgramStart in this process, in a fresh data folder (the current folder) and
// a fresh Windows folder; it returns where it goes on instead of going there.
class ProgramStartTest : public ::testing::Test {
 protected:
  ProgramStartTest() : before_(std::filesystem::current_path()) {
    setenv("KRN_WINDOWS_DIR", windows.path().c_str(), 1);
    std::filesystem::current_path(data.path());
  }
  ~ProgramStartTest() override {
    std::filesystem::current_path(before_);
    unsetenv("KRN_WINDOWS_DIR");
  }

  Entry Start(App& app) { return ProgramStart(app).next; }

  TempFolder data;
  TempFolder windows;

 private:
  std::filesystem::path before_;
};

TEST_F(ProgramStartTest, TitleTablesAndDefaults) {
  App app;
  EXPECT_EQ(Start(app), ShowResultMenu);
  const ConsoleState& console = *app.rt.console;
  EXPECT_EQ(console.at(13, 3).foreground, 4);
  EXPECT_EQ(console.at(12, 3).byte, ' ');
  EXPECT_NE(console.at(13, 3).byte, ' ');
  EXPECT_EQ(console.at(20, 4).foreground, 7);
  EXPECT_EQ(app.points.PointName(0), "");
  EXPECT_EQ(app.points.PointName(1), " 1");
  EXPECT_EQ(app.points.PointName(9999), " 9999");
  EXPECT_EQ(app.shell.PointNamePrefix, "T.");
  EXPECT_EQ(app.lines.LayerVisible(14), 1);
  EXPECT_EQ(app.lines.LayerVisible(15), 0);
  EXPECT_EQ(app.view.ViewScale, double(0.7f));
  EXPECT_EQ(app.shell.DataFolder, data.path() + "/");
  EXPECT_EQ(app.shell.JobFolder, data.path() + "/");
  EXPECT_EQ(app.shell.PlaySoundPrefix, " play " + windows.path() + "/media/");
  EXPECT_EQ(ReadHostFile(data / "PRINTR.DAT"), "");
  EXPECT_EQ(ReadHostFile(data / "K.D"), "");
}

TEST_F(ProgramStartTest, ScreenSizeRulesAndMouseRatioWithTheNavigator) {
  WriteHostFile(data / "KRN2000.lst", "/2\r\nmenu\r\n");
  WriteHostFile(data / "KRN2000.DEF", "MOX= 1.0625 \r\n");
  App app;
  Start(app);
  EXPECT_EQ(app.navigator.NavigatorOff, 0);
  // The headless screen: the maximised navigator is 1333 x 1040 (rule 9).
  const double width = app.navigator.NavigatorMaxWidth;
  EXPECT_EQ(app.navigator.NavigatorMaxHeight, 1040);
  EXPECT_EQ(width, 1333);
  EXPECT_EQ(app.navigator.NavigatorScale, width / 1317);
  EXPECT_EQ(app.view.ViewFontSize, 6);
  EXPECT_EQ(app.view.MouseScaleRatio, 1.0625);
  // The settings said layout 0; start-up shows the next one.
  EXPECT_EQ(app.settings.GAMEN, 1);
}

TEST_F(ProgramStartTest, WithoutNavigatorTheMouseRatioStaysOne) {
  WriteHostFile(data / "KRN2000.DEF", "MOX= 1.0625 \r\nGAMEN= 2 \r\n");
  App app;
  Start(app);
  EXPECT_EQ(app.navigator.NavigatorOff, 1);
  EXPECT_EQ(app.navigator.NavigatorScale, 1);
  EXPECT_EQ(app.view.MouseScaleRatio, 1);
  EXPECT_EQ(app.view.ViewFontSize, 7);
  EXPECT_EQ(app.settings.GAMEN, 0);
}

TEST_F(ProgramStartTest, AStepThatFailsIsReportedAndStartUpGoesOn) {
  // The parcel work file cannot be made where a folder of its name stands: the
  // error is reported, Enter goes on, and start-up still names the points, lays
  // out the windows and sets the view, and ends where it always ends.
  std::filesystem::create_directory(data / "K.D");
  App app;
  std::vector<std::string> transcript;
  rt::SetTranscriptSink([&](std::string_view line) { transcript.emplace_back(line); });
  rt::LoadScript("\n");
  EXPECT_EQ(Start(app), ShowResultMenu);
  rt::FlushTranscript();
  // The report names the place (the short form: there is no navigator).
  const auto report = std::find(transcript.begin(), transcript.end(), "shell/startup.cpp");
  ASSERT_NE(report, transcript.end());
  ASSERT_NE(report + 1, transcript.end());
  EXPECT_NE(report[1].find(U8(u8"    75 ﾉ ｴﾗ-")), std::string::npos) << report[1];
  EXPECT_EQ(app.points.PointName(9999), " 9999");
  EXPECT_EQ(app.settings.GAMEN, 1);  // the first layout was applied
  EXPECT_EQ(app.view.ViewScale, double(0.7f));
  EXPECT_EQ(ReadHostFile(data / "PRINTR.DAT"), "");
  // No file is left open for the reader of the command-line file.
  EXPECT_NO_THROW(RtOpen(1, data / "PRINTR.DAT", RtFileMode::Input));
  RtCloseAll();
}

}  // namespace
