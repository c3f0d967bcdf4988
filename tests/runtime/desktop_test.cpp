// The parts of the desktop backend that need no display: what the keys mean to
// the program and how a dialog's type list becomes file filters.
#include <fnmatch.h>
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/desktop.h"
#include "runtime/desktop_dialogs.h"
#include "runtime/desktop_keys.h"
#include "runtime/events.h"
#include "support/u8.h"

namespace {

using rt::DesktopKey;
using Kind = rt::DesktopKey::Kind;

struct KeyCase {
  unsigned keyval;
  bool shift;
  Kind kind;
  int value;
};

TEST(DesktopKeys, SpecialKeysGiveTheirCodesAndFunctionKeysAreEvents) {
  const KeyCase cases[] = {
      {GDK_KEY_Return, false, Kind::Code, kKeyEnter},
      {GDK_KEY_KP_Enter, false, Kind::Code, kKeyEnter},
      {GDK_KEY_BackSpace, false, Kind::Code, kKeyBackspace},
      {GDK_KEY_Tab, false, Kind::Code, kKeyTab},
      {GDK_KEY_ISO_Left_Tab, true, Kind::Code, kKeyTab},
      {GDK_KEY_Escape, false, Kind::Code, kKeyEscape},
      {GDK_KEY_Home, false, Kind::Code, kKeyHome},
      {GDK_KEY_Home, true, Kind::Code, kKeyClear},
      {GDK_KEY_KP_Home, true, Kind::Code, kKeyClear},
      {GDK_KEY_Clear, false, Kind::Code, kKeyClear},
      {GDK_KEY_Insert, false, Kind::Code, kKeyInsert},
      {GDK_KEY_Page_Up, false, Kind::Code, kKeyPageUp},
      {GDK_KEY_Page_Down, false, Kind::Code, kKeyPageDown},
      {GDK_KEY_End, false, Kind::Code, kKeyEnd},
      {GDK_KEY_Right, false, Kind::Code, kKeyRight},
      {GDK_KEY_Left, false, Kind::Code, kKeyLeft},
      {GDK_KEY_Up, false, Kind::Code, kKeyUp},
      {GDK_KEY_KP_Down, false, Kind::Code, kKeyDown},
      {GDK_KEY_Delete, false, Kind::Code, kKeyDelete},
      {GDK_KEY_KP_Delete, false, Kind::Code, kKeyDelete},
      {GDK_KEY_F1, false, Kind::FunctionKey, 1},
      {GDK_KEY_F3, true, Kind::FunctionKey, 3},
      {GDK_KEY_F12, false, Kind::FunctionKey, 12},
      // Typed text comes through the input method, not as a key of its own.
      {GDK_KEY_a, false, Kind::Text, 0},
      {GDK_KEY_5, false, Kind::Text, 0},
      {GDK_KEY_F13, false, Kind::Text, 0},
      {GDK_KEY_Shift_L, false, Kind::Text, 0},
  };
  for (const KeyCase& c : cases) {
    const DesktopKey key = rt::DesktopKeyFor(c.keyval, c.shift);
    EXPECT_EQ(key.kind, c.kind) << "keyval " << std::hex << c.keyval;
    EXPECT_EQ(key.value, c.value) << "keyval " << std::hex << c.keyval;
  }
}

bool Matches(const std::vector<std::string>& patterns, const char* name) {
  for (const std::string& p : patterns) {
    if (fnmatch(p.c_str(), name, 0) == 0) return true;
  }
  return false;
}

TEST(DesktopTypeList, TheSaveListOffersExactlyTheExtensionAndTexts) {
  const auto types = rt::ParseTypeList("(*.PRN,);(*.TXT)");
  ASSERT_EQ(types.size(), 2u);
  EXPECT_EQ(types[0].label, "(*.PRN,)");
  // The empty pattern after the comma offers nothing.
  ASSERT_EQ(types[0].patterns.size(), 1u);
  EXPECT_TRUE(Matches(types[0].patterns, "JOB.PRN"));
  EXPECT_TRUE(Matches(types[0].patterns, "job.prn"));
  EXPECT_FALSE(Matches(types[0].patterns, "job.prt"));
  EXPECT_FALSE(Matches(types[0].patterns, "JOB"));
  EXPECT_TRUE(Matches(types[1].patterns, "Report.Txt"));
}

TEST(DesktopTypeList, TheOpenListKeepsItsLabelsAndAllFilesMeansAll) {
  const auto types = rt::ParseTypeList(
      "(*.SIM);ケルノ(*.PRN);標準(*.SIM);(*.*);(*.CSV);(*.DEF)");
  ASSERT_EQ(types.size(), 6u);
  EXPECT_EQ(types[1].label, U8(u8"ケルノ(*.PRN)"));
  EXPECT_EQ(types[2].label, U8(u8"標準(*.SIM)"));
  EXPECT_TRUE(Matches(types[1].patterns, "site.PRN"));
  EXPECT_TRUE(Matches(types[3].patterns, "README"));  // no dot: still "all files"
  EXPECT_TRUE(Matches(types[3].patterns, "a.b"));
  EXPECT_FALSE(Matches(types[4].patterns, "a.csv.bak"));
}

TEST(DesktopTypeList, OddListsGiveNoBrokenEntries) {
  EXPECT_TRUE(rt::ParseTypeList("").empty());
  EXPECT_TRUE(rt::ParseTypeList(";;").empty());
  const auto types = rt::ParseTypeList("(*);no patterns;(*.A, *.B)");
  ASSERT_EQ(types.size(), 3u);
  EXPECT_TRUE(Matches(types[0].patterns, "anything"));  // "(*)": an empty extension
  EXPECT_TRUE(types[1].patterns.empty());
  EXPECT_TRUE(Matches(types[2].patterns, "x.b"));
}

TEST(DesktopBackend, IsNotActiveHeadless) {
  EXPECT_FALSE(rt::DesktopActive());
  EXPECT_EQ(rt::DesktopMainWindow(), nullptr);
  rt::DesktopPumpEvents();  // does nothing
}

}  // namespace
