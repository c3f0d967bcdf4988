// Coordinate management (main-menu command 5) in whole sessions of the program:
// the points typed in, listed, printed and saved.
#include <gtest/gtest.h>

#include <string>

#include "scripted/session.h"
#include "support/u8.h"

namespace {

using scripted::HasLineContaining;
using scripted::InOrder;
using scripted::Krn;
using scripted::SessionResult;

const std::string kMenuLine = U8(u8" 1:座標入力  2:座標ﾘｽﾄ  3:座標ﾌﾟﾘﾝﾄ  4:ﾌｧｲﾙ(PRN)  5:ﾌｧｲﾙ(SIMA)");

TEST(CoordinateManagementSession, PointsAreTypedInOneAfterAnotherAndQLeavesForTheMenu) {
  // 5, 1, mode 0; Enter takes point 1; name, X and Y store it and the name of
  // point 2 is asked at once; Enter there gives the number prompt, Q the menu.
  // Then the file menu saves the job.
  const SessionResult session =
      Krn("5\n1\n0\n\nA1\n100\n200\nB2\n300\n400\n\nQ\n4\n1\n!file JOB.PRN\n");
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {
                                   U8(u8"11:新規     12:ﾏｳｽ調整 ? 1"),
                                   U8(u8"10:簡易入力 11:ｴｸｾﾙ入力? 0"),
                                   U8(u8" ｲﾝ NO.  1 ?                           [ENT =ﾘｽﾄ,M,J,Q] 0"),
                                   " 1   1",
                                   U8(u8" ﾃﾝﾒｲ=? A1"),
                                   U8(u8" X=? 100"),
                                   U8(u8" Y=? 200"),
                                   "[sound] ding.wav",
                                   " 2   2",
                                   U8(u8" ﾃﾝﾒｲ=? B2"),
                                   " 3   3",
                                   U8(u8" ﾃﾝﾒｲ=?"),
                                   U8(u8" ｲﾝ NO. ? Q                            [ENT =ﾘｽﾄ,M,J,Q] 2"),
                                   kMenuLine,
                               }));
  const std::string saved = session.File("JOB.PRN");
  EXPECT_NE(saved.find("A1 "), std::string::npos) << saved;
  EXPECT_NE(saved.find("B2 "), std::string::npos) << saved;
}

TEST(CoordinateManagementSession, TheListGoesOnInTheTableAndThePrintEndsInTheResultMenu) {
  // The list of two points typed first: Enter opens the table at point 2, Enter
  // there lists it; Q the menu. Then the print of both, whose result menu
  // offers to plot them.
  const SessionResult session =
      Krn("5\n1\n0\n\nA1\n100\n200\nB2\n300\n400\n\nQ\n2\n\n\nQ\n3\n1\n2\n\n\n4\n");
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {
                                   U8(u8"11:新規     12:ﾏｳｽ調整 ? 2"),
                                   " 1  A1",
                                   U8(u8" ﾘｽﾄ NO.?                         [ENT=ﾂｷﾞ P =ｲﾝ,J,M,Q] 2"),
                                   " 2  B2",
                                   U8(u8"11:新規     12:ﾏｳｽ調整 ? 3"),
                                   U8(u8"ﾌﾟﾘﾝﾄ出力項目選択"),
                                   U8(u8" 1:ﾌﾟﾘﾝﾄ  2:ｴﾃﾞｨﾀ  3:保存  4:ﾌﾟﾛｯﾄ  5:①+④  6:計算削除"),
                               }));
}

TEST(CoordinateManagementSession, TheSimaMenuGoesBackOnEnterAndAnEmptyDeletionDeletesNothing) {
  // Choice 5 and Enter at the SIMA file menu; choice 6 with Enter at its
  // selection: back to the menu each time.
  const SessionResult session = Krn("5\n5\n\n6\n\n");
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {
                                   U8(u8"11:新規     12:ﾏｳｽ調整 ? 5"),
                                   U8(u8" 1:座標+画地ｶｷｺﾐ  1.1:座標ｶｷｺﾐ  2:1ﾌﾞｶｷｺﾐ  3:ﾖﾐｺﾐ  4:ﾂｲｶﾖﾐｺﾐ"),
                                   kMenuLine,
                                   U8(u8"11:新規     12:ﾏｳｽ調整 ? 6"),
                                   kMenuLine,
                               }))
      << session.transcript;
  EXPECT_FALSE(HasLineContaining(session, U8(u8"まだ使えません"))) << session.transcript;
}

}  // namespace
