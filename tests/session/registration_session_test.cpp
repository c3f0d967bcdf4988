// A point registered in a whole session: typed by its coordinates at the point
// question of command 12 (the answer I), moved onto the base line with "+" and
// named by a prefix, under ZE 4, which shows every point by its station and
// offset too.
#include <gtest/gtest.h>

#include <string>

#include "session/fixture_points.h"
#include "support/u8.h"

namespace {

TEST(RegistrationSession, APointTypedAtCommandTwelveIsMovedNamedAndDesignated) {
  const TempFolder data, windows, io;
  WriteHostFile(data / "KRN2000.DEF", "ＺＥモード [ 0 1 2 3 4 ] ZE= 4 \r\n");
  // Command 12, I, X and Y; "+" with a height of 0.5 puts the point on the base
  // line (the X axis through 0, 0); "K=" proposes the name after K5; Enter takes
  // it and its number; then the search range.
  const int status = fixture_points::Run("12\nI\n-35090\n-12460\n+\n0.5\nK=\n\n\n100\n",
                                         fixture_points::kFarJob, data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  const auto shown = [&](const std::string& part) { return transcript.find(part) != std::string::npos; };
  // The point by its station and offset, before and after "+".
  EXPECT_TRUE(shown("x= -35090.000  y= -12460.000")) << transcript;
  EXPECT_TRUE(shown("x= -35090.000  y=      0.000")) << transcript;
  EXPECT_TRUE(shown(U8(u8" 6 ﾃﾝﾒｲ= K6 "))) << transcript;
  EXPECT_TRUE(shown(U8(u8"K6 ﾃﾝﾊﾞﾝ= 6 "))) << transcript;
  // The point designated is the point stored.
  EXPECT_TRUE(shown("NO. 6 ----- K6   91")) << transcript;
  EXPECT_TRUE(shown("X= -35090.000  Y=      0.000  Z=     0.500")) << transcript;
}

}  // namespace
