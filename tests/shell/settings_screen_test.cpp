// The settings screen (F4) driven by clicks on its rows, and the mouse
// calibration, on the in-memory console with the script backend.
#include "shell/settings_screen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/app.h"
#include "runtime/console.h"
#include "runtime/console_state.h"
#include "runtime/events.h"
#include "runtime/folders.h"
#include "runtime/numtext.h"
#include "runtime/temp_folder.h"
#include "runtime/text.h"
#include "runtime/windows.h"
#include "shell/mouse_calibration.h"
#include "shell/program.h"
#include "support/raised_error.h"
#include "support/u8.h"
#include "ui/input.h"
#include "ui/layout.h"

namespace {

constexpr int kCommandRow = 21;
const std::string kCommandRowText = " 1:設定保存  2:設定読込  3:終了 ";

std::string Crlf(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

// A script line clicking the console cell at `column` of `row`.
std::string ClickCell(int column, int row) {
  return "!click main " + std::to_string(column * rt::kCellWidth + 4) + " " +
         std::to_string(row * rt::kCellHeight + 9) + "\n";
}

class SettingsScreenTest : public ::testing::Test {
 protected:
  SettingsScreenTest() {
    base = folder.path() + "/";
    std::filesystem::create_directories(folder / "data");
    app.shell.DataFolder = base + "data/";
    app.shell.JobFolder = base;
    app.settings.ZA = "SITE";
    RtChdir(base);
    // The maximised view that start-up measures, from which the layouts size the windows.
    RtMaximizeWindow(RtWindowId::View);
    app.view.ViewMaxHeight = RtWindowHeight(RtWindowId::View);
    app.view.ViewMaxWidth = RtWindowWidth(RtWindowId::View);
  }

  // The text of settings row `row` (1 to 19) as the screen prints it now.
  std::string RowText(int row) {
    BuildSettingsList(app);
    const std::string& list = app.shell.SettingsListText;
    std::size_t start = 0;
    for (int i = 1; i < row; ++i) start = list.find('/', start) + 1;
    return list.substr(start, list.find('/', start) - start);
  }

  // A click on the first cell of the blank-separated word `word` of row `row`
  // (console columns are CP932 bytes); the label's first cell for an empty word.
  std::string ClickWord(int row, const std::string& word) {
    const std::string text = row == kCommandRow ? kCommandRowText : RowText(row);
    if (word.empty()) return ClickCell(0, row);
    const std::size_t at = (text + " ").find(" " + word + " ");
    EXPECT_NE(at, std::string::npos) << word;
    return ClickCell(static_cast<int>(at + 1), row);
  }
  std::string Leave() { return ClickWord(kCommandRow, "3:終了"); }
  // A command typed after a click on the command row's leading blank, which
  // gives no answer but makes the typed number a command. (A click on the
  // command itself would leave its button release waiting behind the dialog
  // that the command opens.)
  static std::string Typed(int command) {
    return ClickCell(0, kCommandRow) + std::to_string(command) + "\n";
  }
  // The same for a row that opens a dialog: a click behind the row's end gives
  // no answer, and the answer typed then edits that row.
  static std::string EditTyped(int row) { return ClickCell(60, row) + "0\n"; }

  // Opens the screen with `script` queued; the script ends by leaving it.
  void Run(const std::string& script) {
    rt::LoadScript(script);
    SettingsScreen(app);
  }
  // Opens the screen and stops where the script ends, the screen still shown.
  void RunUntilScriptEnds(const std::string& script) {
    rt::LoadScript(script);
    EXPECT_THROW(SettingsScreen(app), RtScriptEnded);
  }

  int Colour(int column, int row) { return app.rt.console->at(column, row).foreground; }

  TempFolder folder;
  App app;
  std::string base;
};

TEST_F(SettingsScreenTest, ClicksOnTheRowsChangeTheirSettings) {
  struct Case {
    int row;
    std::string word;  // "" clicks the label
    double shell::Settings::*setting;
    double before, after;
  };
  const std::vector<Case> cases = {
      {5, "100", &shell::Settings::TN, 1000, 100},
      {3, "4", &shell::Settings::ZD, 2, 4},
      {13, "-1", &shell::Settings::ZEE, 1, -1},
      {13, "", &shell::Settings::ZEE, 1, 1},  // a label click leaves it alone
      {5, "", &shell::Settings::TN, 1000, 1000},
      {4, "", &shell::Settings::ZE, 2, 0},  // ... but sets 0 in the rows that take any value
      {4, "3", &shell::Settings::ZE, 0, 3},
      {8, "90", &shell::Settings::VV, 0, 90},
      {11, "15", &shell::Settings::RG, 0, 15},
      {17, "5", &shell::Settings::COX, 1, 5},
  };
  for (const Case& c : cases) {
    app.settings.*c.setting = c.before;
    Run(ClickWord(c.row, c.word) + Leave());
    EXPECT_EQ(app.settings.*c.setting, c.after) << c.row << " " << c.word;
    EXPECT_EQ(app.input.Answer, "");
  }
}

TEST_F(SettingsScreenTest, TheValueInForceIsHighlightedInItsRow) {
  app.settings.TN = 100;
  app.settings.ZAKE = 9;
  RunUntilScriptEnds("");
  const std::string tn = RowText(5);
  const int at = static_cast<int>(tn.find(" 100 ")) + 1;
  EXPECT_EQ(Colour(at - 1, 5), 7);
  EXPECT_EQ(Colour(at, 5), 13);
  EXPECT_EQ(Colour(at + 2, 5), 13);
  EXPECT_EQ(Colour(at + 3, 5), 7);
  EXPECT_EQ(Colour(tn.rfind("100"), 5), 7);  // the value after "TN=" is not the first
  const std::string zake = RowText(9);
  EXPECT_EQ(Colour(zake.find('9'), 9), 13);
  EXPECT_EQ(rt::ConsoleRowText(kCommandRow).substr(0, 40), rt::Cp932ToUtf8(kCommandRowText).substr(0, 40));
  EXPECT_EQ(app.input.GuideNumber, 120);
}

TEST_F(SettingsScreenTest, TheLayoutRowChoosesTheLayoutAppliedOnLeaving) {
  app.settings.GAMEN = 1;
  Run(Leave());
  EXPECT_EQ(app.settings.GAMEN, 1);

  Run(ClickWord(10, "2") + Leave());
  EXPECT_EQ(app.settings.GAMEN, 2);
  EXPECT_EQ(app.shell.SavedLayout, 2);
  EXPECT_EQ(RtCsrlin(), 0);
}

TEST_F(SettingsScreenTest, WhileShownTheScreenIsInLayoutZero) {
  app.settings.GAMEN = 1;
  RunUntilScriptEnds("");
  EXPECT_EQ(app.settings.GAMEN, 0);
  EXPECT_EQ(app.shell.SavedLayout, 1);
}

TEST_F(SettingsScreenTest, EmptyRowsGiveNoAnswer) {
  const shell::Settings before = app.settings;
  Run(ClickCell(5, 2) + ClickCell(5, 20) + Leave());
  EXPECT_EQ(app.settings.ZD, before.ZD);
  EXPECT_EQ(app.settings.TN, before.TN);
  EXPECT_EQ(app.settings.ZA, "SITE");
}

TEST_F(SettingsScreenTest, TypedJobNameAndZone) {
  Run(ClickWord(9, "") + "9\n" + ClickWord(1, "") + "NEWJOB\n" + Leave());
  EXPECT_EQ(app.settings.ZAKE, 9);
  EXPECT_EQ(app.settings.ZA, "NEWJOB");

  Run(ClickWord(1, "") + "\n" + Leave());  // Enter alone keeps the job name
  EXPECT_EQ(app.settings.ZA, "NEWJOB");
}

TEST_F(SettingsScreenTest, TheEditorIsChosenAsAFileAndCancellingKeepsIt) {
  WriteHostFile(folder / "EDIT.EXE", "");
  Run(EditTyped(18) + "!cancel\n" + Leave());
  EXPECT_EQ(app.settings.VZ, "NOTEPAD.EXE");
  EXPECT_EQ(app.settings.ZA, "SITE");

  // The chosen program's full path, "/" and all, stays one row of the screen.
  Run(EditTyped(19) + "!file EDIT.EXE\n" + Leave());
  EXPECT_EQ(app.settings.VX, base + "EDIT.EXE");
  EXPECT_EQ(app.settings.ZA, "SITE");
}

TEST_F(SettingsScreenTest, SavingWritesTheSettingsFileByteForByte) {
  app.settings.TN = 100;
  app.settings.ZEE = -1;
  app.settings.VX = "CAD.EXE";
  app.settings.MOX = 1.0625;  // a run that started with a saved ratio saves the live one
  app.view.MouseScaleRatio = 2;
  app.settings.GAMEN = 1;
  Run(Typed(1) + "!file SAVED.DEF\n" + Leave());
  EXPECT_EQ(ReadHostFile(folder / "data/SAVED.DEF"),
            Crlf({
                "仕事名 ZA$=SAVED ",
                "             ",
                "ＺＤモード   [ 1 2 3 4 ] ZD= 2 ",
                "ＺＥモード [ 0 1 2 3 4 ] ZE= 0 ",
                "座標丸め [ 10 100 1000 ] TN= 100 ",
                "標高丸め [ 10 100 1000 ] TZ= 1000 ",
                "距離丸め [ 10 100 1000 ]  T= 1000 ",
                "鉛直角  水平    [ 0 90 ] VV= 0 ",
                "座標系  ZAKE= 0 ",
                "ウインドウ配置 [ 0 1 2 ] GAMEN= 0 ",  // the screen's own layout
                "バックカラー黒白[ 0 15 ] RG= 0 ",
                "グラフィック方眼[ 1 -1 ] ZEH= 1 ",
                "点名標示 [ 1 -1 ] ZEE=-1 ",
                "標高標示 [ 1 -1 ] ZEI=-1 ",
                "ﾏｰｸ・ｺｰﾄﾞ[ 1 -1 ] ZEG= 1 ",
                "結線標示 [ 1 -1 ] ZEF= 1 ",
                "通信ﾎﾟｰﾄ [ 1 2 3 4 5 ] COX= 1 ",
                "使用ｴﾃﾞｨﾀ VZ$=NOTEPAD.EXE ",
                "使用CAD VX$=CAD.EXE ",
                "MOX= 2 ",
            }));
  EXPECT_EQ(app.settings.ZA, "SITE");
  EXPECT_EQ(app.shell.JobFolder, base + "data/");
  EXPECT_EQ(app.settings.GAMEN, 1);
}

TEST_F(SettingsScreenTest, SavingProposesKrn2000InTheDataFolder) {
  Run(Typed(1) + "!ok\n" + Leave());
  const std::string saved = ReadHostFile(folder / "data/KRN2000.DEF");
  EXPECT_EQ(saved.substr(0, saved.find("\r\n")), "仕事名 ZA$=KRN2000 ");
  EXPECT_EQ(saved.find("MOX="), std::string::npos);  // no saved ratio at start
  EXPECT_EQ(app.settings.ZA, "SITE");
}

TEST_F(SettingsScreenTest, CancelledDialogsChangeNothing) {
  Run(Typed(1) + "!cancel\n" + Typed(2) +
      "!cancel\n" + Leave());
  EXPECT_FALSE(std::filesystem::exists(folder / "data/KRN2000.DEF"));
  EXPECT_EQ(app.settings.ZA, "SITE");
  EXPECT_EQ(app.settings.TN, 1000);
}

TEST_F(SettingsScreenTest, LoadingAnotherFileAppliesIt) {
  WriteHostFile(folder / "data/OTHER.DEF",
                Crlf({"仕事名 ZA$=OTHER ", "ZD= 3 ", "TN= 10 ", "ZEE=-1 ", "GAMEN= 2 ",
                      "使用ｴﾃﾞｨﾀ VZ$=VI.EXE ", "MOX= 1.5 "}));
  app.settings.GAMEN = 1;
  RunUntilScriptEnds(Typed(2) + "!file OTHER.DEF\n");
  EXPECT_EQ(app.settings.ZD, 3);
  EXPECT_EQ(app.settings.TN, 10);
  EXPECT_EQ(app.settings.ZEE, -1);
  EXPECT_EQ(app.settings.VZ, "VI.EXE");
  EXPECT_EQ(app.settings.MOX, 1.5);
  EXPECT_EQ(app.view.MouseScaleRatio, 1);  // only stored; the live ratio stays
  EXPECT_EQ(app.settings.ZA, "SITE");
  // The screen shows the loaded values at once.
  EXPECT_NE(rt::ConsoleRowText(5).find("TN= 10"), std::string::npos);
  EXPECT_EQ(Colour(static_cast<int>(RowText(5).find(" 10 ")) + 1, 5), 13);

  // Leaving applies the layout of the opening, not the loaded one.
  app.settings.GAMEN = 1;
  Run(Typed(2) + "!file OTHER.DEF\n" + Leave());
  EXPECT_EQ(app.settings.GAMEN, 1);
}

TEST_F(SettingsScreenTest, LoadingAFileWithUnusableValuesNamesThemAndKeepsTheSettings) {
  WriteHostFile(folder / "data/BAD.DEF", Crlf({"ZD= 3 ", "TN= abc ", "ZEE= 0 "}));
  app.settings.TN = 100;
  RunUntilScriptEnds(Typed(2) + "!file BAD.DEF\n!ok\n");
  EXPECT_EQ(app.settings.ZD, 3);
  EXPECT_EQ(app.settings.TN, 100);
  EXPECT_EQ(app.settings.ZEE, 1);
  // One message box names the file and each key with what it held.
  const std::string box =
      U8(u8"[message] BAD.DEF の次の設定は読みませんでした:  TN=「abc」は使えません (100 のまま)"
         u8"  ZEE=「0」は使えません (1 のまま) -> OK");
  EXPECT_NE(std::find(app.rt.notes.begin(), app.rt.notes.end(), box), app.rt.notes.end())
      << ::testing::PrintToString(app.rt.notes);
}

TEST_F(SettingsScreenTest, TheF4KeyOpensTheScreenDuringAQuestion) {
  rt::LoadScript("{F4}{NOENTER}\n" + ClickWord(5, "10") + Typed(3) + "7\n");
  InputMenuChoice(app);
  EXPECT_EQ(app.settings.TN, 10);
  EXPECT_EQ(app.input.AnswerValue, 7);
}

TEST_F(SettingsScreenTest, CommandsOutOfRangeAreRunTimeErrors) {
  app.input.InputStyle = -1;  // every answer of the plain line input is a command
  rt::LoadScript("-1\n");
  EXPECT_EQ(RaisedError([&] { SettingsScreen(app); }), kErrIllegalArgument);
  rt::LoadScript("40000\n");
  EXPECT_EQ(RaisedError([&] { SettingsScreen(app); }), kErrOverflow);
}

// ---- Mouse calibration ----

class MouseCalibrationTest : public SettingsScreenTest {
 protected:
  MouseCalibrationTest() {
    app.view.ViewHeight = 2200;  // the cross's centre is at 1200
    app.settings.ZD = 3;         // the clicked point is not reported
    WriteHostFile(folder / "data/KRN2000.DEF", Crlf({"ZD= 3 ", "MOX= 1.5 "}));
  }

  Jump Calibrate(const std::string& answer, double clickY = 1300) {
    rt::LoadScript("!click view 1000 " + std::to_string(clickY) + "\n" + answer);
    return CalibrateMouse(app);
  }
};

TEST_F(MouseCalibrationTest, AClickBelowTheCrossGivesTheRatioWhichIsKept) {
  const Jump next = Calibrate("\n");
  EXPECT_EQ(next.next, RepeatLastCommand);
  const double ratio = 1200.0 / 1300;
  EXPECT_EQ(app.view.MouseScaleRatio, ratio);
  EXPECT_EQ(ReadHostFile(folder / "data/KRN2000.DEF"),
            Crlf({"ZD= 3 ", "MOX=" + RtStr(ratio) + " "}));
  EXPECT_EQ(app.view.ViewScale, 1);
  EXPECT_EQ(app.view.ViewOriginX, -1000);
  EXPECT_EQ(app.view.ViewOriginY, -1000);
  EXPECT_EQ(app.points.PointInputMode, 1);
}

TEST_F(MouseCalibrationTest, AnyAnswerButUpperCaseNKeepsTheRatio) {
  Calibrate("n\n");
  EXPECT_EQ(app.view.MouseScaleRatio, 1200.0 / 1300);
}

TEST_F(MouseCalibrationTest, NKeepsEverything) {
  const Jump next = Calibrate("N\n");
  EXPECT_EQ(next.next, RepeatLastCommand);
  EXPECT_EQ(app.view.MouseScaleRatio, 1);
  EXPECT_EQ(ReadHostFile(folder / "data/KRN2000.DEF"), Crlf({"ZD= 3 ", "MOX= 1.5 "}));
}

TEST_F(MouseCalibrationTest, AClickFarFromTheCrossChangesNothing) {
  // 1200 / 100 = 12 and 1200 / 2500 = 0.48: no screen is that far off. Saved, the
  // ratio would scale every layout's windows off the screen at the next start.
  for (const double clickY : {100.0, 2500.0}) {
    SCOPED_TRACE(clickY);
    const Jump next = Calibrate("\n", clickY);
    EXPECT_EQ(next.next, RepeatLastCommand);
    EXPECT_EQ(app.view.MouseScaleRatio, 1);
    EXPECT_EQ(ReadHostFile(folder / "data/KRN2000.DEF"), Crlf({"ZD= 3 ", "MOX= 1.5 "}));
  }
}

TEST_F(MouseCalibrationTest, APointerReportedAtTheTopIsADivisionError) {
  EXPECT_EQ(RaisedError([&] { Calibrate("\n", 0); }), kErrDivisionByZero);
  EXPECT_EQ(app.view.MouseScaleRatio, 1);
  EXPECT_EQ(ReadHostFile(folder / "data/KRN2000.DEF"), Crlf({"ZD= 3 ", "MOX= 1.5 "}));
}

}  // namespace
