// Sorting the selection: the name key, the direction of each letter case, the
// exchange of equal keys, the removal of repeats, and the orders checked
// against independent models (a natural key from a regular expression, and the
// exchange sort written out over the keys themselves).
#include "points/sorting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "points/point_question.h"

namespace {

using List = std::vector<int>;

class SortingTest : public PointQuestionTest {
 protected:
  void Choose(const List& entries) {
    points::Store& p = app.points;
    for (size_t k = 0; k < entries.size(); ++k) p.SelectionList(static_cast<int>(k)) = static_cast<int16_t>(entries[k]);
    p.SelectionLast = static_cast<double>(entries.size()) - 1;
  }
  List Sorted(const List& entries, const std::string& kind) {
    Choose(entries);
    Answers(kind + "\n");
    SortPoints(app);
    List list;
    for (int k = 0; k <= app.points.SelectionLast; ++k) list.push_back(app.points.SelectionList(k));
    return list;
  }
  std::vector<std::string> SortedNames(const List& entries, const std::string& kind) {
    std::vector<std::string> names;
    for (const int n : Sorted(entries, kind)) names.push_back(app.points.PointName(n));
    return names;
  }
};

TEST(NameSortKey, SplitsTheTextAndRightAlignsTheNumber) {
  struct Case {
    const char* name;
    const char* prefix;
    double number;
  };
  const Case cases[] = {
      {"A12", "A", 12},           {" 105", " ", 105},      {"ABC", "ABC", 0},
      {"K-3.5", "K-3.", 5},       {"", "", 0},             {"12", "", 12},
      {"A1:2", "A", 1},           {"境界12", "境界", 12},   {"ABCDEFGHIJKLMNOPQ12", "ABCDEFGHIJKLMNOP", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const points::NameKey k = points::BuildNameSortKey(c.name);
    EXPECT_EQ(k.prefix, c.prefix);
    EXPECT_EQ(k.number, c.number);
    ASSERT_GE(k.key.size(), 16u);
    EXPECT_EQ(k.key.substr(0, k.prefix.size()), c.prefix);
    EXPECT_EQ(k.key.size(), k.prefix.size() + 16);
  }
  EXPECT_EQ(points::BuildNameSortKey("A12").key, "A" + std::string(14, ' ') + "12");
  EXPECT_EQ(points::BuildNameSortKey(" 105").key, " " + std::string(13, ' ') + "105");
  EXPECT_EQ(points::BuildNameSortKey("ABC").key, "ABC" + std::string(15, ' ') + "0");
}

TEST_F(SortingTest, CapitalsAscendSmallLettersDescendEnterIsSmallA) {
  SetPoint(1, 3, 30, "A1", 1);
  SetPoint(2, 1, 20, "A10", 3);
  SetPoint(3, 2, 10, "A2", 2);
  using Names = std::vector<std::string>;
  EXPECT_EQ(SortedNames({1, 2, 3}, "A"), (Names{"A1", "A2", "A10"}));
  EXPECT_EQ(SortedNames({1, 2, 3}, "a"), (Names{"A10", "A2", "A1"}));
  EXPECT_EQ(SortedNames({1, 2, 3}, ""), (Names{"A10", "A2", "A1"}));
  EXPECT_EQ(Sorted({1, 2, 3}, "X"), (List{2, 3, 1}));
  EXPECT_EQ(Sorted({1, 2, 3}, "x"), (List{1, 3, 2}));
  EXPECT_EQ(Sorted({1, 2, 3}, "Y"), (List{3, 2, 1}));
  EXPECT_EQ(Sorted({1, 2, 3}, "y"), (List{1, 2, 3}));
  EXPECT_EQ(Sorted({1, 2, 3}, "Z"), (List{1, 3, 2}));
  EXPECT_EQ(Sorted({1, 2, 3}, "z"), (List{2, 3, 1}));
  EXPECT_EQ(CountContaining(U8(u8"ソート種類  [ a A x X y Y z Z J (a=名,大=昇,小=降)] a ")), 9);
}

TEST_F(SortingTest, DefaultNamesSortByTheirNumbers) {
  for (const int n : {3, 12, 100}) SetPoint(n, n, 0, DefaultPointName(n));
  EXPECT_EQ(Sorted({12, 3, 100}, "A"), (List{3, 12, 100}));
  EXPECT_EQ(Sorted({12, 3, 100}, "a"), (List{100, 12, 3}));
}

TEST_F(SortingTest, EqualKeysChangePlaces) {
  SetPoint(1, 5, 0, "A");
  SetPoint(2, 5, 0, "A0");
  SetPoint(3, 5, 0, "B");
  SetPoint(4, 0, 0, "A5");
  EXPECT_EQ(Sorted({1, 2}, "X"), (List{2, 1}));
  EXPECT_EQ(Sorted({1, 2}, "x"), (List{2, 1}));
  EXPECT_EQ(Sorted({1, 2, 3}, "X"), (List{3, 2, 1}));
  EXPECT_EQ(Sorted({1, 2}, "A"), (List{2, 1}));  // A and A0 have the same key
  EXPECT_EQ(Sorted({3, 4}, "A"), (List{4, 3}));  // A5 before B
}

TEST_F(SortingTest, JRemovesRepeatsAndOtherAnswersChangeNothing) {
  UseNumberedPoints(9);
  SetPoint(9999, 1, 1, "LAST");
  EXPECT_EQ(Sorted({5, 7, 5, 9, 7}, "J"), (List{5, 7, 9}));
  EXPECT_EQ(Sorted({9999, 9999, 3, 3}, "J"), (List{9999, 3}));
  EXPECT_EQ(Sorted({}, "J"), List{});
  for (const char* kind : {"j", "q", "AX", "1", "Q"}) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(Sorted({5, 3, 4}, kind), (List{5, 3, 4}));
  }
  EXPECT_EQ(Sorted({5}, "A"), List{5});
}

TEST_F(SortingTest, TheNameSeriesFollowsTheLastNameKeyed) {
  SetPoint(1, 0, 0, "B7");
  SetPoint(2, 0, 0, "K-3.5");
  app.shell.PointNamePrefix = "T.";
  app.shell.PointNameNumber = 4;
  Sorted({1, 2}, "A");
  EXPECT_EQ(app.shell.PointNamePrefix, "K-3.");
  EXPECT_EQ(app.shell.PointNameNumber, 5);
  // A coordinate sort leaves the series alone.
  app.shell.PointNamePrefix = "T.";
  Sorted({1, 2}, "X");
  EXPECT_EQ(app.shell.PointNamePrefix, "T.");
}

// The natural order of a name: the text before the trailing digits, then their value.
std::pair<std::string, long> NaturalKey(const std::string& name) {
  static const std::regex split("^(.*?)([0-9]*)$");
  std::smatch m;
  std::regex_match(name, m, split);
  return {m[1].str(), m[2].length() == 0 ? 0 : std::stol(m[2].str())};
}

TEST_F(SortingTest, NameOrderMatchesANaturalKeyOnDistinctNames) {
  std::mt19937 random(15);
  const std::vector<std::string> stems = {"A", "AB", "B", " ", "K-", "T.", "Z9X"};
  std::vector<std::string> names;
  while (names.size() < 150) {
    std::string name = stems[random() % stems.size()] + std::to_string(random() % 2000);
    if (name[0] >= '1' && name[0] <= '9') continue;
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  List entries;
  for (size_t k = 0; k < names.size(); ++k) {
    SetPoint(static_cast<int>(k + 1), 0, 0, names[k]);
    entries.push_back(static_cast<int>(k + 1));
  }
  std::vector<std::string> expected = names;
  std::sort(expected.begin(), expected.end(),
            [](const std::string& a, const std::string& b) { return NaturalKey(a) < NaturalKey(b); });
  EXPECT_EQ(SortedNames(entries, "A"), expected);
  std::reverse(expected.begin(), expected.end());
  EXPECT_EQ(SortedNames(entries, "a"), expected);
}

// The exchange sort written out over the keys, comparing them at every step.
template <typename Key>
List ExchangeSortModel(List entries, std::vector<Key> keys, bool ascending) {
  for (size_t i = 0; i + 1 < entries.size(); ++i) {
    for (size_t j = i + 1; j < entries.size(); ++j) {
      if (ascending ? keys[i] >= keys[j] : keys[i] <= keys[j]) {
        std::swap(entries[i], entries[j]);
        std::swap(keys[i], keys[j]);
      }
    }
  }
  return entries;
}

TEST(ExchangeSort, KeepsTheExchangeOrderOfEqualKeys) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    const size_t n = 1 + random() % 60;
    std::vector<int16_t> entries;
    std::vector<double> numbers;
    std::vector<std::string> texts;
    for (size_t k = 0; k < n; ++k) {
      entries.push_back(static_cast<int16_t>(k + 1));
      numbers.push_back(static_cast<double>(random() % 5));  // many ties
      texts.push_back(std::string(1, static_cast<char>('a' + random() % 4)));
    }
    const List plain(entries.begin(), entries.end());
    for (const bool ascending : {true, false}) {
      const auto order = ascending ? points::SortOrder::Ascending : points::SortOrder::Descending;
      std::vector<int16_t> byNumber = entries;
      points::ExchangeSort(byNumber, numbers, order);
      EXPECT_EQ(List(byNumber.begin(), byNumber.end()), ExchangeSortModel(plain, numbers, ascending));
      std::vector<int16_t> byText = entries;
      points::ExchangeSort(byText, texts, order);
      EXPECT_EQ(List(byText.begin(), byText.end()), ExchangeSortModel(plain, texts, ascending));
    }
  }
}

}  // namespace
