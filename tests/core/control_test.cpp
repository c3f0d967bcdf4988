#include <gtest/gtest.h>

#include "core/app.h"
#include "core/control.h"
#include "runtime/errors.h"
#include "support/raised_error.h"

namespace {

// A small program: count passes through a menu, jump out of a nested routine,
// and let the trap turn a run-time error into a jump to the menu.
int g_passes = 0;
Jump Menu(App&);

void NestedRoutine() { JumpTo(Menu); }

Jump Command(App&) {
  NestedRoutine();
  return {};  // never reached
}

Jump FailingCommand(App&) { RtRaise(kErrSubscript); }

Jump Menu(App&) {
  ++g_passes;
  if (g_passes == 1) return {Command};
  if (g_passes == 2) return {FailingCommand};
  if (g_passes < 100000) return {Menu};
  return {};
}

TEST(Trampoline, RunsEntriesJumpsAndTrapsWithoutGrowingTheStack) {
  App app;
  g_passes = 0;
  int trapped = 0;
  RtOnErrorGoto([&](const RtError& e) {
    trapped = e.number();
    JumpTo(Menu);
  });
  EXPECT_EQ(RunTrampoline(app, Menu), 0);
  EXPECT_EQ(g_passes, 100000);
  EXPECT_EQ(trapped, kErrSubscript);
  EXPECT_EQ(RtErr(), kErrSubscript);
  EXPECT_GT(RtErl(), 0);
}

TEST(Trampoline, UntrappedErrorReachesTheCaller) {
  App app;
  EXPECT_THROW(RunTrampoline(app, FailingCommand), RtError);
}

TEST(Trampoline, ErrorInsideTheTrapIsNotTrappedAgain) {
  App app;
  int calls = 0;
  RtOnErrorGoto([&](const RtError&) {
    ++calls;
    RtRaise(kErrOverflow);
  });
  EXPECT_THROW(RunTrampoline(app, FailingCommand), RtError);
  EXPECT_EQ(calls, 1);
}

TEST(Trampoline, ExitProgramEndsWithItsStatus) {
  App app;
  auto leave = [](App&) -> Jump { ExitProgram(3); };
  EXPECT_EQ(RunTrampoline(app, leave), 3);
}

TEST(Errors, PassedOverErrorsAreRecordedNotThrown) {
  App app;
  EXPECT_FALSE(RtPassOver(kErrFileNotFound));
  EXPECT_EQ(RtErr(), kErrFileNotFound);
  RtClearError();
  EXPECT_EQ(RtErr(), 0);
}

TEST(Errors, DivisionAndRootRaiseThePlatformNumbers) {
  App app;
  EXPECT_DOUBLE_EQ(RtDivide(1, 4), 0.25);
  EXPECT_EQ(RaisedError([] { RtDivide(1, 0); }), kErrDivisionByZero);
  EXPECT_EQ(RaisedError([] { RtDivide(0, 0); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([] { RtDivide(1e300, 1e-300); }), kErrOverflow);
  EXPECT_EQ(RaisedError([] { RtSqrt(-1); }), kErrIllegalArgument);
}

}  // namespace
