// The digitizer in a whole session: the program's first port is a pseudo-
// terminal on which a digitizer sends its readings; the points come into the
// job and are saved with it, and a second reading on the now silent digitizer
// is left with F2.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "scripted/job_lines.h"
#include "scripted/session.h"
#include "support/pty_stream.h"
#include "support/u8.h"

namespace {

using scripted::HasLineContaining;
using scripted::JobLines;
using scripted::Krn;
using scripted::SessionResult;

TEST(DigitizerSession, ReadingsAreStoredSavedAndASilentDigitizerIsLeftWithF2) {
  PtyStream digitizer(
      "X=   1234.567\r\nY=   5678.901\r\n"
      "X=   10.5,Y=   99\r\nY=   -20.25\r\n"
      "F0\r\n");
  setenv("KRN_COM1", digitizer.device().c_str(), 1);
  // Transfer menu, the digitizer: connected, first name P1, start number 101;
  // after F0 "Q". Then the digitizer again, now silent: F2. Then the job saved.
  const SessionResult session =
      Krn("8\n7\n\nP1\n101\nQ\n"
          "8\n7\n\n\n\n{F2}{NOENTER}\n"
          "5\n4\n1\n!file JOB.PRN\n",
          {"./JOB.PRN"}, {{"JOB.PRN", "A1 100 200 0 \r\n\x1a\r\n"}});
  unsetenv("KRN_COM1");
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, "  101  P1        X=   1234.567  Y=   5678.901"))
      << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, "  102  P2        X=     10.500  Y=    -20.250"));
  EXPECT_TRUE(HasLineContaining(session, U8(u8"強制中止しました")));
  // The job holds the numbers up to 102: the readings at 101 and 102 with
  // height 0 and no attribute.
  const std::vector<std::string> job = JobLines(session.File("JOB.PRN"));
  ASSERT_EQ(job.size(), 103u) << session.File("JOB.PRN");
  EXPECT_EQ(job[0], "A1                    100.0000      200.0000        0.0000 ");
  EXPECT_EQ(job[100], "P1                   1234.5670     5678.9010        0.0000 ");
  EXPECT_EQ(job[101], "P2                     10.5000      -20.2500        0.0000 ");
  EXPECT_EQ(job[102], "\x1a");
}

}  // namespace
