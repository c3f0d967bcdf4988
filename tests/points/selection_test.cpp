// The point selection: one table of answer scripts and the lists they give,
// then the list file, a full list and the exits.
#include "points/selection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "points/point_question.h"
#include "runtime/folders.h"
#include "shell/program.h"

namespace {

class SelectionTest : public PointQuestionTest {
 protected:
  // A small local grid around the origin: two points on the same spot (3 and
  // 6), points on the border of the window 0..10, one at negative X and one at
  // negative Y. The current point is 2.
  void SetUp() override {
    PointQuestionTest::SetUp();
    SetPoint(1, 0, 0, "A1", 0, "15");
    SetPoint(2, 10, 0, "A2", 0, "95");
    SetPoint(3, 10, 10, "A10", 0, "03");
    SetPoint(4, 20, 20, "B1");
    SetPoint(5, 5, 5, "AB", 0, "12");
    SetPoint(6, 10, 10, "ABC", 0, "95X");
    SetPoint(7, -10, 30, " 7");
    SetPoint(8, 30, -5, "C");
    app.points.CurrentPointNumber = 2;
  }

  std::vector<int> Select(const std::string& script) {
    Answers(script);
    SelectPoints(app);
    return Selection();
  }
  std::vector<int> Selection() const {
    std::vector<int> list;
    for (int k = 0; k <= app.points.SelectionLast; ++k) list.push_back(app.points.SelectionList(k));
    return list;
  }
  // A result point list file in the test's folder, lines ending in CR LF.
  std::string ListFile(const std::string& name, const std::string& content) {
    const std::string path = data_.path() + "/" + name;
    WriteHostFile(data_ / name, content);
    return path;
  }
};

using List = std::vector<int>;

struct SelectionCase {
  const char* what;
  const char* script;
  List expected;
};

TEST_F(SelectionTest, AnswerScriptsGiveTheirLists) {
  const SelectionCase cases[] = {
      {"Enter alone", "\n", {}},
      {"range up", "3-\n6\n\n", {3, 4, 5, 6}},
      {"range down", "6-\n3\n\n", {6, 5, 4, 3}},
      {"range to Enter: the current point", "5-\n\n\n", {5, 4, 3, 2}},
      {"range of one", "4-\n4\n\n", {4}},
      {"repeats stay", "1\n1\n3-\n4\n2-\n3\n\n", {1, 1, 3, 4, 2, 3}},
      {"names and caret", "ABC\n^7\n\n", {6, 7}},
      {"window of empty bounds", "/\n\n\n\n\n\n", {1, 2, 3, 4, 5, 6, 7, 8}},
      {"window with borders and typed 0", "/\n0\n0\n10\n10\n\n", {1, 2, 3, 5, 6}},
      {"window with swapped corners", "/\n10\n10\n0\n0\n\n", {1, 2, 3, 5, 6}},
      {"window open below", "/\n\n\n5\n\n\n", {1, 5, 7}},
      {"square around the current point", "+\n10\n\n", {1, 3, 5, 6}},
      {"square A10+", "A10+\n10\n\n", {3, 1, 2, 4, 5, 6}},
      {"square of half side 0: coincident points", "A10+\n\n\n", {3, 6}},
      {"clear", "1\n2\n*\n3\n\n", {3}},
      {"complement", "1\n2\nH\n\n", {3, 4, 5, 6, 7, 8}},
      {"complement twice", "2\n1\n1\nH\nH\n\n", {1, 2}},
      {"complement of nothing", "H\n\n", {1, 2, 3, 4, 5, 6, 7, 8}},
      {"complement to one point is kept", "2-\n8\nH\n\n", {1}},
      {"= alone", "=\n\n", {1, 2, 3, 4, 5, 6, 7, 8}},
      {"mark 5", "5=\n\n", {1, 2, 6}},
      {"mark 3", "3=\n\n", {3}},
      {"name prefix AB", "AB=\n\n", {5, 6}},
      {"12= is no mark and no prefix", "12=\n\n", {}},
      {"unknown name", "ZZ\n\n", {}},
      {"unknown name as range start", "ZZ-\n\n", {}},
      {"a range start that is a window", "/-\n\n\n\n\n\n", {1, 2, 3, 4, 5, 6, 7, 8}},
      {"P after browsing names is no point", "J\nP\n\n", {}},
      {"sort inside", "C\nA1\nA10\nS\nA\n\n", {1, 3, 8}},
  };
  for (const SelectionCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Select(c.script), c.expected);
    EXPECT_EQ(app.points.SelectionIndex, 0);
    EXPECT_EQ(app.input.Answer, "");
    app.points.CurrentPointNumber = 2;
  }
}

TEST_F(SelectionTest, StemsAndMessages) {
  Select("AB=\n\n");
  EXPECT_EQ(app.area.LastStrippedAnswer, "AB");
  Select("5-\n6\n\n");
  EXPECT_EQ(app.area.LastStrippedAnswer, "5");
  ForgetTranscript();
  Select("ZZ-\n\n");
  EXPECT_EQ(CountContaining(U8(u8"ｱﾘﾏｾﾝ")), 2);  // as a range start, then as a name
  // Ranges print the names; the count of entries stands on the option line.
  ForgetTranscript();
  Select("2-\n3\n\n");
  EXPECT_TRUE(Printed("A2,A10,"));
  EXPECT_EQ(CountContaining("[[-,+,=],*,/,H,M,L,J,I,S,F,Q] 2"), 1);
}

TEST_F(SelectionTest, WithoutPointsTheWholeTableCommandsSelectNothing) {
  for (int n = 1; n <= 8; ++n) SetPoint(n, 0, 0, DefaultPointName(n));
  app.points.PointCount = 0;
  EXPECT_EQ(Select("H\n=\n/\n\n\n\n\n+\n5\n*\n\n"), List{});
}

TEST_F(SelectionTest, AResultPointListReplacesTheSelection) {
  const std::string three = ListFile("THREE.DD", " 3            A10\r\n 8            C\r\n 5            AB\r\n");
  const std::string folder = app.shell.JobFolder;
  const std::string workingFolder = RtCurDir();
  EXPECT_EQ(Select("1\nF\n!file " + three + "\n\n"), (List{3, 8, 5}));
  EXPECT_TRUE(Printed("A10,C,AB,"));
  // The chosen file was read; the job's folder and name and the working folder
  // are as they were.
  EXPECT_EQ(app.shell.JobFolder, folder);
  EXPECT_EQ(RtCurDir(), workingFolder);

  const std::string empty = ListFile("EMPTY.DD", "");
  EXPECT_EQ(Select("1\nF\n!file " + empty + "\n\n"), List{});
}

TEST_F(SelectionTest, ValuesThatAreNoPointNumberAreSkipped) {
  const std::string odd = ListFile("ODD.DD", " 0\r\n 10000\r\n 4   B1\r\nABC\r\n-3\r\n 2,X\r\n");
  EXPECT_EQ(Select("F\n!file " + odd + "\n\n"), (List{4, 2}));
  EXPECT_TRUE(Printed(U8(u8" 点番(1～9999)でない値 5 個を読み飛ばしました")));
}

TEST_F(SelectionTest, ACancelledFileDialogLeavesForTheLastCommandsMenu) {
  Answers("1\nF\n!cancel\n");
  EXPECT_EQ(JumpTarget([&] { SelectPoints(app); }), RepeatLastCommand);
  EXPECT_EQ(Selection(), List{1});
}

TEST_F(SelectionTest, AFullListSaysSoAndKeepsWhatWasChosen) {
  // 9999 numbers, then a range that finds room for one more only.
  Select("1-\n9999\n7-\n9\n1\n\n");
  const points::Store& p = app.points;
  ASSERT_EQ(p.SelectionLast, 9999);
  EXPECT_EQ(p.SelectionList(9998), 9999);
  EXPECT_EQ(p.SelectionList(9999), 7);
  EXPECT_EQ(CountContaining(U8(u8"選択できるのは10000点までです")), 2);
  EXPECT_EQ(TimesPlayed("chord.wav"), 2);
}

TEST_F(SelectionTest, QuitLeavesThroughTheResolversExit) {
  Answers("3\nQ\n");
  EXPECT_EQ(JumpTarget([&] { SelectPoints(app); }), RepeatLastCommand);
  EXPECT_EQ(Selection(), List{3});
}

}  // namespace
