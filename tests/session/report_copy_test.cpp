// Saving a report from the result menu in a whole session: the save dialog is
// answered by the script, the copy lands in the chosen folder byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "runtime/temp_folder.h"
#include "scripted/terminal_session.h"
#include "support/u8.h"

namespace {

using scripted::TerminalSession;

const std::string kMenuPrompt = U8(u8"  プログラムＮＯ=?");
const std::string kShortMenu = U8(u8" 結果 1:ﾌﾟﾘﾝﾄ  2:ｴﾃﾞｨﾀ  3:保存  ENT:ﾊﾟｽ ?");
const std::string kSaveWhat = U8(u8" 1:ﾌﾟﾘﾝﾄﾃﾞｰﾀ   2:入力結果ﾃﾞｰﾀ  1 ?");

TEST(ReportCopyTerminal, TheResultMenuSavesTheReportInTheChosenFolder) {
  TerminalSession session;
  ASSERT_TRUE(session.Started());
  TempFolder out;
  ASSERT_TRUE(session.WaitFor(kMenuPrompt)) << session.Output() << session.Errors();
  std::string report;
  for (int i = 1; i <= 6; ++i) {
    report += "  \x95\x5c\x8e\xa6 line " + std::to_string(i) + " X= 100.25\r\n";
  }
  report += "_\r\n";
  WriteHostFile(session.data / "PRINTR.DAT", report);
  session.Type("4");  // the stake-out menu, left with Enter: on to the result menu
  session.Type("");
  ASSERT_TRUE(session.WaitFor(kShortMenu)) << session.Output();

  session.Type("3");
  ASSERT_TRUE(session.WaitFor(kSaveWhat)) << session.Output();
  session.Type("");
  session.Type("!file " + (out / U8(u8"報告")));
  ASSERT_TRUE(session.WaitFor(U8(u8"[save] ﾌｧｲﾙ書込 -> ") + (out / U8(u8"報告"))))
      << session.Output();
  ASSERT_TRUE(session.WaitFor(kShortMenu)) << session.Output();
  EXPECT_EQ(ReadHostFile(out / U8(u8"報告.TXT")), report);

  // A cancelled list leaves nothing behind.
  session.Type("3");
  ASSERT_TRUE(session.WaitFor(kSaveWhat)) << session.Output();
  session.Type("2");
  session.Type("!cancel");
  ASSERT_TRUE(session.WaitFor(U8(u8"[save] ﾌｧｲﾙ書込 -> cancel"))) << session.Output();
  ASSERT_TRUE(session.WaitFor(kShortMenu)) << session.Output();
  session.Type("");
  ASSERT_TRUE(session.WaitFor(kMenuPrompt)) << session.Output();
  session.Type("!close main");
  ASSERT_TRUE(session.WaitFor("(a message box is waiting")) << session.Output();
  session.Type("!ok");
  EXPECT_EQ(session.Finish(), 0) << session.Errors();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.path()),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
