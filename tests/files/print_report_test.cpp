// The paged print from the result menu: its questions, "P.D", and the printed
// PDF, whose page text is judged by poppler's pdftotext.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app.h"
#include "core/control.h"
#include "files/result.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/printer.h"
#include "runtime/temp_folder.h"
#include "runtime/text.h"
#include "support/printed_pages.h"
#include "support/u8.h"

namespace {

using Lines = std::vector<std::string>;

class PrintReportTest : public ::testing::Test {
 protected:
  PrintReportTest() {
    app.shell.DataFolder = folder.path() + "/";
    app.settings.ZA = "SITE";
    rt::SetPrinterFolder(folder.path());
    rt::SetClock("2026-12-10T09:30:00");
    rt::SetTranscriptSink([this](std::string_view line) { transcript.emplace_back(line); });
  }

  // The result menu and what follows it, with `script` typed, until the script ends.
  void Run(const std::string& script) {
    rt::LoadScript(script);
    try {
      RunTrampoline(app, ShowResultMenu);
    } catch (const RtScriptEnded&) {
    }
  }

  std::string File(const std::string& name) const { return ReadHostFile(folder / name); }

  // True when the console showed a row holding `utf8`.
  bool Shows(const std::string& utf8) {
    rt::FlushTranscript();
    for (const std::string& line : transcript) {
      if (line.find(utf8) != std::string::npos) return true;
    }
    return false;
  }

  TempFolder folder;
  Lines transcript;  // before the program, whose console writes into it
  App app;
};

TEST_F(PrintReportTest, ATwoPageReportPrintsAsThePagedCopyReads) {
  WriteHostFile(folder / "PRINTR.DAT", TwoPageReport());
  // Print; title; today's date; separators as empty lines; the font and size 11;
  // then the menu again, where the script ends.
  Run(U8(u8"1\n路線測量\n\n\n\n"));

  const std::string pagedCopy = File("P.D");
  ASSERT_FALSE(pagedCopy.empty());
  const std::vector<Lines> expected = PagesOf(rt::Cp932ToUtf8(pagedCopy));
  ASSERT_EQ(expected.size(), 2u);
  EXPECT_EQ(expected[0][0],
            U8(u8"路線測量 現場=SITE (2026/12/10) Page 1"));
  EXPECT_EQ(expected[1][0],
            U8(u8"路線測量 現場=SITE (2026/12/10) Page 2"));

  const std::string pdf = folder / "print-001.pdf";
  ASSERT_TRUE(RtFileExists(pdf));
  EXPECT_EQ(PagesOf(CommandOutput("pdftotext -layout '" + pdf + "' - 2>&1")), expected);

  // The print buffer is untouched and the menu follows again.
  EXPECT_EQ(File("PRINTR.DAT"), TwoPageReport());
  EXPECT_EQ(app.input.GuideNumber, 23);
}

TEST_F(PrintReportTest, EnterAtEveryQuestionTakesTheDefaults) {
  WriteHostFile(folder / "PRINTR.DAT", TwoPageReport());
  app.output.SeparatorPageBreak = 1;
  app.output.PrintFontSize = 9;
  Run("1\n\n\n\n\n");
  EXPECT_TRUE(Shows(U8(u8"作業名＝ ?")));
  EXPECT_TRUE(Shows(U8(u8"年月日＝ 2026/12/10 ?")));
  EXPECT_TRUE(Shows(U8(u8" _ 毎改ﾍﾟｰｼﾞ[0,1] 0 ?")));
  EXPECT_TRUE(Shows(U8(u8"ﾌｫﾝﾄ,ｻｲｽﾞ[ 明 ｺﾞｼ ][ 7 8 9 10 11 12 ] 11 ?")));
  const files::Output& out = app.output;
  EXPECT_EQ(out.ReportTitle, "");
  EXPECT_EQ(out.ReportDate, "2026/12/10");
  EXPECT_EQ(out.SeparatorPageBreak, 0);
  EXPECT_EQ(out.PrintFontName, "ＭＳ 明朝");
  EXPECT_EQ(out.PrintFontSize, 11);
  // The separator is an empty line; 7 blanks of margin before every report line.
  EXPECT_EQ(File("P.D").find("_"), std::string::npos);
  EXPECT_NE(File("P.D").find("\r\n         開放トラバース計算\r\n"), std::string::npos);
}

TEST_F(PrintReportTest, AKeptTitleIsNotAskedAgain) {
  WriteHostFile(folder / "PRINTR.DAT", TwoPageReport());
  app.output.ReportTitle = "KEPT";
  Run("1\n2026/1/2\n\n\n");
  EXPECT_FALSE(Shows(U8(u8"作業名＝")));
  EXPECT_EQ(app.output.ReportTitle, "KEPT");
  EXPECT_EQ(app.output.ReportDate, "2026/1/2");
}

TEST_F(PrintReportTest, TheFontIsChosenByItsNameAndTheSizeAskedAgain) {
  WriteHostFile(folder / "PRINTR.DAT", TwoPageReport());
  app.output.ReportTitle = "KEPT";
  // The gothic font, a size of 0 and one below 0 refused, then 9.
  Run(U8(u8"1\n\n\nｺﾞｼ\n0\n-3\n9\n"));
  EXPECT_EQ(app.output.PrintFontName, "ＭＳ ゴシック");
  EXPECT_EQ(app.output.PrintFontSize, 9);
  EXPECT_NE(File("P.D").find("\r\n" + std::string(9, ' ') + "  T.1 "), std::string::npos);
  EXPECT_TRUE(RtFileExists(folder / "print-001.pdf"));
}

class PlotAndPrintTest : public PrintReportTest {
 protected:
  PlotAndPrintTest() {
    for (int n = 1; n <= 3; ++n) {
      app.points.PointName(n) = "P" + std::to_string(n);
      app.points.PointX(n) = 100 + 10 * n;
      app.points.PointY(n) = 200 + 20 * n;
    }
    app.points.PointCount = 3;
    app.points.NewPointList(0) = 1;
    app.points.NewPointList(1) = 3;
    app.points.NewPointCount = 2;
    WriteHostFile(folder / "PRINTR.DAT", TwoPageReport());
  }
};

TEST_F(PlotAndPrintTest, PrintsThePointsWithTheReportBelowThemAndEmptiesTheBuffer) {
  // Choice 5, black ink (Enter), then the report's text size 9 (Enter).
  Run("5\n\n\n");
  EXPECT_TRUE(Shows(U8(u8"作業結果文字サイズ(ﾎﾟｲﾝﾄ)")));
  const std::string pdf = folder / "print-001.pdf";
  ASSERT_TRUE(RtFileExists(pdf));
  const std::string text = CommandOutput("pdftotext '" + pdf + "' - 2>&1");
  for (const std::string& expected :
       {std::string("P1"), std::string("P3"), std::string("S=1/"), U8(u8"開放トラバース計算"),
        std::string("T.80")}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  }
  EXPECT_EQ(File("PRINTR.DAT"), "");
  EXPECT_EQ(app.points.NewPointCount, 0);
}

TEST_F(PlotAndPrintTest, TextSizeZeroAbandonsThePrint) {
  Run("5\n\n0\n");
  EXPECT_TRUE(Shows(U8(u8"作業結果文字サイズ(ﾎﾟｲﾝﾄ)")));
  EXPECT_FALSE(RtFileExists(folder / "print-001.pdf"));
  EXPECT_EQ(File("PRINTR.DAT"), TwoPageReport());
  EXPECT_EQ(app.points.NewPointCount, 2);
}

}  // namespace
