// The longitudinal section's settings in whole sessions: opened from the CAD
// menu on a small section job, set up and saved with the job; the job opened
// again keeps them and shows the section on the view.
#include <gtest/gtest.h>

#include <string>

#include "scripted/session.h"
#include "session/fixture_points.h"
#include "support/u8.h"

namespace {

using scripted::HasLineContaining;
using scripted::Krn;
using scripted::SessionResult;

// Plan points (code 5) from 123.45 m to 131.2 m over chainages 0 to 800 m, a
// ground point (7) and a flag (2): X holds the height, Y the chainage.
scripted::Files SectionJob() {
  return {{"SEC.PRN", "BP 123.45 0 0 95\r\nG1 126 100 0 97\r\nP2 127 400 0 95\r\nEP 131.2 800 0 95\r\n"
                      "F1 127 400 0 92\r\n\x1a\r\n"}};
}

// CAD menu 2 (first use), drawing on, scales 100 and 1000, type 4 then type
// 1, the editor ended with "E" at row 3, the position prompts passed with
// Enter, back to the CAD menu and the result menu, then the job saved.
const std::string kSetUpAndSave =
    "9\n2\n1\n2\n100\n1000\n4\n1\n4\n1\n1\n1\n7\n" + std::string(9, '\n') + "E\n\n3\n\n\n\n\n\n\n"
    "5\n4\n1\n!file SEC.PRN\n";

// The record of the job file that begins with `mark`.
std::string Record(const SessionResult& s, const std::string& mark) {
  const std::string lines = s.File("SEC.SEN");
  const size_t at = lines.find("\r\n" + mark);
  if (at == std::string::npos) return "";
  return lines.substr(at + 2, lines.find("\r\n", at + 2) - at - 2);
}

TEST(ProfileSession, SettingsMadeOnTheSectionAreSavedWithTheJobAndKeptOnReload) {
  const SessionResult session = Krn(kSetUpAndSave, {"./SEC.PRN"}, SectionJob());
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, U8(u8"縦比率＝ 10"))) << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, U8(u8"ＤＬ＝ 115"))) << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, U8(u8"ＤＬｽｹｰﾙ天高＝ 140"))) << session.transcript;

  const std::string first = Record(session, "~1");
  ASSERT_FALSE(first.empty()) << session.File("SEC.SEN");
  EXPECT_EQ(first.rfind("~1, 114.999998211861 , 0 ,", 0), 0u) << first;
  EXPECT_NE(first.find(",-56 , 0 , 0 , 0 , 0 ,, 100 , 1000 , .1 , 1 , 20 , 20 , 2 "), std::string::npos)
      << first;
  const std::string second = Record(session, "~2");
  EXPECT_NE(second.find(", 2.40000009536743 , .699999988079071 ,"), std::string::npos) << second;
  // Type 1 put item 9 back to 3 decimals after the stream type's 1.
  EXPECT_EQ(Record(session, "~3").rfind("~3, 3 , 3 , 2 , 2 , 2 , 3 , 3 , 3 , 3 , 3 , 2 ,", 0), 0u)
      << Record(session, "~3");

  // Opened again: the file's settings stand and the first-use values are not
  // applied (they would name the type "道路" and load its nine rows).
  const SessionResult again =
      Krn("!png view view.png\n9\n2\n4\n2\n\n\n\n\n\n\n\n\n",
          {"./SEC.PRN"}, {{"SEC.PRN", session.File("SEC.PRN")}, {"SEC.SEN", session.File("SEC.SEN")}});
  ASSERT_EQ(again.status, 0) << again.errors << again.transcript;
  EXPECT_TRUE(HasLineContaining(again, U8(u8"縦比率＝ 10"))) << again.transcript;
  EXPECT_FALSE(HasLineContaining(again, U8(u8"ﾀｲﾌﾟ=道路"))) << again.transcript;
  EXPECT_TRUE(HasLineContaining(again, U8(u8"始点空間mm ＝ 20"))) << again.transcript;

  // The view of the loaded job holds the section's long horizontal lines in
  // colour 8: the datum line and the three rows' edges.
  const fixture_points::Png view(*again.dataFolder / "view.png");
  ASSERT_TRUE(view.Ok());
  int longRows = 0;
  for (int y = 0; y < view.Height(); ++y) longRows += view.Count(8, 0, y, view.Width(), y + 1) > view.Width() / 3;
  EXPECT_GE(longRows, 4);
}

}  // namespace
