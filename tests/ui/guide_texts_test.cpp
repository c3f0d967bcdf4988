// The shipped guide-text file: read by the program's own loader, it must hold a
// text for every question the program asks and for every run-time error it can
// report, each line narrow enough for the navigator's text area.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/app.h"
#include "runtime/folders.h"
#include "runtime/text.h"
#include "ui/navigator.h"

namespace {

namespace fs = std::filesystem;

// The repository: this file lies in tests/ui/.
const fs::path kRepository = fs::path(__FILE__).parent_path().parent_path().parent_path();
const fs::path kDataFolder = kRepository / "data";

// The narrowest navigator the screen-size rules make (a 7-point font at scale
// 1247/1650) leaves room for about 34 half-width characters in the 2.23-inch
// text area; 32 bytes keep a margin for every layout.
constexpr size_t kLineBytes = 32;
// The footer stands at row 27, and two texts may stand above it (a guide shown
// before a question stacks with the question's own).
constexpr size_t kTextLines = 13;

// Every guide number the program's questions and displays set.
const std::vector<int> kGuideNumbers = {
    0,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,  17,  18,  19,
    20,  21,  22,  23,  24,  25,  26,  27,  28,  29,  30,  31,  32,  33,  34,  35,  36,  37,  38,
    39,  40,  41,  42,  43,  44,  45,  47,  48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  58,
    59,  60,  61,  62,  63,  64,  65,  66,  67,  68,  69,  70,  72,  73,  74,  75,  76,  77,  78,
    79,  80,  81,  82,  83,  84,  85,  86,  87,  88,  89,  90,  91,  92,  93,  95,  96,  97,  98,
    99,  100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 113, 114, 115, 117, 118, 119,
    120, 121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 138,
    139, 140, 141, 142, 143, 144, 145, 146, 147, 148, 149, 150, 151, 153, 154, 155, 156, 157, 158,
    159, 160, 161, 162, 163, 164, 165, 166, 167, 168, 169, 170, 171, 172, 173, 174, 176, 178, 179,
    180, 183, 184, 185, 186, 187, 188, 190, 191, 193, 194, 195, 196, 197, 198, 199, 200, 201, 203,
    204, 205, 206, 207, 208, 209, 213, 214, 215, 217, 218, 219, 220, 221, 222, 223, 224, 225, 226,
    227, 228, 229, 230, 231, 232, 233, 234, 235, 236, 237, 238, 239, 240, 243, 245, 246, 247, 248,
    249, 250, 251, 252, 253, 254, 255, 256, 258, 259, 260, 261, 262, 263, 264, 265, 266, 267, 268,
    269, 270, 271, 272, 273, 274, 275, 276, 277, 278, 280, 281, 282, 283, 284, 285, 286, 287, 288,
    289, 290, 291, 292, 293, 294, 295, 296, 297, 298, 299, 300, 301, 302, 303, 304, 305, 306, 307,
    308, 309, 310, 312, 313, 314, 315, 316, 317, 318, 319, 320, 321, 322, 323, 324, 325, 326, 327,
    328, 329, 330, 331, 332, 333, 334, 335, 336, 337, 338, 339, 340, 341, 342, 343, 344, 345, 346,
    347, 348, 349, 350, 351, 352, 353, 354, 355, 356, 357, 358, 359, 360, 361, 362, 363, 364, 365,
    366, 367, 368, 369, 370, 371, 373, 374, 375, 376, 377, 378};

std::string ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every number the pattern's first group captures in the file.
std::set<int> NumbersIn(const fs::path& file, const std::regex& pattern) {
  std::set<int> numbers;
  const std::string text = ReadWholeFile(file);
  for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it) {
    numbers.insert(std::stoi((*it)[1].str()));
  }
  return numbers;
}

// The guide numbers the sources set as plain numbers ("GuideNumber = 101").
std::set<int> GuideNumbersInSources() {
  const std::regex assignment(R"(GuideNumber\s*=\s*(\d+))");
  std::set<int> numbers;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kRepository / "src")) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h")) continue;
    numbers.merge(NumbersIn(entry.path(), assignment));
  }
  return numbers;
}

// The stored lines of a text: each line is followed by a line feed and a carriage return.
std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\n\r", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

class GuideTextFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(kDataFolder / "KRN2000.lst")) << kDataFolder;
    RtChdir(kDataFolder.string());
    LoadGuideTexts(app);
    RtChdir(previous);
  }

  const std::string& Text(int number) const { return app.navigator.GuideText(number); }

  App app;
  std::string previous = RtCurDir();
};

TEST_F(GuideTextFile, LoadsAndSwitchesTheNavigatorOn) {
  EXPECT_EQ(app.navigator.NavigatorOff, 0);
  EXPECT_FALSE(Text(0).empty()) << "the footer";
}

TEST_F(GuideTextFile, EveryGuideNumberOfTheProgramHasATextWithATitle) {
  std::set<int> numbers(kGuideNumbers.begin(), kGuideNumbers.end());
  numbers.merge(GuideNumbersInSources());
  for (int number : numbers) {
    ASSERT_TRUE(app.navigator.GuideText.Contains(number)) << number;
    const std::vector<std::string> lines = LinesOf(Text(number));
    EXPECT_TRUE(!lines.empty() && !lines.front().empty()) << "guide " << number;
  }
}

TEST_F(GuideTextFile, EveryRunTimeErrorHasItsExplainingText) {
  const std::set<int> errors =
      NumbersIn(kRepository / "src/runtime/errors.h", std::regex(R"(kErr\w+\s*=\s*(\d+))"));
  ASSERT_FALSE(errors.empty());
  for (int error : errors) {
    const int number = error < 999 ? error + 900 : error;
    EXPECT_FALSE(Text(number).empty()) << "error " << error << ", text " << number;
  }
  EXPECT_FALSE(Text(999).empty()) << "the text of an unexpected error";
}

TEST_F(GuideTextFile, EveryLineFitsTheTextAreaAndIsCp932) {
  const RtTable<std::string>& texts = app.navigator.GuideText;
  for (int number = 0; number <= texts.Bound(); ++number) {
    const std::vector<std::string> lines = LinesOf(texts(number));
    EXPECT_LE(lines.size(), kTextLines) << "text " << number;
    for (const std::string& line : lines) {
      EXPECT_LE(line.size(), kLineBytes) << "text " << number << ": " << rt::Cp932ToUtf8(line);
      EXPECT_EQ(rt::Utf8ToCp932(rt::Cp932ToUtf8(line)), line) << "text " << number << " is no CP932";
      EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "text " << number;
    }
  }
}

TEST(GuideTextFileLayout, EveryLineEndsInCarriageReturnAndLineFeed) {
  const std::string bytes = ReadWholeFile(kDataFolder / "KRN2000.lst");
  ASSERT_FALSE(bytes.empty());
  EXPECT_TRUE(bytes.ends_with("\r\n"));
  for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
    ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << "a bare line feed at byte " << at;
  }
}

}  // namespace
