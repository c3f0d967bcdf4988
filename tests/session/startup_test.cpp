// Start-up in whole sessions of the program: the title, the folders and the
// pointer file, the work files, the settings, the file on the command line, the
// windows and their close requests. Some sessions run at a terminal (a
// pseudo-terminal as standard input), where the program reads each line as it
// waits for it, so that the test can look at the folders while it runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/temp_folder.h"
#include "scripted/session.h"
#include "scripted/terminal_session.h"
#include "support/u8.h"

namespace {

using scripted::Files;
using scripted::HasLineContaining;
using scripted::HasLineStartingWith;
using scripted::InOrder;
using scripted::Krn;
using scripted::SessionResult;
using scripted::TerminalSession;

const std::string kTitle = U8(u8"             測量ケルノ君2004  Windows 版 Ver6.061");
const std::string kCapacity = U8(u8"                    ﾃﾞ-ﾀﾁｮｳ=     9999");
const std::string kMenuPrompt = U8(u8"  プログラムＮＯ=?");
const std::string kCloseQuestion = U8(u8"[message] 　終了してもいいですか -> ");

// A guide-text file: with it the navigator is made.
const Files kGuideTexts = {{"KRN2000.lst", "/0\r\nfooter\r\n/2\r\nmenu\r\n"}};

bool Exists(const std::string& hostPath) { return std::filesystem::exists(hostPath); }

// The rows of the first "[screen]" of the transcript (without their "|").
std::vector<std::string> FirstScreen(const SessionResult& session) {
  std::vector<std::string> rows;
  bool inScreen = false;
  for (const std::string& line : session.Lines()) {
    if (inScreen && line.starts_with("|")) {
      rows.push_back(line.substr(1));
    } else if (inScreen) {
      break;
    }
    inScreen = inScreen || line == "[screen]";
  }
  return rows;
}

// The transcript line of a window's state ("!state WINDOW").
std::string StateLine(const SessionResult& session, const std::string& window) {
  for (const std::string& line : session.Lines()) {
    if (line.starts_with(window + " caption=")) return line;
  }
  return {};
}

// ---- Sessions with the script from a file ----

TEST(StartupSession, WithoutFileShowsTitleAndWritesThePointerFile) {
  const SessionResult session = Krn("");
  EXPECT_EQ(session.status, 0) << session.errors;
  const std::vector<std::string> lines = session.Lines();
  ASSERT_GE(lines.size(), 3u);
  // Row 0 holds the (empty) command line; the title and the capacity follow.
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], kTitle);
  EXPECT_EQ(lines[2], kCapacity);
  EXPECT_TRUE(InOrder(session, {kMenuPrompt, kCloseQuestion + "OK"}));
  EXPECT_EQ(ReadHostFile(*session.windowsFolder / "KRN2000.INI"),
            session.dataFolder->path() + "/\r\n");
}

TEST(StartupSession, TitleRowsOnTheScreen) {
  // Start-up reports a SIMA file that is missing and waits for Enter: the
  // screen of start-up is still there while it waits.
  const SessionResult session = Krn("!screen\n\n", {"sub/SITE.SIM"});
  EXPECT_EQ(session.status, 0) << session.errors;
  const std::vector<std::string> rows = FirstScreen(session);
  ASSERT_EQ(rows.size(), 39u) << session.transcript;
  EXPECT_EQ(rows[0], "sub/SITE.SIM");
  EXPECT_EQ(rows[1], "");
  EXPECT_EQ(rows[2], "");
  EXPECT_EQ(rows[3], kTitle);
  EXPECT_EQ(rows[4], kCapacity);
  // A start with a file neither writes nor needs the pointer file.
  EXPECT_FALSE(Exists(*session.windowsFolder / "KRN2000.INI"));
}

TEST(StartupSession, FileOnTheCommandLine) {
  struct Case {
    std::string argument;
    std::string message;  // a message box, or a line of the transcript; empty: neither
    std::string jobName;
  };
  const std::vector<Case> cases = {
      // A SIMA file is read as the job; a missing one is said like a point list.
      {"sub/SITE.SIM", U8(u8" SITE.SIM が見つかりません。"), "SITE"},
      {"\"sub/site.sim\"", U8(u8" site.sim が見つかりません。"), "site"},
      // Only a pair of quotes is taken off: a name may begin with one.
      {"\"sub/A.PRN", U8(u8" A.PRN が見つかりません。"), "A"},
      {"./sub/A.B.sim", U8(u8" A.B.sim が見つかりません。"), "A.B"},
      // A point list is read; a missing one is said and the program goes on.
      {"sub/SITE.PRN", U8(u8" SITE.PRN が見つかりません。"), "SITE"},
      {"SITE.PRN", U8(u8" SITE.PRN が見つかりません。"), "SITE"},  // in the start folder
      {".", U8(u8" . はフォルダです。"), ""},
  };
  for (const Case& c : cases) {
    const bool messageBox = c.message.starts_with("[message]");
    // A missing point list is the error the handler reports; Enter goes on.
    const std::string script = messageBox ? "!ok\n" : c.message.empty() ? "" : "\n";
    const SessionResult session = Krn(script, {c.argument});
    EXPECT_EQ(session.status, 0) << c.argument << "\n" << session.errors;
    EXPECT_EQ(session.Lines().front(), c.argument);
    if (c.message.empty()) {
      EXPECT_FALSE(HasLineContaining(session, U8(u8"の読込はまだできません")))
          << session.transcript;
    } else {
      EXPECT_TRUE(session.HasLine(c.message)) << session.transcript;
    }
    EXPECT_TRUE(HasLineStartingWith(session, U8(u8"仕事名 =") + c.jobName + " "))
        << c.argument << "\n" << session.transcript;
    EXPECT_TRUE(InOrder(session, {kMenuPrompt})) << c.argument;
  }
}

TEST(StartupSession, AFileOnTheCommandLineIsReadExactlyAsNamed) {
  const std::string onePoint = "P1 1 2 3\r\n";
  const std::string twoPoints = "Q1 1 2 3\r\nQ2 4 5 6\r\n";
  struct Case {
    std::string argument;
    Files files;
    std::string jobName;
  };
  const std::vector<Case> cases = {
      {"SITE.PRN", {{"SITE.PRN", twoPoints}}, "SITE"},  // no folder: the start folder
      {"a.b.PRN", {{"a.PRN", onePoint}, {"a.b.PRN", twoPoints}}, "a.b"},
      {"README.md", {{"README", onePoint}, {"README.md", twoPoints}}, "README"},
      {"NODOT", {{"NODOT.PRN", onePoint}, {"NODOT", twoPoints}}, "NODOT"},
      {U8(u8"現場.第２版.PRN"), {{U8(u8"現場.PRN"), onePoint}, {U8(u8"現場.第２版.PRN"), twoPoints}},
       U8(u8"現場.第２版")},
  };
  for (const Case& c : cases) {
    const SessionResult session = Krn("", {c.argument}, c.files);
    EXPECT_EQ(session.status, 0) << c.argument << "\n" << session.errors;
    EXPECT_TRUE(HasLineStartingWith(session, " " + c.argument + U8(u8" データ読込中")))
        << c.argument << "\n" << session.transcript;
    EXPECT_TRUE(HasLineStartingWith(session, U8(u8"仕事名 =") + c.jobName + " "))
        << c.argument << "\n" << session.transcript;
    EXPECT_TRUE(HasLineContaining(session, "(2/9999)")) << c.argument << "\n" << session.transcript;
    EXPECT_FALSE(HasLineContaining(session, U8(u8"ｴﾗ-"))) << c.argument << "\n" << session.transcript;
  }
}

TEST(CommandLine, HelpPrintsTheUsageAndVersionTheVersion) {
  const SessionResult help = scripted::KrnCommand({"--help"});
  EXPECT_EQ(help.status, 0) << help.errors;
  EXPECT_TRUE(help.transcript.starts_with("usage: krn [FILE]")) << help.transcript;
  for (const char* option : {"--headless [FILE] < SCRIPT", "--help", "--version"}) {
    EXPECT_NE(help.transcript.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(help.errors, "");
  const SessionResult version = scripted::KrnCommand({"--version"});
  EXPECT_EQ(version.status, 0) << version.errors;
  EXPECT_EQ(version.transcript, "krn Ver6.061\n");
  EXPECT_EQ(version.errors, "");
}

TEST(CommandLine, AnythingElseThatCannotBeDoneIsSaidWithStatusTwo) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"-x"}, "krn: unknown option: -x"},
      {{"--headless", "--verbose"}, "krn: unknown option: --verbose"},
      {{"--headless", "A.PRN", "B.PRN"}, "krn: one file at most can be opened at start: B.PRN"},
      {{"a\\b.PRN"}, "krn: a\\b.PRN: the program takes \"\\\" in a name for a folder separator"},
      {{U8(u8"测量.PRN")}, U8(u8"krn: 测量.PRN: the name has a character outside Shift-JIS")},
      {{""}, "krn: : the name is empty"},
  };
  for (const Case& c : cases) {
    const SessionResult session = scripted::KrnCommand(c.args);
    EXPECT_EQ(session.status, 2) << c.message;
    EXPECT_TRUE(session.errors.starts_with(c.message)) << session.errors;
    EXPECT_NE(session.errors.find("usage: krn [FILE]"), std::string::npos) << session.errors;
    EXPECT_EQ(session.transcript, "") << c.message;  // the program did not start
  }
}

TEST(StartupSession, SettingsFileOfTheDataFolder) {
  const Files settings = {{"KRN2000.DEF", "ZD= 3 \r\nZE= 1 \r\n"}};
  // Without a file the settings of the current folder are read.
  const SessionResult read = Krn("", {}, settings);
  EXPECT_EQ(read.status, 0) << read.errors;
  EXPECT_TRUE(HasLineContaining(read, "ZD= 3 ZE= 1 ")) << read.transcript;
  // With a file but no pointer file the defaults hold, though a settings file is there.
  // (The point list is missing: Enter after the error report reaches the menu.)
  const SessionResult defaults = Krn("\n", {"sub/SITE.PRN"}, settings);
  EXPECT_EQ(defaults.status, 0) << defaults.errors;
  EXPECT_TRUE(HasLineContaining(defaults, "ZD= 2 ZE= 0 ")) << defaults.transcript;
}

TEST(StartupSession, FirstLayoutFollowsTheSettings) {
  struct Case {
    const char* settings;
    const char* main;  // where the console stands
  };
  for (const Case& c : std::vector<Case>{
           {"GAMEN= 0 \r\n", " left=290 top=0 width=512 height=177 "},  // layout 1
           {"GAMEN= 1 \r\n", " left=0 top=0 width=512 height=177 "},    // layout 2
           {"GAMEN= 2 \r\n", " left=0 top=0 width=512 height=1046 "},   // layout 0
       }) {
    const SessionResult session = Krn("!state main\n", {}, {{"KRN2000.DEF", c.settings}});
    EXPECT_NE(StateLine(session, "main").find(c.main), std::string::npos)
        << c.settings << StateLine(session, "main");
  }
}

TEST(StartupSession, SettingsThatCannotBeUsedAreNamedAndKeepTheirDefaults) {
  // A mouse ratio of 10^28 would size the windows beyond any screen; TN=abc
  // would round every coordinate with a step of 1/0.
  const std::string ratio = "1" + std::string(28, '0');
  Files files = kGuideTexts;
  files.push_back({"KRN2000.DEF", "TN= abc \r\nGAMEN= 1 \r\nMOX= " + ratio + " \r\n"});
  const SessionResult session = Krn("!ok\n!state main\n", {}, files);
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(
      session, {kTitle, kCapacity,
                U8(u8"[message] KRN2000.DEF の次の設定は読みませんでした:"
                   u8"  TN=「abc」は使えません (1000 のまま)  MOX=「") +
                    ratio + U8(u8"」は使えません (0 のまま) -> OK"),
                kMenuPrompt}))
      << session.transcript;
  EXPECT_FALSE(HasLineContaining(session, U8(u8"行でエラー"))) << session.transcript;
  // The other settings are taken: GAMEN 1 gives layout 2 at start.
  EXPECT_NE(StateLine(session, "main").find(" left=0 top=0 width=512 height=177 "),
            std::string::npos)
      << StateLine(session, "main");
}

TEST(StartupSession, ANavigatorPictureThatCannotBeReadDoesNotStopStartUp) {
  // A folder where the menu picture should be: the navigator goes without it.
  scripted::SessionOptions pictureFolder;
  pictureFolder.folders = {"krn2000.svg"};
  const SessionResult session = Krn("!state main\n!state nav\n", {}, kGuideTexts, pictureFolder);
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_FALSE(HasLineContaining(session, U8(u8"行でエラー"))) << session.transcript;
  // Start-up went on to the end: the first layout is applied, the menu asks.
  EXPECT_NE(StateLine(session, "main").find(" left=290 top=0 width=512 height=177 "),
            std::string::npos)
      << StateLine(session, "main");
  EXPECT_NE(StateLine(session, "nav").find(U8(u8"caption=\"ナビゲータ\"")), std::string::npos)
      << StateLine(session, "nav");
  EXPECT_TRUE(InOrder(session, {kMenuPrompt}));
}

TEST(StartupSession, WindowsAfterStartUp) {
  const SessionResult withNavigator = Krn("!state view\n!state nav\n", {}, kGuideTexts);
  EXPECT_NE(StateLine(withNavigator, "view").find(U8(u8"caption=\"ダイナミックビュー\"")),
            std::string::npos);
  EXPECT_NE(StateLine(withNavigator, "view").find(" shown=1 "), std::string::npos);
  const std::string nav = StateLine(withNavigator, "nav");
  EXPECT_NE(nav.find(U8(u8"caption=\"ナビゲータ\"")), std::string::npos) << nav;
  EXPECT_NE(nav.find(" shown=1 minimised=0 maximised=0 topmost=1"), std::string::npos) << nav;
  // Without guide texts the navigator is never shown.
  const SessionResult without = Krn("!state nav\n");
  EXPECT_NE(StateLine(without, "nav").find(" shown=0 "), std::string::npos);
}

TEST(StartupSession, CloseRequests) {
  const SessionResult session = Krn(
      "!close main\n!cancel\n"
      "!close view\n!close nav\n!state view\n!state nav\n"
      "ZE=\n"
      "!close main\n!ok\n",
      {}, [] {
        Files files = kGuideTexts;
        files.push_back({"K.csv", "1,2\r\n"});
        return files;
      }());
  EXPECT_EQ(session.status, 0) << session.errors;
  // Cancel: the program goes on where it was; the view and navigator stay.
  EXPECT_TRUE(InOrder(session, {kCloseQuestion + "Cancel", kMenuPrompt + " ZE=",
                                kCloseQuestion + "OK"}));
  EXPECT_TRUE(HasLineContaining(session, " ZE= 1 ")) << session.transcript;
  EXPECT_NE(StateLine(session, "view").find(" shown=1 "), std::string::npos);
  EXPECT_NE(StateLine(session, "nav").find(" shown=1 "), std::string::npos);
  // OK: the work files are gone, the others stay.
  for (const char* name : {"PRINTR.DAT", "K.D", "K.csv"}) {
    EXPECT_FALSE(Exists(*session.dataFolder / name)) << name;
  }
  EXPECT_TRUE(Exists(*session.dataFolder / "KRN2000.lst"));
  EXPECT_FALSE(HasLineStartingWith(session, "[sound]")) << session.transcript;
}

// ---- Sessions at a terminal ----

TEST(StartupTerminal, WorkFilesWhileRunningAndCloseRequestsAnswered) {
  TerminalSession session({}, {{"PRINTR.DAT", "an old report\r\n"}, {"K.csv", "1\r\n"}}, {});
  ASSERT_TRUE(session.Started());
  // The main menu's question is shown as the prompt of the line to type.
  ASSERT_TRUE(session.WaitFor(kMenuPrompt + " ")) << session.Output() << session.Errors();
  EXPECT_EQ(ReadHostFile(session.windows / "KRN2000.INI"), session.data.path() + "/\r\n");
  EXPECT_TRUE(Exists(session.data / "PRINTR.DAT"));
  EXPECT_EQ(ReadHostFile(session.data / "PRINTR.DAT"), "");
  EXPECT_TRUE(Exists(session.data / "K.D"));
  EXPECT_EQ(ReadHostFile(session.data / "K.D"), "");

  // A line that cannot be run is reported and ignored.
  session.Type("!nonsense");
  session.Type("!close main");
  ASSERT_TRUE(session.WaitFor("(a message box is waiting: type !ok or !cancel)"))
      << session.Output();
  session.Type("!cancel");
  ASSERT_TRUE(session.WaitFor(kCloseQuestion + "Cancel")) << session.Output();
  ASSERT_TRUE(session.WaitFor(kMenuPrompt + " ")) << session.Output();
  EXPECT_TRUE(Exists(session.data / "K.D"));

  session.Type("!close main");
  ASSERT_TRUE(session.WaitFor("(a message box is waiting"));
  session.Type("!ok");
  EXPECT_EQ(session.Finish(), 0) << session.Errors();
  EXPECT_NE(session.Errors().find("unknown action \"!nonsense\" (the line is ignored)"),
            std::string::npos)
      << session.Errors();
  for (const char* name : {"PRINTR.DAT", "K.D", "K.csv"}) {
    EXPECT_FALSE(Exists(session.data / name)) << name;
  }
}

TEST(StartupTerminal, AnswerTypedAtThePromptIsNotWrittenAgain) {
  TerminalSession session({}, {}, {});
  ASSERT_TRUE(session.Started());
  ASSERT_TRUE(session.WaitFor(kMenuPrompt + " "));
  session.Type("ZE=");
  // The menu comes again with ZE 1; the row with the answer, which the terminal
  // already shows, is not written a second time.
  ASSERT_TRUE(session.WaitFor(" ZE= 1 ")) << session.Output();
  EXPECT_EQ(session.Output().find(kMenuPrompt + " ZE=\n"), std::string::npos) << session.Output();
  ASSERT_TRUE(session.WaitFor(kMenuPrompt + " "));
  session.EndInput();
  EXPECT_EQ(session.Finish(), 0) << session.Errors();
  EXPECT_NE(session.Output().find(kCloseQuestion + "OK"), std::string::npos);
}

TEST(StartupTerminal, DataFolderFromThePointerFile) {
  const TempFolder elsewhere;
  WriteHostFile(elsewhere / "KRN2000.DEF", "ZD= 3 \r\n");
  // A missing SIMA file: its report holds the program while the work files are
  // checked.
  TerminalSession session({"sub/SITE.SIM"}, {{"KRN2000.DEF", "ZD= 4 \r\n"}},
                          {{"KRN2000.INI", elsewhere.path() + "/\r\n"}});
  ASSERT_TRUE(session.Started());
  ASSERT_TRUE(session.WaitFor(U8(u8"SITE.SIM が見つかりません。"))) << session.Output();
  // The work files are made in the data folder the pointer file names.
  EXPECT_TRUE(Exists(elsewhere / "PRINTR.DAT"));
  EXPECT_TRUE(Exists(elsewhere / "K.D"));
  EXPECT_FALSE(Exists(session.data / "K.D"));
  session.Type("");
  ASSERT_TRUE(session.WaitFor(kMenuPrompt + " ")) << session.Output();
  EXPECT_NE(session.Output().find("ZD= 3 "), std::string::npos) << session.Output();
  // The pointer file is read, not written.
  EXPECT_EQ(ReadHostFile(session.windows / "KRN2000.INI"), elsewhere.path() + "/\r\n");
  session.Type("!close main");
  ASSERT_TRUE(session.WaitFor("(a message box is waiting"));
  session.Type("!ok");
  EXPECT_EQ(session.Finish(), 0) << session.Errors();
  EXPECT_FALSE(Exists(elsewhere / "PRINTR.DAT"));
  EXPECT_FALSE(Exists(elsewhere / "K.D"));
}

TEST(StartupTerminal, AFileNamedWithoutFolderIsTheOneInTheStartFolder) {
  // The pointer file makes another folder the data folder, where a file of the
  // same name lies: the file named is the one where the program was started.
  const TempFolder elsewhere;
  WriteHostFile(elsewhere / "SITE.PRN", "E1 1 2 3\r\n");
  TerminalSession session({"SITE.PRN"}, {{"SITE.PRN", "S1 1 2 3\r\nS2 4 5 6\r\n"}},
                          {{"KRN2000.INI", elsewhere.path() + "/\r\n"}});
  ASSERT_TRUE(session.Started());
  ASSERT_TRUE(session.WaitFor(kMenuPrompt + " ")) << session.Output() << session.Errors();
  EXPECT_NE(session.Output().find(U8(u8" SITE.PRN データ読込中")), std::string::npos);
  EXPECT_NE(session.Output().find("(2/9999)"), std::string::npos) << session.Output();
  session.EndInput();
  EXPECT_EQ(session.Finish(), 0) << session.Errors();
}

TEST(StartupTerminal, PointerFileThatCannotBeWrittenGivesTheDefaults) {
  // A folder stands where the pointer file would be written: start-up goes on
  // in the current folder with the default settings, not those of its file.
  TerminalSession session({}, {{"KRN2000.DEF", "ZD= 3 \r\n"}}, {}, {"KRN2000.INI"});
  ASSERT_TRUE(session.Started());
  ASSERT_TRUE(session.WaitFor(kMenuPrompt + " ")) << session.Output() << session.Errors();
  EXPECT_NE(session.Output().find("ZD= 2 "), std::string::npos) << session.Output();
  EXPECT_TRUE(Exists(session.data / "PRINTR.DAT"));
  EXPECT_TRUE(Exists(session.data / "K.D"));
  session.EndInput();
  EXPECT_EQ(session.Finish(), 0) << session.Errors();
  EXPECT_FALSE(Exists(session.data / "K.D"));
}

}  // namespace
