// The main menu's pass, its dispatch and the small commands beside it, run on a
// fresh program state with scripted answers.
#include <gtest/gtest.h>

#include <filesystem>

#include <cmath>
#include <string>
#include <vector>

#include "cad/cad_menu.h"
#include "cad/line_editor.h"
#include "cogo/coordinate_menu.h"
#include "core/app.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "fieldbook/book.h"
#include "files/result.h"
#include "points/table.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/temp_folder.h"
#include "runtime/windows.h"
#include "route/route_menu.h"
#include "shell/program.h"
#include "support/raised_error.h"
#include "support/u8.h"

namespace {

class MainMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rt::SetTranscriptSink([this](std::string_view line) { transcript.emplace_back(line); });
    // Start-up names every point after its number and measures the view.
    for (int i = 1; i <= app.points.PointCapacity; ++i) {
      app.points.PointName(i) = " " + std::to_string(i);
    }
    app.view.ViewHeight = RtWindowHeight(RtWindowId::View);
    app.view.ViewWidth = RtWindowWidth(RtWindowId::View);
    app.view.ViewHalfHeight = app.view.ViewHeight / 2;
    app.view.ViewHalfWidth = app.view.ViewWidth / 2;
    app.shell.PlaySoundPrefix = " play /media/";
  }

  // One pass of the main menu answered with `answer`.
  Jump Pass(const std::string& answer) {
    rt::LoadScript(answer + "\n");
    return MainMenu(app);
  }

  bool Printed(const std::string& line) const {
    for (const std::string& l : transcript) {
      if (l == line) return true;
    }
    return false;
  }

  void SetPoint(int i, double x, double y, const std::string& name) {
    app.points.PointX(i) = x;
    app.points.PointY(i) = y;
    app.points.PointName(i) = name;
  }

  App app;
  std::vector<std::string> transcript;
};

TEST_F(MainMenuTest, AnswersDispatchByTheRoundedChoice) {
  struct Case {
    std::string answer;
    Entry entry;
    double lastChoice;
    double enterFlag;
  };
  const std::vector<Case> cases = {
      {"", ConnectionLineEditor, 13, 1},  // Enter alone: connection lines
      {"13", ConnectionLineEditor, 13, 0},
      {"0.4", ShowResultMenu, 0.4, 0},  // only exactly 0 becomes 13
      {"12.6", ConnectionLineEditor, 12.6, 0},
      {"13.5", ShowResultMenu, 13.5, 0},
      {"-1", ShowResultMenu, -1, 0},
      {"11", EndProgram, 11, 0},
      {"12", SearchPointArea, 12, 0},
      {"2.4", VariousCoordinateMenu, 2.4, 0},  // command 2: the coordinate calculations
      {"9.5", FieldBookMenu, 9.5, 0},          // command 10: the field book
      {"3", RouteMenu, 3, 0},                  // command 3: the route menu
      {"8.6", CadMenu, 8.6, 0},                // command 9: the CAD menu
      {"ABC", ConnectionLineEditor, 13, 1},  // a text whose value is 0
  };
  for (const Case& c : cases) {
    const Jump next = Pass(c.answer);
    EXPECT_EQ(next.next, c.entry) << c.answer;
    EXPECT_EQ(app.shell.LastMainMenuChoice, c.lastChoice) << c.answer;
    EXPECT_EQ(app.shell.MainMenuEnterFlag, c.enterFlag) << c.answer;
    EXPECT_EQ(RepeatLastCommand(app).next, c.entry) << c.answer;
  }
}

TEST_F(MainMenuTest, ChoiceBeyondSixteenBitsIsOverflow) {
  EXPECT_EQ(RaisedError([&] { Pass("40000"); }), kErrOverflow);
  EXPECT_EQ(app.shell.LastMainMenuChoice, 40000);
  EXPECT_EQ(RaisedError([&] { RepeatLastCommand(app); }), kErrOverflow);
  app.shell.LastMainMenuChoice = 32767.4;
  EXPECT_EQ(RepeatLastCommand(app).next, ShowResultMenu);
}

TEST_F(MainMenuTest, ZeCyclesAndShowsTheMenuAgainAfterTakingTheSnapshot) {
  app.settings.ZE = 4;
  app.lines.LineVertexCount = 7;
  app.points.PointX(3) = 10;
  app.shell.LastMainMenuChoice = 5;
  EXPECT_EQ(Pass("ZE=").next, MainMenu);
  EXPECT_EQ(app.settings.ZE, 0);
  EXPECT_EQ(app.points.PointCountBeforeCalc, 3);
  EXPECT_EQ(app.lines.LineVertexCountBeforeCalc, 7);
  EXPECT_EQ(app.shell.LastMainMenuChoice, 5);  // nothing dispatched
  EXPECT_EQ(Pass("ZE=").next, MainMenu);
  EXPECT_EQ(app.settings.ZE, 1);
}

TEST_F(MainMenuTest, PassResetsTheSharedStartingPoint) {
  app.shell.Epsilon = 3;
  app.shell.DefaultHeightDifference = 0;
  app.lines.LineType(1) = 0;
  app.points.NewPointCount = 4;
  app.lines.CadInitialised = 1;
  app.lines.PrinterSelected = 1;
  app.lines.PaperFrameOn = 1;
  app.settings.T = 1000;
  app.settings.ZA = "SITE";
  app.navigator.NavigatorOff = 1;  // the guide display would caption the window anew
  Pass("0.4");
  EXPECT_EQ(app.shell.Epsilon, 1e-8);
  EXPECT_EQ(app.shell.DefaultHeightDifference, 2e-8);
  EXPECT_EQ(app.lines.LineType(1), 9);
  EXPECT_EQ(app.points.NewPointCount, 0);
  EXPECT_EQ(app.lines.CadInitialised, 0);
  EXPECT_EQ(app.lines.PrinterSelected, 0);
  EXPECT_EQ(app.lines.PaperFrameOn, 0);
  EXPECT_EQ(app.shell.DistanceDecimals, 3);  // exactly, for any later cut to digits
  EXPECT_EQ(app.input.GuideNumber, 2);
  EXPECT_NE(rt::WindowStateLine(RtWindowId::Main)
                .find(U8(u8"caption=\"測量ケルノ君プロジェクトウインドウ [SITE]\"")),
            std::string::npos);
  app.settings.T = 100;
  Pass("0.4");
  EXPECT_EQ(app.shell.DistanceDecimals, 2);
  app.settings.T = 0;  // a step of 0 has no logarithm: the decimals stay
  Pass("0.4");
  EXPECT_EQ(app.shell.DistanceDecimals, 2);
}

TEST_F(MainMenuTest, SimpleInputModesAreRestored) {
  app.shell.SimpleInputActive = 1;
  app.shell.SimpleInputSavedZE = 2;
  app.shell.SimpleInputSavedZD = 4;
  Pass("0.4");
  EXPECT_EQ(app.shell.SimpleInputActive, 0);
  EXPECT_EQ(app.settings.ZE, 2);
  EXPECT_EQ(app.settings.ZD, 4);
}

TEST_F(MainMenuTest, MenuFormFollowsTheMainWindowHeight) {
  const std::vector<std::string> full = {
      U8(u8"  1：トラバース   2：各種座標    3：路線           4：機械点"),
      U8(u8"  5：座標管理     6：面積計算    7：座標変換       8：転送"),
      U8(u8"  9：ＣＡＤ      10：電子野帳   11：END  12:検索   Ent：結線")};
  const std::string shortMenu =
      U8(u8" 1:ﾄﾗ 2:各 3:路 4:機 5:座 6:面 7:変 8:転 9:CAD 10:野 11:END 12");
  app.shell.JobFolder = "/job/";
  app.settings.ZA = "SITE";
  app.job.FileExtension = ".PRN";
  struct Case {
    int height;
    bool shortForm;
    bool gap;
    bool path;
  };
  for (const Case& c : {Case{89, true, false, false}, Case{90, false, false, false},
                        Case{126, false, false, false}, Case{127, false, true, false},
                        Case{144, false, true, false}, Case{145, false, true, true}}) {
    RtSetWindowSize(RtWindowId::Main, 512, c.height + 34);
    ASSERT_EQ(RtWindowHeight(RtWindowId::Main), c.height);
    transcript.clear();
    Pass("0.4");
    EXPECT_EQ(Printed(shortMenu), c.shortForm) << c.height;
    for (const std::string& line : full) EXPECT_EQ(Printed(line), !c.shortForm) << c.height;
    EXPECT_EQ(Printed("/job/SITE.PRN"), c.path) << c.height;
    // The empty line between the menu and the prompt.
    bool gap = false;
    for (size_t i = 0; i + 1 < transcript.size(); ++i) {
      if (transcript[i] == full[2] && transcript[i + 1].empty()) gap = true;
    }
    EXPECT_EQ(gap, c.gap) << c.height;
  }
}

TEST_F(MainMenuTest, PendingSearchMarkIsDrawnOnce) {
  app.shell.SearchMarkPending = 1;
  app.shell.SearchPointX = 120;
  app.shell.SearchPointY = 80;
  app.shell.SearchPointName = "K5";
  Pass("0.4");
  EXPECT_EQ(app.shell.SearchMarkPending, 0);
  EXPECT_EQ(app.view.LastCrossName, "K5");
  EXPECT_EQ(app.points.WorkPointX, 120);
  EXPECT_EQ(app.points.WorkPointY, 80);
}

TEST_F(MainMenuTest, PendingProfileGoesToItsSettingsWithoutTheMenu) {
  app.profile.ProfileSetupPending = 1;
  const Jump next = MainMenu(app);  // asks nothing: no script is needed
  EXPECT_EQ(next.next, Routines().ShowProfileSettingsMenu);
  EXPECT_EQ(app.profile.ProfileSetupPending, 0);
  EXPECT_EQ(app.profile.ProfileMode, 1);
  EXPECT_EQ(app.lines.PaperWidth, 0.841);
  EXPECT_EQ(app.lines.PaperHeight, 0.594);
}

TEST_F(MainMenuTest, NormalizedNamesLoseLeadingZerosAndBlanks) {
  struct Case {
    std::string before;
    std::string after;
  };
  const std::vector<Case> cases = {
      {"007", " 7"}, {" 12 ", " 12"}, {"A01", "A01"}, {"0.5", " .5"}, {"0 00 ", ""},
      {" 9", " 9"},  {"K1　", "K1"},  {"-3", " -3"},  {"0A", "A"},
  };
  for (size_t i = 0; i < cases.size(); ++i) app.points.PointName(i + 1) = cases[i].before;
  app.points.PointName(9999) = "00";
  app.points.PointCount = 2;
  EXPECT_EQ(NormalizeNamesThenPlot(app).next, PlotAllPoints);
  for (size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(app.points.PointName(i + 1), cases[i].after) << cases[i].before;
  }
  EXPECT_EQ(app.points.PointName(9999), "");  // every number, in use or not
  EXPECT_EQ(app.points.PointName(100), " 100");
  // The next name follows the last point's: point 2 is " 12".
  EXPECT_EQ(app.shell.PointNamePrefix, " ");
  EXPECT_EQ(app.shell.PointNameNumber, 12);
  bool chimes = false;
  for (const std::string& note : app.rt.notes) chimes |= note == "[sound] chimes.wav";
  EXPECT_TRUE(chimes);
}

TEST_F(MainMenuTest, PlotAllPointsSelectsEveryNumberOrNoneInAnEmptyJob) {
  app.points.SelectionList(0) = 7;  // left from an earlier selection
  EXPECT_EQ(PlotAllPoints(app).next, ShowResultMenu);
  EXPECT_EQ(app.points.SelectionLast, -1);
  EXPECT_EQ(app.points.SelectionList(0), 0);  // no phantom point 1, nor an old one
  EXPECT_EQ(app.shell.PlanViewFlag, 1);

  SetPoint(1, 100, 100, "A");
  SetPoint(3, 300, 500, "C");
  app.points.PointCount = 3;
  app.shell.PlanViewFlag = 0;
  PlotAllPoints(app);
  EXPECT_EQ(app.points.SelectionLast, 2);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(app.points.SelectionList(k), k + 1);
  EXPECT_EQ(app.shell.PlanViewFlag, 1);
  // The fit takes in the free number 2 at ground (0, 0) like any selected point.
  EXPECT_EQ(app.view.ExtentMaxX, 300);
  EXPECT_EQ(app.view.ExtentMaxY, 500);
  EXPECT_LT(app.view.ViewOriginX, 0);
  EXPECT_LT(app.view.ViewOriginY, 0);
}

class SearchTest : public MainMenuTest {
 protected:
  void SetUp() override {
    MainMenuTest::SetUp();
    SetPoint(1, 100, 200, "BM1");
    SetPoint(2, 500, 600, "K2");
    app.points.PointCount = 2;
    app.points.CurrentPointNumber = 1;
    app.view.ViewScale = 0.5;  // a range of 300 m
    app.settings.ZD = 3;       // the point question writes no report line: no print buffer here
  }
};

TEST_F(SearchTest, CentresTheViewOnTheSearchedPointAtTheRangeAnswered) {
  rt::LoadScript("K2\n50\n");
  EXPECT_EQ(SearchPointArea(app).next, ShowResultMenu);
  const ui::ViewState& v = app.view;
  EXPECT_DOUBLE_EQ(v.ViewScale, 50.0 / 600);
  EXPECT_DOUBLE_EQ(v.ViewOriginX, 500 - v.ViewScale * v.VerticalRatio * v.ViewHalfHeight);
  EXPECT_DOUBLE_EQ(v.ViewOriginY, 600 - v.ViewScale * v.ViewHalfWidth);
  EXPECT_EQ(app.shell.SearchPointX, 500);
  EXPECT_EQ(app.shell.SearchPointY, 600);
  EXPECT_EQ(app.shell.SearchPointName, "K2");
  EXPECT_EQ(app.shell.SearchMarkPending, 1);
  EXPECT_EQ(app.points.SelectionLast, -1);
  // The work point is the current point again.
  EXPECT_EQ(app.points.WorkPointX, 100);
  EXPECT_EQ(app.points.WorkPointY, 200);
  EXPECT_EQ(app.input.GuideNumber, 101);
  rt::FlushTranscript();
  EXPECT_TRUE(Printed(U8(u8" 検索点 BM1")));
  EXPECT_TRUE(Printed("[5,10,20,30,50,100,200,500,1000]"));
}

TEST_F(SearchTest, EmptyZeroOrNegativeRangeKeepsTheCurrentOne) {
  for (const char* range : {"", "0", "-50", "ABC"}) {
    app.view.ViewScale = 0.5;
    rt::LoadScript(std::string("2\n") + range + "\n");
    SearchPointArea(app);
    EXPECT_DOUBLE_EQ(app.view.ViewScale, 0.5) << range;
    EXPECT_EQ(app.shell.SearchPointName, "K2") << range;
  }
  rt::FlushTranscript();
  // The current range as a whole number in the console's number format.
  EXPECT_TRUE(Printed(U8(u8" 範囲 ＝ 300  (m) ?")));
}

TEST_F(SearchTest, PointAnswerLeavesToTheJumpTargets) {
  struct Case {
    const char* answer;
    Entry target;
  };
  for (const Case& c :
       {Case{"Q", ShowResultMenu}, Case{"w", SearchPointArea}, Case{"Z", PlotAllPoints}}) {
    rt::LoadScript(std::string(c.answer) + "\n");
    try {
      SearchPointArea(app);
      ADD_FAILURE() << c.answer << " returned";
    } catch (const JumpException& jump) {
      EXPECT_EQ(jump.target, c.target) << c.answer;
    }
  }
}

TEST_F(SearchTest, UnknownNameIsAskedAgain) {
  rt::LoadScript("NOPE\nBM1\n\n");
  SearchPointArea(app);
  EXPECT_EQ(app.shell.SearchPointName, "BM1");
  EXPECT_EQ(app.shell.SearchPointX, 100);
  rt::FlushTranscript();
  EXPECT_TRUE(Printed(U8(u8"ｱﾘﾏｾﾝ")));
}

class EndProgramTest : public MainMenuTest {
 protected:
  void SetUp() override {
    MainMenuTest::SetUp();
    app.shell.DataFolder = data.path() + "/";
    WriteHostFile(data / "PRINTR.DAT", "report\r\n");
    WriteHostFile(data / "K.D", "");
  }
  TempFolder data;
};

TEST_F(EndProgramTest, OkDeletesTheWorkFilesPassingOverAMissingOneAndEnds) {
  rt::LoadScript("!ok\n");
  try {
    EndProgram(app);
    ADD_FAILURE() << "EndProgram returned";
  } catch (const ProgramExit& exit) {
    EXPECT_EQ(exit.status, 0);
  }
  EXPECT_FALSE(RtFileExists(data / "PRINTR.DAT"));
  EXPECT_FALSE(RtFileExists(data / "K.D"));
  EXPECT_EQ(RtErr(), kErrFileNotFound);  // "K.csv" was not there
  std::vector<std::string> expected = {U8(u8"[message] 終了します -> OK"), "[sound] tada.wav"};
  std::vector<std::string> notes(app.rt.notes.end() - 2, app.rt.notes.end());
  EXPECT_EQ(notes, expected);
}

TEST_F(EndProgramTest, AWorkFileThatCannotBeRemovedIsLeftAndTheProgramStillEnds) {
  std::filesystem::remove(data / std::string("K.D"));
  std::filesystem::create_directory(data / std::string("K.D"));
  rt::LoadScript("!ok\n");
  try {
    EndProgram(app);
    ADD_FAILURE() << "EndProgram returned";
  } catch (const ProgramExit& exit) {
    EXPECT_EQ(exit.status, 0);
  }
  EXPECT_FALSE(RtFileExists(data / "PRINTR.DAT"));
  EXPECT_TRUE(std::filesystem::is_directory(data / std::string("K.D")));
}

TEST_F(EndProgramTest, CancelKeepsEverythingAndGoesToTheResultMenu) {
  WriteHostFile(data / "K.csv", "a,b\r\n");
  rt::LoadScript("!cancel\n");
  EXPECT_EQ(EndProgram(app).next, ShowResultMenu);
  for (const char* name : {"PRINTR.DAT", "K.D", "K.csv"}) {
    EXPECT_TRUE(RtFileExists(data / name)) << name;
  }
}

TEST(ReturnFromSubroutine, ThrowsTheWayOutOfTheRunningRoutine) {
  App app;
  EXPECT_THROW(ReturnFromSubroutine(app), SubroutineReturn);
}

TEST(PointTable, HighestUsedPointCountsANameOrAnX) {
  App app;
  for (int i = 1; i <= app.points.PointCapacity; ++i) {
    app.points.PointName(i) = " " + std::to_string(i);
  }
  FindHighestUsedPoint(app);
  EXPECT_EQ(app.points.PointCount, 0);
  EXPECT_EQ(app.points.NextPointNumber, 1);
  app.points.PointX(17) = -0.001;
  app.points.PointY(40) = 12;  // a Y alone does not make a point
  FindHighestUsedPoint(app);
  EXPECT_EQ(app.points.PointCount, 17);
  EXPECT_EQ(app.points.NextPointNumber, 18);
  app.points.PointName(9999) = "Z";
  FindHighestUsedPoint(app);
  EXPECT_EQ(app.points.PointCount, 9999);
  EXPECT_EQ(app.points.NextPointNumber, 10000);
  EXPECT_FALSE(IsFreePoint(app, 40 - 23));
  EXPECT_TRUE(IsFreePoint(app, 40));
  app.points.PointName(40) = "40";  // without its blank it is not the default name
  EXPECT_FALSE(IsFreePoint(app, 40));
}

}  // namespace
