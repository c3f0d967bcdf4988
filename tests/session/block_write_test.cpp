// A block of the job written through the coordinate file menu's block write,
// chosen by a name prefix, a sort, a mark and a range: the file lists the
// points in the order chosen.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "scripted/session.h"

namespace {

using scripted::Files;
using scripted::Krn;
using scripted::SessionResult;

// The first word of each line that holds a point.
std::vector<std::string> NamesIn(const std::string& file) {
  std::vector<std::string> names;
  std::istringstream in(file);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string name;
    double x = 0;
    if (words >> name >> x) names.push_back(name);
  }
  return names;
}

TEST(BlockWriteSession, TheChosenPointsAreWrittenInTheirOrder) {
  const Files job = {{"J.PRN",
                      "A1      10.000   20.000   1.000 05\r\n"
                      "A10     30.000   40.000   2.000 05\r\n"
                      "A2      50.000   60.000   3.000 05\r\n"
                      "B1      70.000   80.000   4.000 07\r\n"
                      "C5      90.000  100.000   5.000 05\r\n"}};
  // Main menu 5, its file menu (4) and the block write, the file; then the names
  // beginning with A sorted descending (a), the points of mark 7, and the
  // range from 5 to 5.
  const SessionResult session =
      Krn("5\n4\n2\n!file OUT.PRN\nA=\nS\na\n7=\n5-\n5\n\n", {"./J.PRN"}, job);
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_EQ(NamesIn(session.File("OUT.PRN")),
            (std::vector<std::string>{"A10", "A2", "A1", "B1", "C5"}))
      << session.File("OUT.PRN") << session.transcript;
}

}  // namespace
