// A route typed in a headless session, saved as a route file equal to the
// golden file, and read back in a fresh session.
#include <gtest/gtest.h>

#include <string>

#include "scripted/session.h"

namespace {

using scripted::Files;
using scripted::Krn;
using scripted::SessionResult;

const Files kJob = {{"J.PRN",
                     "A1      0.000   0.000   0.000 05\r\n"
                     "A2      100.000   100.000   0.000 05\r\n"
                     "A3      100.000   300.000   0.000 05\r\n"
                     "A4      300.000   400.000   0.000 05\r\n"
                     "\x1a"}};

std::string Golden() { return ReadHostFile(std::string(KRN_TEST_DATA) + "/route/ROUTE.RSN"); }

TEST(RouteSession, TypedRouteIsWrittenAsTheGoldenFile) {
  // Route menu 6, IP input: first IP number, start A1, IP 1 (A2, R, A1, A2),
  // IP 2 (A3 ...), the end A4 with 9999; the four settings; back to the route
  // menu, the grade line of three change points; the route file written.
  const std::string script =
      "3\n6\n1\n\nA1\n\nA2\n150\n60\n70\n\nA3\n200\n0\n0\n\nA4\n9999\n"
      "2\n1234.5678\n25\n1\n100\n\n"
      "5\n1\n\n0\n100\n\n100\n101\n60\n\n200\n100\n9999\n\n"
      "7\n1\n!file ROUTE.RSN\n\n";
  const SessionResult session = Krn(script, {"./J.PRN"}, kJob);
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_EQ(session.File("ROUTE.RSN"), Golden()) << session.transcript;
}

TEST(RouteSession, RouteFileReadInAFreshSessionGivesTheSameRoute) {
  Files files = kJob;
  files.emplace_back("ROUTE.RSN", Golden());
  // Read it, walk the IPs with Enter, show the settings, the plan height at 100.
  const std::string script = "3\n7\n2\n!file ROUTE.RSN\n6\n1\n" + std::string(15, '\n') +
                             "2\n\n\n\n\n\n5\n2\n100\n\n\n\n\n";
  const SessionResult session = Krn(script, {"./J.PRN"}, files);
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  for (const char8_t* line : {u8"ｽﾀｰﾄ点＝          A1 ?                      [M,L,J,I,Q] 4",
                              u8"IP.1 の点＝       A2 ?                      [M,L,J,I,Q] 4",
                              u8"半径   Ｒ＝       150 ?                     [END= 9999]",
                              u8"ﾊﾟﾗﾒｰﾀ  Ａ１＝    60 ?", u8"ﾊﾟﾗﾒｰﾀ  Ａ２＝    70 ?",
                              u8"IP.3 の点＝       A4 ?                      [M,L,J,I,Q] 4",
                              u8"始点追加距離=   1234.5678 ?", u8"測点間隔    =   25 ?",
                              u8"中心+縦勾[0,1]  1 ?", u8"距離丸[1000,100,10]  100 ?",
                              u8"(Z= 100.85   L= 0 )"}) {
    const std::string text(reinterpret_cast<const char*>(line));
    EXPECT_TRUE(session.HasLine(text)) << text << "\n" << session.transcript;
  }
}

}  // namespace
