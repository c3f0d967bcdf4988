// The six preset layouts against their table, and the item editor and type menu
// driven by typed answers.
#include "profile/item_table.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/app.h"
#include "files/line_file.h"
#include "profile/item_names.h"
#include "profile/settings.h"
#include "points/point_question.h"

namespace {

struct Expected {
  int type;
  std::vector<int> items;
  std::vector<int> heights;
  int lastRow;
  double spacing;
  std::vector<std::pair<int, int>> decimals;
};

// The layouts as the surveyor's table lists them.
const Expected kPresets[] = {
    {1, {14, 13, 12, 11, 4, 3, 2, 1, 10}, {15, 12, 12, 15, 15, 15, 12, 15, 15}, 8, 1,
     {{14, 3}, {13, 3}, {12, 3}, {11, 3}, {4, 2}, {3, 2}, {2, 2}, {10, 2}, {1, 3}}},
    {2, {14, 13, 12, 11, 4, 3, 2, 1, 10}, {15, 15, 15, 15, 15, 15, 15, 15, 15}, 8, 1,
     {{14, 3}, {13, 3}, {12, 3}, {11, 3}, {4, 3}, {3, 3}, {2, 3}, {10, 3}}},
    {3, {4, 3, 2, 1}, {15, 15, 15, 15}, 3, 2, {{4, 2}, {3, 2}, {2, 2}}},
    {4, {9, 4, 7, 3, 2, 1}, {12, 12, 12, 12, 12, 12}, 5, 0, {{9, 1}, {4, 2}, {7, 2}, {3, 1}, {2, 1}}},
    {5, {8, 4, 7, 6, 5, 3, 2, 1}, {12, 12, 12, 12, 12, 12, 12, 12}, 7, 0,
     {{8, 1}, {4, 1}, {7, 1}, {6, 1}, {5, 1}, {3, 1}, {2, 1}}},
    {6, {19, 18, 17, 16, 4, 3, 2, 1}, {15, 15, 15, 15, 15, 15, 15, 15}, 7, 1,
     {{19, 3}, {18, 3}, {17, 3}, {16, 3}, {4, 3}, {3, 3}, {2, 3}}},
};

TEST(ProfilePresetTest, EachTypeLoadsItsRowsOverTheRoadTable) {
  for (const Expected& e : kPresets) {
    SCOPED_TRACE(e.type);
    profile::State s;
    profile::LoadProfilePreset(s, 1);
    profile::LoadProfilePreset(s, e.type);
    EXPECT_EQ(s.ProfileLastRow, e.lastRow);
    EXPECT_EQ(s.ProfileRowSpacing, e.spacing);
    for (size_t r = 0; r < e.items.size(); ++r) {
      EXPECT_EQ(s.ProfileRowItem(r), e.items[r]) << "row " << r;
      EXPECT_EQ(s.ProfileRowHeight(r), e.heights[r]) << "row " << r;
    }
    for (const auto& [item, decimals] : e.decimals) EXPECT_EQ(s.ProfileItemDigits(item), decimals) << item;
  }
}

TEST(ProfilePresetTest, OnlyTheRoadTypeResetsWhatItDoesNotList) {
  profile::State s;
  profile::LoadProfilePreset(s, 4);
  profile::LoadProfilePreset(s, 1);
  EXPECT_EQ(s.ProfileItemDigits(9), 3);  // back from the stream type's 1
  EXPECT_EQ(s.ProfileItemDigits(20), 3);
  EXPECT_EQ(s.ProfileRowHeight(20), 15);

  profile::LoadProfilePreset(s, 4);
  profile::LoadProfilePreset(s, 2);
  EXPECT_EQ(s.ProfileItemDigits(9), 1);

  // The simple type after the road: rows 4 to 8 keep the road's items unseen.
  profile::LoadProfilePreset(s, 1);
  profile::LoadProfilePreset(s, 3);
  EXPECT_EQ(s.ProfileLastRow, 3);
  const int stale[] = {4, 3, 2, 1, 10};
  for (int r = 4; r <= 8; ++r) EXPECT_EQ(s.ProfileRowItem(r), stale[r - 4]);

  profile::State untouched;
  profile::LoadProfilePreset(untouched, 8);
  EXPECT_EQ(untouched.ProfileLastRow, 0);
}

class ProfileEditorTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    SetProfileItemNames(app);
    LoadRoadProfileType(app);
    app.profile.ProfileDatumGap = 5;
  }
  // Runs the editor on the answers until it leaves for the item menu.
  void Edit(const std::string& answers) {
    Answers(answers);
    EXPECT_EQ(EditProfileItems(app).next, Entry{ShowProfileItemMenu});
  }
};

TEST_F(ProfileEditorTest, EndAndQuitAnswers) {
  struct Case {
    const char* what;
    std::string answers;
    int lastRow;
    int row;      // a row to look at
    int item;     // the item it shows then
  };
  const std::vector<Case> cases = {
      {"E at row 3 ends the table above it", std::string(9, '\n') + "E\n", 2, 0, 14},
      {"e in lower case as well", std::string(9, '\n') + "e\n", 2, 2, 12},
      {"E at row 0 empties the table", "E\n", -1, 0, 0},
      {"Q inside the table stores the blank item", "\n\n\n\n\n\nQ\n", 8, 2, 0},
      {"Enter at the first row below the table keeps it", std::string(9 * 3, '\n') + "\n", 8, 8, 10},
      {"0 below the table joins it once a later row ends", std::string(27, '\n') + "0\n\n\n\n", 9, 9, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadRoadProfileType(app);
    Edit(c.answers);
    EXPECT_EQ(app.profile.ProfileLastRow, c.lastRow);
    EXPECT_EQ(app.profile.ProfileRowItem(c.row), c.item);
    EXPECT_EQ(app.profile.ProfileItemName(0), "空　　白");  // names restored
  }
}

TEST_F(ProfileEditorTest, AStaleItemTypedBelowTheTableEndsIt) {
  // The simple table: rows 0 to 3; row 4 still holds the road's item 4.
  profile::LoadProfilePreset(app.profile, 3);
  Edit(std::string(4 * 3, '\n') + "4\n");
  EXPECT_EQ(app.profile.ProfileLastRow, 3);
  EXPECT_EQ(app.profile.ProfileRowItem(4), 4);
}

TEST_F(ProfileEditorTest, ItemsBeyondTheNamesAreRefusedBeforeTheyAreStored) {
  Edit("33\n-1\n5\n12\n1\nQ\n");
  EXPECT_EQ(CountContaining(U8(u8"項目は 0 から 27 までです")), 2);
  EXPECT_EQ(app.profile.ProfileRowItem(0), 5);
  EXPECT_EQ(app.profile.ProfileRowHeight(0), 12);
  EXPECT_EQ(app.profile.ProfileItemDigits(5), 1);
  EXPECT_EQ(app.profile.ProfileRowItem(1), 0);  // the Q
  // Halves go to the even neighbour.
  Edit("\n12.5\n2.5\nQ\n");
  EXPECT_EQ(app.profile.ProfileRowHeight(0), 12);
  EXPECT_EQ(app.profile.ProfileItemDigits(5), 2);
  // A height beyond the table's 16-bit entries is refused and the old one kept.
  Edit("\n40000\n\nQ\n");
  EXPECT_EQ(CountContaining(U8(u8"値が大きすぎます")), 1);
  EXPECT_EQ(app.profile.ProfileRowHeight(0), 12);
  // The free height follows the edited table.
  EXPECT_EQ(app.profile.ProfileFreeHeight, -(12 + 12 + 12 + 15 + 15 + 15 + 12 + 15 + 15) - 5 - 8 - 10);
}

TEST_F(ProfileEditorTest, AClickedTypeNamesItAndATypedNumberLeavesTheNameEmpty) {
  app.profile.ProfileTypeName = "道路";
  Answers("3\n");
  EXPECT_EQ(ChooseProfileType(app).next, Entry{ShowProfileItemMenu});
  EXPECT_EQ(app.profile.ProfileTypeName, "");
  EXPECT_EQ(app.profile.ProfileLastRow, 3);
  EXPECT_EQ(app.profile.ProfileFreeHeight, -60 - 5 - 6 - 10);

  // A click on "3:簡易" (row 1 after the empty line, columns 19 to 24; cells
  // of 8 x 18 pixels) answers 3 and names the type after the item.
  RtCls();
  Answers("!click main 164 27\n");
  ChooseProfileType(app);
  EXPECT_EQ(app.input.AnswerCopy, "3:簡易");
  EXPECT_EQ(app.profile.ProfileTypeName, "簡易");
  EXPECT_EQ(app.profile.ProfileLastRow, 3);

  // A comma typed into the name is left out: the job file lists it between commas.
  Answers("1 a,b\n");
  ChooseProfileType(app);
  EXPECT_EQ(app.profile.ProfileTypeName, "ab");
  EXPECT_EQ(app.profile.ProfileLastRow, 8);
}

// The many-line type shows items 16 to 19 with 3 decimals and the editor reaches
// row 20: the job keeps them all.
TEST_F(ProfileEditorTest, TheManyLineTypeAndRowTwentySurviveASaveAndReload) {
  profile::State& s = app.profile;
  profile::LoadProfilePreset(s, 4);
  profile::LoadProfilePreset(s, 6);
  s.ProfileItemDigits(19) = 2;
  s.ProfileRowItem(20) = 25;
  s.ProfileRowHeight(20) = 18;
  s.ProfileItemDigits(25) = 1;
  s.ProfileMode = 1;
  app.shell.JobFolder = app.shell.DataFolder;
  app.settings.ZA = "SEC";
  app.job.FileMenuChoice = 1;
  SaveConnectionLineFile(app);

  App back;
  back.shell.JobFolder = app.shell.DataFolder;
  back.settings.ZA = "SEC";
  LoadConnectionLineFile(back);
  ASSERT_EQ(back.job.ConnectionFileFound, 1);
  const profile::State& b = back.profile;
  EXPECT_EQ(b.ProfileLastRow, 7);
  for (int k = 0; k <= 32; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(b.ProfileRowItem(k), s.ProfileRowItem(k));
    EXPECT_EQ(b.ProfileRowHeight(k), s.ProfileRowHeight(k));
    EXPECT_EQ(b.ProfileItemDigits(k), s.ProfileItemDigits(k));
  }
  EXPECT_EQ(b.ProfileItemDigits(17), 3);
  EXPECT_EQ(b.ProfileItemDigits(19), 2);
  EXPECT_EQ(b.ProfileRowItem(20), 25);
  EXPECT_EQ(b.ProfileItemDigits(25), 1);
}

}  // namespace
