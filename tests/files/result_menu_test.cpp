// The result menu, one pass at a time: which entry it goes on to and what it
// leaves in the print buffer, the points and the lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cad/drawing.h"
#include "core/app.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/printer.h"
#include "runtime/temp_folder.h"
#include "shell/program.h"
#include "support/raised_error.h"
#include "support/u8.h"

namespace {

// A report of exactly `bytes` bytes, in lines of at most 40.
std::string ReportOf(size_t bytes) {
  std::string report;
  while (report.size() + 42 <= bytes) report += std::string(40, 'r') + "\r\n";
  report += std::string(bytes - report.size(), 's');
  return report;
}

class ResultMenuTest : public ::testing::Test {
 protected:
  ResultMenuTest() {
    app.shell.DataFolder = folder.path() + "/";
    rt::SetPrinterFolder(folder.path());
  }

  void SetBuffer(const std::string& bytes) { WriteHostFile(folder / "PRINTR.DAT", bytes); }
  std::string Buffer() const { return ReadHostFile(folder / "PRINTR.DAT"); }

  // One pass of the menu with `script` (typed answers) queued.
  Entry Pass(const std::string& script = "") {
    if (!script.empty()) rt::LoadScript(script);
    return ShowResultMenu(app).next;
  }

  // True when the console shows a row holding `utf8`.
  static bool Shows(const std::string& utf8) {
    for (int row = 0; row < rt::kConsoleRows; ++row) {
      if (rt::ConsoleRowText(row).find(utf8) != std::string::npos) return true;
    }
    return false;
  }

  bool Noted(const std::string& utf8) const {
    return std::find(app.rt.notes.begin(), app.rt.notes.end(), utf8) != app.rt.notes.end();
  }

  // Points 1 to `count` at distinct places.
  void MakePoints(int count) {
    for (int n = 1; n <= count; ++n) {
      app.points.PointName(n) = "P" + std::to_string(n);
      app.points.PointX(n) = 100 + n;
      app.points.PointY(n) = 200 + 2 * n;
    }
    app.points.PointCount = count;
  }

  void Registered(const std::vector<int>& numbers) {
    for (size_t i = 0; i < numbers.size(); ++i) app.points.NewPointList(i) = numbers[i];
    app.points.NewPointCount = static_cast<double>(numbers.size());
  }

  TempFolder folder;
  App app;
};

TEST_F(ResultMenuTest, AShortReportOrZdThreeAndAboveSkipTheMenu) {
  struct Case {
    size_t bytes;
    double zd;
  };
  for (const Case c : {Case{99, 2}, Case{0, 2}, Case{5000, 3}, Case{5000, 4}, Case{99, 5}}) {
    SetBuffer(ReportOf(c.bytes));
    app.settings.ZD = c.zd;
    // No answer is queued: a menu would end the script.
    EXPECT_EQ(Pass(), MainMenu) << c.bytes << " " << c.zd;
    EXPECT_EQ(Buffer(), "");
    EXPECT_EQ(app.settings.ZD, c.zd == 5 ? 2 : c.zd);
    // The empty buffer is open for the next command's report.
    RtPrintToFile(5, "next");
    RtCloseAll();
    EXPECT_EQ(Buffer(), "next\r\n");
  }
}

TEST_F(ResultMenuTest, AReportOfOneHundredBytesShowsTheMenu) {
  for (const double zd : {1.0, 2.0, 5.0}) {
    SetBuffer(ReportOf(100));
    app.settings.ZD = zd;
    EXPECT_EQ(Pass("\n"), MainMenu);
    EXPECT_TRUE(Shows(U8(u8" 結果 1:ﾌﾟﾘﾝﾄ  2:ｴﾃﾞｨﾀ  3:保存  ENT:ﾊﾟｽ")));
    EXPECT_EQ(app.input.GuideNumber, 23);
    EXPECT_EQ(Buffer(), "");  // Enter alone empties the buffer
    EXPECT_EQ(app.output.ResultMenuShown, 1);
  }
}

TEST_F(ResultMenuTest, OnlySevenItselfKeepsTheReportWithASeparatorLine) {
  const std::string report = ReportOf(150);
  struct Case {
    std::string answer;
    bool kept;
  };
  for (const Case& c : std::vector<Case>{
           {"7", true}, {"7.4", false}, {"6.6", false}, {"8", false}, {"0", false},
           {"abc", false}, {"", false}, {"-0.4", false}}) {
    SetBuffer(report);
    EXPECT_EQ(Pass(c.answer + "\n"), MainMenu) << c.answer;
    RtPrintToFile(5, "next");
    RtCloseAll();
    EXPECT_EQ(Buffer(), c.kept ? report + "_\r\nnext\r\n" : "next\r\n") << c.answer;
  }
}

TEST_F(ResultMenuTest, ChoicesAreRoundedHalfAwayFromZero) {
  struct Case {
    std::string answer;
    Entry next;
    double placed;
  };
  const std::vector<Case> cases = {
      {"1", PrintReport, 0}, {"1.5", EditReport, 0}, {"2", EditReport, 0},
      {"3", SaveReport, 0},  {"4", PlotRun, 0},      {"4.5", PlotRun, 1},
      {"5", PlotRun, 1},     {"6", DeleteRun, 0},    {"6.4", DeleteRun, 0},
  };
  for (const Case& c : cases) {
    SetBuffer(ReportOf(200));
    app.output.ResultsPlaced = 7;
    EXPECT_EQ(Pass(c.answer + "\n"), c.next) << c.answer;
    EXPECT_EQ(app.output.ResultsPlaced, c.placed) << c.answer;
    // Every choice finds all files closed, the report untouched.
    EXPECT_EQ(Buffer(), ReportOf(200));
    EXPECT_EQ(RaisedError([] { RtLof(5); }), kErrFileNotOpen);
  }
}

TEST_F(ResultMenuTest, ANegativeChoiceIsAnIllegalArgument) {
  SetBuffer(ReportOf(200));
  rt::LoadScript("-1\n");
  EXPECT_EQ(RaisedError([&] { ShowResultMenu(app); }), kErrIllegalArgument);
  EXPECT_EQ(Buffer(), ReportOf(200));
}

TEST_F(ResultMenuTest, TheLongFormNeedsMoreThanOneNewPoint) {
  SetBuffer(ReportOf(200));
  Registered({3, 4});
  EXPECT_EQ(Pass("\n"), MainMenu);
  EXPECT_TRUE(Shows(U8(u8" 1:ﾌﾟﾘﾝﾄ  2:ｴﾃﾞｨﾀ  3:保存  4:ﾌﾟﾛｯﾄ  5:①+④  6:計算削除")));
  EXPECT_TRUE(Shows(U8(u8" 7:継続   ENT:ﾊﾟｽ")));
  EXPECT_EQ(app.input.GuideNumber, 14);
}

TEST_F(ResultMenuTest, TheShortFormStillTakesTheOtherChoices) {
  SetBuffer(ReportOf(200));
  Registered({3});
  EXPECT_EQ(Pass("6\n"), DeleteRun);
  EXPECT_EQ(app.input.GuideNumber, 23);
  // Plotting needs more than one new point: the menu again.
  EXPECT_EQ(Pass("4\n"), PlotRun);
  EXPECT_EQ(PlotRun(app).next, ShowResultMenu);
}

TEST_F(ResultMenuTest, TheFirstPassOfACommandMarksTheMenuShown) {
  SetBuffer("");
  app.output.ResultMenuShown = 0;
  Pass();
  EXPECT_EQ(app.output.ResultMenuShown, 1);
}

TEST_F(ResultMenuTest, TheEditorOpensThePrintBufferAndTheMenuFollows) {
  app.settings.VZ = "NOTEPAD.EXE";
  EXPECT_EQ(EditReport(app).next, ShowResultMenu);
  EXPECT_TRUE(Noted("[program] NOTEPAD.EXE " + folder.path() + "/PRINTR.DAT"));
}

TEST_F(ResultMenuTest, PlotSelectsEveryNewPointOnceInItsFirstOrder) {
  MakePoints(20);
  SetBuffer(ReportOf(200));
  Registered({12, 13, 12, 14, 13, 12});
  app.output.ResultsPlaced = 0;
  app.lines.CadInitialised = 0;
  app.lines.PrinterSelected = 1;
  app.lines.PaperFrameOn = 1;
  app.lines.CurrentLayer = 5;
  app.lines.PrintSettingsGiven = 1;
  app.dxf.DxfPlotted = 1;
  EXPECT_EQ(PlotRun(app).next, ResumePlotView);
  const points::Store& p = app.points;
  ASSERT_EQ(p.SelectionLast, 2);
  EXPECT_EQ(p.SelectionList(0), 12);
  EXPECT_EQ(p.SelectionList(1), 13);
  EXPECT_EQ(p.SelectionList(2), 14);
  EXPECT_EQ(p.NewPointCount, 6);  // the list itself stays

  const cad::Lines& l = app.lines;
  EXPECT_EQ(l.CadInitialised, 1);
  EXPECT_EQ(l.PaperHeight, double(0.28f));
  EXPECT_EQ(l.PaperWidth, double(0.195f));
  EXPECT_EQ(l.DrawingRotation, 0);
  EXPECT_EQ(l.PaperFrameOn, 0);
  EXPECT_EQ(l.CurrentLayer, 1);
  EXPECT_EQ(l.PrintSettingsGiven, 0);
  EXPECT_EQ(l.PrinterSelected, 0);
  EXPECT_EQ(app.dxf.DxfPlotted, 0);
  EXPECT_EQ(app.shell.PlanViewFlag, 1);
  EXPECT_EQ(app.view.PlotOrientation, -1);
  EXPECT_EQ(app.view.PlotNamesShown, 1);
  // The work-point cross stands at the last registered point.
  EXPECT_EQ(p.WorkPointX, p.PointX(12));
  EXPECT_EQ(p.WorkPointY, p.PointY(12));
  // The report stays open for the plot's own use.
  RtPrintToFile(5, "more");
  RtCloseAll();
  EXPECT_EQ(Buffer(), ReportOf(200) + "more\r\n");
}

TEST_F(ResultMenuTest, PlotShowsThePointsSmallerAndMovedRight) {
  MakePoints(3);
  Registered({1, 3});
  app.view.ViewHeight = 1000;
  app.view.ViewWidth = 1400;
  PlotRun(app);
  // The fit of points 1 and 3: extent 2 m high, 4 m wide.
  const double fitted = 4.0 / 1400 * double(1.1f);
  const double scale = fitted * double(1.4f);
  EXPECT_DOUBLE_EQ(app.view.PlotScale, scale);
  const double fittedOriginY = 202 - (1400 * fitted - 4) / 2;
  EXPECT_DOUBLE_EQ(app.view.PlotOriginY, fittedOriginY - 1400 * scale / 7);

  // The plot view draws in that transform and waits for its keys.
  rt::LoadScript("");
  EXPECT_THROW(ResumePlotView(app), RtScriptEnded);
  EXPECT_EQ(app.view.ViewScale, app.view.PlotScale);
  EXPECT_EQ(app.view.ViewOriginX, app.view.PlotOriginX);
  EXPECT_EQ(app.view.ViewOriginY, app.view.PlotOriginY);
}

TEST_F(ResultMenuTest, PlotAndPrintFitsTheUpperPartOfThePage) {
  MakePoints(3);
  Registered({1, 3});
  app.output.ResultsPlaced = 1;
  app.points.WorkPointZ = 5;
  EXPECT_EQ(PlotRun(app).next, PrintOutput);
  const cad::Lines& l = app.lines;
  EXPECT_EQ(l.PaperHeight, double(0.12f));
  EXPECT_EQ(l.PaperWidth, double(0.194f));
  // Extent 2 m by 4 m: 4 / 0.194 x 1.1 gives 22, then 22 x 1.1 gives 24.
  EXPECT_EQ(l.ScaleDenominator, 24);
  EXPECT_DOUBLE_EQ(l.PaperUnitsPerMetre, 10000.0 / 24);
  EXPECT_EQ(app.points.WorkPointZ, 0);
  EXPECT_EQ(app.input.ViewRedrawPending, 1);
}

class DeleteRunTest : public ResultMenuTest {
 protected:
  DeleteRunTest() {
    MakePoints(5);
    for (int n = 1; n <= 5; ++n) {
      app.points.PointZ(n) = 3;
      app.points.PointAttribute(n) = "05";
      app.fieldbook.FieldBookAttribute(n) = "obs";
    }
    app.points.PointCountBeforeCalc = 3;
    for (int i = 1; i <= 4; ++i) {
      app.lines.LinePointName(i) = "P" + std::to_string(i);
      app.lines.LinePointNumber(i) = static_cast<int16_t>(i);
      app.lines.LineType(i) = 1;
      app.lines.LineLayer(i) = 2;
      app.lines.LineArc(i) = "5 0";
    }
    app.lines.LineVertexCount = 4;
    app.lines.LineVertexCountBeforeCalc = 2;
    app.output.ReportHeaderLine = "HEAD";
    app.shell.PlaySoundPrefix = " play " + folder.path() + "/media/";
  }

  Entry Delete(const std::string& script) {
    rt::LoadScript(script);
    return DeleteRun(app).next;
  }

  bool PointCleared(int n) const {
    const points::Store& p = app.points;
    return p.PointName(n) == " " + std::to_string(n) && p.PointX(n) == 0 && p.PointY(n) == 0 &&
           p.PointZ(n) == 0 && p.PointAttribute(n).empty() &&
           app.fieldbook.FieldBookAttribute(n).empty();
  }
  bool LineCleared(int i) const {
    const cad::Lines& l = app.lines;
    return l.LinePointName(i).empty() && l.LinePointNumber(i) == 0 && l.LineType(i) == 0 &&
           l.LineLayer(i) == 0 && l.LineArc(i).empty();
  }
};

TEST_F(DeleteRunTest, TwoRemovesTheNewPointsAndLines) {
  EXPECT_EQ(Delete("2\n"), ShowResultMenu);
  EXPECT_FALSE(PointCleared(3));
  EXPECT_TRUE(PointCleared(4));
  EXPECT_TRUE(PointCleared(5));
  EXPECT_EQ(app.points.PointCount, 3);
  EXPECT_FALSE(LineCleared(2));
  EXPECT_TRUE(LineCleared(3));
  EXPECT_TRUE(LineCleared(4));
  EXPECT_EQ(app.lines.LineVertexCount, 2);
  EXPECT_TRUE(Noted("[sound] recycle.wav"));
  // The status header proposes the next free number and forgets the heading.
  EXPECT_EQ(app.points.NextPointNumber, 4);
  EXPECT_EQ(app.output.ReportHeaderLine, "");
}

TEST_F(DeleteRunTest, OneRemovesOnlyTheLines) {
  EXPECT_EQ(Delete("1\n"), ShowResultMenu);
  EXPECT_FALSE(PointCleared(4));
  EXPECT_EQ(app.points.PointCount, 5);
  EXPECT_TRUE(LineCleared(3));
  EXPECT_EQ(app.lines.LineVertexCount, 2);
}

TEST_F(DeleteRunTest, OtherAnswersChangeNothing) {
  for (const std::string answer : {"3", "", "0", "9", "abc", "0.4"}) {
    EXPECT_EQ(Delete(answer + "\n"), ShowResultMenu) << answer;
    EXPECT_FALSE(PointCleared(4));
    EXPECT_FALSE(LineCleared(4));
    EXPECT_EQ(app.lines.LineVertexCount, 4);
    EXPECT_FALSE(Noted("[sound] recycle.wav"));
  }
  rt::LoadScript("-2\n");
  EXPECT_EQ(RaisedError([&] { DeleteRun(app); }), kErrIllegalArgument);
}

TEST_F(DeleteRunTest, OverwrittenPointsAreNotClearedButNewLinesAre) {
  app.points.PointCountBeforeCalc = 5;  // the command changed points without adding any
  EXPECT_EQ(Delete("2\n"), ShowResultMenu);
  for (int n = 1; n <= 5; ++n) EXPECT_FALSE(PointCleared(n)) << n;
  EXPECT_EQ(app.points.PointCount, 5);
  EXPECT_TRUE(LineCleared(3));
}

TEST_F(DeleteRunTest, TheNewPointListStaysForAnotherPlot) {
  Registered({4, 5});
  Delete("2\n");
  EXPECT_EQ(app.points.NewPointCount, 2);
  SetBuffer(ReportOf(200));
  EXPECT_EQ(PlotRun(app).next, ResumePlotView);
  EXPECT_EQ(app.points.SelectionLast, 1);
  EXPECT_EQ(app.points.SelectionList(0), 4);
}

}  // namespace
