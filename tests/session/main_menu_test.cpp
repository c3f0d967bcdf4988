// The main menu in whole sessions of the program: its answers, the end of the
// program, and a run-time error on its way through the error handler back to
// the menu.
#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "scripted/session.h"
#include "support/u8.h"

namespace {

using scripted::InOrder;
using scripted::Krn;
using scripted::SessionResult;

const std::string kPrompt = U8(u8"  プログラムＮＯ=? ");
const std::string kHeaderStart = "Ver6.061 ";
const std::string kBackToMenu = U8(u8" メインメニューに戻ります?");

std::string JobLine(int ze) {
  return U8(u8"仕事名 =                     ZD= 2 ZE= ") + std::to_string(ze) + " T= 1000 (0/9999)";
}

// What follows each answer at the menu prompt: the first line after the row that
// shows the answer.
std::vector<std::string> LinesAfterAnswers(const SessionResult& session,
                                           const std::vector<std::string>& answers) {
  const std::vector<std::string> lines = session.Lines();
  std::vector<std::string> after;
  size_t at = 0;
  for (const std::string& answer : answers) {
    const std::string row =
        answer.empty() ? kPrompt.substr(0, kPrompt.size() - 1) : kPrompt + answer;
    while (at < lines.size() && lines[at] != row) ++at;
    after.push_back(at + 1 < lines.size() ? lines[at + 1] : "(missing " + row + ")");
    ++at;
  }
  return after;
}

bool Exists(const SessionResult& session, const std::string& name) {
  return std::filesystem::exists(*session.dataFolder / name);
}

TEST(MainMenuSession, AnswersStartTheirCommandOrGoBackThroughTheResultMenu) {
  // Enter alone and command 13 (12.6 rounds to it) open the connection-line
  // editor, whose Enter alone goes back through the result menu; the result
  // menu shows nothing after start-up and falls into the main menu again. A
  // negative choice selects no command either.
  const std::vector<std::string> answers = {"", "13", "0.4", "12.6", "13.5", "-1"};
  const std::string script = "\n\n13\n\n0.4\n12.6\n\n13.5\n-1\n";
  const SessionResult session = Krn(script);
  EXPECT_EQ(session.status, 0) << session.errors;
  const std::vector<std::string> after = LinesAfterAnswers(session, answers);
  for (size_t i = 0; i < answers.size(); ++i) {
    EXPECT_TRUE(after[i].starts_with(kHeaderStart))
        << "answer \"" << answers[i] << "\": " << after[i] << "\n"
        << session.transcript;
  }
  const std::vector<std::string> lines = session.Lines();
  const std::string editorMenu = U8(u8" 1:結線          2:直線の延長  3:一括線変更    4:一括線削除");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), editorMenu), 3) << session.transcript;
}

TEST(MainMenuSession, ZeCyclesThroughItsFiveModesAndShowsTheMenuAgain) {
  const SessionResult session = Krn("ZE=\nZE=\nZE=\nZE=\nZE=\n");
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {JobLine(0), kPrompt + "ZE=", JobLine(1),
                                kPrompt + "ZE=", JobLine(2), kPrompt + "ZE=", JobLine(3),
                                kPrompt + "ZE=", JobLine(4), kPrompt + "ZE=", JobLine(0)}));
  const std::vector<std::string> after =
      LinesAfterAnswers(session, {"ZE=", "ZE=", "ZE=", "ZE=", "ZE="});
  for (const std::string& line : after) EXPECT_TRUE(line.starts_with(kHeaderStart)) << line;
}

TEST(MainMenuSession, EndWithOkDeletesTheWorkFilesAndExitsWithZero) {
  const SessionResult session = Krn("11\n!ok\nnever read\n", {}, {{"K.csv", "a,b\r\n"}});
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(
      InOrder(session, {kPrompt + "11", U8(u8"[message] 終了します -> OK"), "[sound] tada.wav"}));
  // The program ended there, not through the close request at the script's end.
  EXPECT_EQ(session.transcript.find(U8(u8"終了してもいいですか")), std::string::npos)
      << session.transcript;
  for (const char* name : {"PRINTR.DAT", "K.D", "K.csv"}) {
    EXPECT_FALSE(Exists(session, name)) << name;
  }
}

TEST(MainMenuSession, EndWithCancelReturnsToTheMenu) {
  const SessionResult session = Krn("11\n!cancel\nZE=\n");
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {kPrompt + "11", U8(u8"[message] 終了します -> Cancel"), JobLine(0),
                                kPrompt + "ZE=", JobLine(1)}));
  EXPECT_EQ(session.transcript.find("[sound] tada.wav"), std::string::npos);
}

// The report of a run-time error names the source line of the failing step:
// that line of the main menu holds the rounding of the choice into 16 bits.
void ExpectLineOfTheDispatch(const std::string& lineNumber) {
  const std::filesystem::path source =
      std::filesystem::path(__FILE__).parent_path() / "../../src/shell/main_menu.cpp";
  std::ifstream in(source);
  ASSERT_TRUE(in) << source;
  std::string text;
  for (int n = 1; std::getline(in, text); ++n) {
    if (n == std::stoi(lineNumber)) break;
  }
  EXPECT_NE(text.find("RtInt16("), std::string::npos) << "line " << lineNumber << ": " << text;
}

TEST(MainMenuSession, OverflowingChoiceIsReportedAndEnterLeadsBackToTheMenu) {
  const SessionResult session = Krn(
      "99999\n\nZE=\n", {}, {{"KRN2000.lst", "/2\r\nプログラム番号\r\n/906\r\nオーバーフロー\r\n"}});
  EXPECT_EQ(session.status, 0) << session.errors;
  const std::vector<std::string> lines = session.Lines();
  const std::regex report(U8(u8"^ (\\d+) 行でエラー 6$"));
  std::smatch match;
  size_t at = 0;
  while (at < lines.size() && !std::regex_match(lines[at], match, report)) ++at;
  ASSERT_LT(at, lines.size()) << session.transcript;
  ExpectLineOfTheDispatch(match[1]);
  EXPECT_EQ(lines[at - 1], "shell/main_menu.cpp");
  EXPECT_TRUE(
      InOrder(session, {kPrompt + "99999", "shell/main_menu.cpp", lines[at], U8(u8"オーバーフロー"),
                        "", kBackToMenu, JobLine(0), kPrompt + "ZE=", JobLine(1)}));
}

TEST(MainMenuSession, WithoutGuideTextsTheErrorIsOneShortLine) {
  const SessionResult session = Krn("99999\n\nZE=\n");
  EXPECT_EQ(session.status, 0) << session.errors;
  const std::vector<std::string> lines = session.Lines();
  const std::regex report(U8(u8"^ +(\\d+) ﾃﾞ     6 ﾉ ｴﾗ- ﾒｲﾝﾆﾓﾄﾞﾘﾏｽ\\?$"));
  std::smatch match;
  size_t at = 0;
  while (at < lines.size() && !std::regex_match(lines[at], match, report)) ++at;
  ASSERT_LT(at, lines.size()) << session.transcript;
  ExpectLineOfTheDispatch(match[1]);
  EXPECT_EQ(lines[at].size(), U8(u8"####### ﾃﾞ ##### ﾉ ｴﾗ- ﾒｲﾝﾆﾓﾄﾞﾘﾏｽ?").size());
  EXPECT_TRUE(InOrder(session,
                      {"shell/main_menu.cpp", lines[at], JobLine(0), kPrompt + "ZE=", JobLine(1)}));
}

}  // namespace
