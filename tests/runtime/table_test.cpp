#include "runtime/table.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/runtime.h"
#include "support/raised_error.h"

namespace {

TEST(RtTable, IndexesZeroToBoundAndRefusesTheRest) {
  Runtime rt;
  RuntimeScope scope(rt);
  RtTable<std::string> names(3);
  names(3) = "A";
  EXPECT_EQ(names(3), "A");
  EXPECT_EQ(names(0), "");
  EXPECT_EQ(names.Bound(), 3);
  EXPECT_EQ(RaisedError([&] { names(4) = "B"; }), kErrSubscript);
  EXPECT_EQ(RaisedError([&] { names(-1); }), kErrSubscript);
  EXPECT_EQ(RaisedError([&] { names(1e300); }), kErrSubscript);
}

TEST(RtTable, FractionalSubscriptsRoundHalfAwayFromZero) {
  Runtime rt;
  RuntimeScope scope(rt);
  RtTable<double> x(3);
  x(2.5) = 7;  // element 3
  EXPECT_EQ(x(3), 7);
  x(1.4) = 5;  // element 1
  EXPECT_EQ(x(1), 5);
  EXPECT_EQ(RaisedError([&] { x(-0.5); }), kErrSubscript);  // rounds to -1
  EXPECT_EQ(x(-0.4), 0);                                    // rounds to 0
}

TEST(RtTable, ErrorNamesTheCallersLine) {
  Runtime rt;
  RuntimeScope scope(rt);
  RtTable<int> t(1);
  int line = 0;
  try {
    line = __LINE__ + 1;
    t(2) = 1;
  } catch (const RtError& e) {
    EXPECT_EQ(static_cast<int>(e.where().line()), line);
  }
  EXPECT_NE(line, 0);
}

}  // namespace
