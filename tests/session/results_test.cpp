// The result menu and the settings file in whole sessions of the program. No
// command writes a report yet, so the printing session runs at a terminal (a
// pseudo-terminal as standard input, each line read as the program waits for
// it) and puts a report into the print buffer while the main menu waits.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/temp_folder.h"
#include "runtime/text.h"
#include "scripted/session.h"
#include "scripted/terminal_session.h"
#include "support/printed_pages.h"
#include "support/u8.h"

namespace {

using scripted::HasLineContaining;
using scripted::Krn;
using scripted::SessionResult;
using scripted::TerminalSession;
using Lines = std::vector<std::string>;

const std::string kMenuPrompt = U8(u8"  プログラムＮＯ=?");
const std::string kShortMenu = U8(u8" 結果 1:ﾌﾟﾘﾝﾄ  2:ｴﾃﾞｨﾀ  3:保存  ENT:ﾊﾟｽ ?");

// ---- Sessions with the script from a file ----

TEST(ResultsSession, AnEmptyPrintBufferShowsNoResultMenu) {
  // Enter alone at the stake-out menu: the result menu follows, and with
  // nothing in the print buffer the main menu's header comes next.
  const SessionResult session = Krn("4\n\n");
  EXPECT_EQ(session.status, 0) << session.errors;
  const Lines lines = session.Lines();
  const auto said = std::find_if(lines.begin(), lines.end(),
                                 [](const std::string& l) { return l.find(U8(u8"8:杭打 ?")) != std::string::npos; });
  ASSERT_NE(said, lines.end()) << session.transcript;
  ASSERT_NE(said + 1, lines.end());
  EXPECT_TRUE(said[1].starts_with("Ver6.061")) << session.transcript;
  EXPECT_FALSE(HasLineContaining(session, U8(u8"ENT:ﾊﾟｽ"))) << session.transcript;
}

TEST(ResultsSession, StartUpReadsTheSettingsFileAsTheProgramWritesIt) {
  const std::string settings =
      "仕事名 ZA$=KRN2000 \r\n"
      "             \r\n"
      "ＺＤモード   [ 1 2 3 4 ] ZD= 1 \r\n"
      "ＺＥモード [ 0 1 2 3 4 ] ZE= 3 \r\n"
      "座標丸め [ 10 100 1000 ] TN= 100 \r\n"
      "標高丸め [ 10 100 1000 ] TZ= 100 \r\n"
      "距離丸め [ 10 100 1000 ]  T= 10 \r\n"
      "使用ｴﾃﾞｨﾀ VZ$=mousepad \r\n";
  const SessionResult session = Krn("", {}, {{"KRN2000.DEF", settings}});
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(HasLineContaining(session, "ZD= 1 ZE= 3 T= 10 ")) << session.transcript;
  // The job name is never taken from the settings file.
  EXPECT_FALSE(HasLineContaining(session, "KRN2000")) << session.transcript;
}

TEST(ResultsSession, WithoutASettingsFileTheDefaultsApply) {
  const SessionResult session = Krn("");
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(HasLineContaining(session, "ZD= 2 ZE= 0 T= 1000 ")) << session.transcript;
}

// ---- A session at a terminal ----

TEST(ResultsTerminal, ATwoPageReportPrintsToAPdfWhosePagesReadAsThePagedCopy) {
  TerminalSession session;
  ASSERT_TRUE(session.Started());
  ASSERT_TRUE(session.WaitFor(kMenuPrompt)) << session.Output() << session.Errors();
  // The report a command would have written.
  WriteHostFile(session.data / "PRINTR.DAT", TwoPageReport());
  session.Type("4");  // the stake-out menu, left with Enter: on to the result menu
  session.Type("");
  ASSERT_TRUE(session.WaitFor(kShortMenu)) << session.Output();
  session.Type("1");
  ASSERT_TRUE(session.WaitFor(U8(u8"作業名＝ ?"))) << session.Output();
  session.Type(U8(u8"路線測量"));
  ASSERT_TRUE(session.WaitFor(U8(u8"年月日＝ 2026/12/10 ?"))) << session.Output();
  session.Type("");
  ASSERT_TRUE(session.WaitFor(U8(u8" _ 毎改ﾍﾟｰｼﾞ[0,1] 0 ?"))) << session.Output();
  session.Type("");
  ASSERT_TRUE(session.WaitFor(U8(u8"[ 7 8 9 10 11 12 ] 11 ?"))) << session.Output();
  session.Type("");
  ASSERT_TRUE(session.WaitFor("[print] print-001.pdf")) << session.Output();
  // The menu again, the report still there; Enter empties the print buffer.
  ASSERT_TRUE(session.WaitFor(kShortMenu)) << session.Output();
  EXPECT_EQ(ReadHostFile(session.data / "PRINTR.DAT"), TwoPageReport());
  session.Type("");
  ASSERT_TRUE(session.WaitFor(kMenuPrompt)) << session.Output();
  EXPECT_EQ(ReadHostFile(session.data / "PRINTR.DAT"), "");
  session.Type("!close main");
  ASSERT_TRUE(session.WaitFor("(a message box is waiting")) << session.Output();
  session.Type("!ok");
  EXPECT_EQ(session.Finish(), 0) << session.Errors();

  const std::vector<Lines> pagedCopy =
      PagesOf(rt::Cp932ToUtf8(ReadHostFile(session.data / "P.D")));
  ASSERT_EQ(pagedCopy.size(), 2u);
  EXPECT_EQ(pagedCopy[0].front(), U8(u8"路線測量 現場= (2026/12/10) Page 1"));
  EXPECT_EQ(pagedCopy[1].front(), U8(u8"路線測量 現場= (2026/12/10) Page 2"));
  EXPECT_EQ(pagedCopy[0][1], U8(u8"開放トラバース計算"));
  EXPECT_EQ(pagedCopy[1].back(), "T.80 X= 1080.125 Y= 2160.500");
  const std::string pdf = session.data / "print-001.pdf";
  EXPECT_EQ(PagesOf(CommandOutput("pdftotext -layout '" + pdf + "' - 2>&1")), pagedCopy);
}

TEST(ResultsTerminal, TheMenuNeedsOneHundredBytesAndSevenKeepsTheReport) {
  TerminalSession session;
  ASSERT_TRUE(session.Started());
  const std::string buffer = session.data / "PRINTR.DAT";
  ASSERT_TRUE(session.WaitFor(kMenuPrompt)) << session.Output() << session.Errors();
  WriteHostFile(buffer, std::string(97, 'a') + "\r\n");  // 99 bytes: no menu
  session.Type("4");
  session.Type("");
  ASSERT_TRUE(session.WaitFor(kMenuPrompt)) << session.Output();
  EXPECT_EQ(session.Output().find(kShortMenu), std::string::npos) << session.Output();
  EXPECT_EQ(ReadHostFile(buffer), "");

  const std::string report = std::string(98, 'a') + "\r\n";  // 100 bytes
  WriteHostFile(buffer, report);
  session.Type("4");
  session.Type("");
  ASSERT_TRUE(session.WaitFor(kShortMenu)) << session.Output();
  session.Type("1.5");  // rounds to 2: the editor on the print buffer
  ASSERT_TRUE(session.WaitFor("[program] NOTEPAD.EXE " + buffer)) << session.Output();
  ASSERT_TRUE(session.WaitFor(kShortMenu)) << session.Output();
  session.Type("7");
  ASSERT_TRUE(session.WaitFor(kMenuPrompt)) << session.Output();
  session.Type("4");  // the kept report shows the menu after the next command
  session.Type("");
  ASSERT_TRUE(session.WaitFor(kShortMenu)) << session.Output();
  EXPECT_EQ(ReadHostFile(buffer), report + "_\r\n");
  session.Type("7.4");  // only 7 itself keeps it
  ASSERT_TRUE(session.WaitFor(kMenuPrompt)) << session.Output();
  EXPECT_EQ(ReadHostFile(buffer), "");
  session.Type("!close main");
  ASSERT_TRUE(session.WaitFor("(a message box is waiting")) << session.Output();
  session.Type("!ok");
  EXPECT_EQ(session.Finish(), 0) << session.Errors();
}

}  // namespace
