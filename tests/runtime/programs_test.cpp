#include "runtime/programs.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "process_fixture.h"
#include "runtime/errors.h"
#include "runtime/programs_state.h"
#include "support/raised_error.h"
#include "runtime/runtime.h"

namespace {

using rt::ProgramRole;
using testing_support::ScopedEnv;
using testing_support::TempFolder;
using testing_support::Utf8;
using Words = std::vector<std::string>;

class ProgramsTest : public ::testing::Test {
 protected:
  ProgramsTest() {
    for (const char* name : {"KRN_EDITOR", "KRN_SPREADSHEET", "KRN_FILE_VIEWER", "KRN_CAD",
                             "KRN_DATUM_CONVERTER", "VISUAL", "EDITOR"}) {
      cleared_.push_back(std::make_unique<ScopedEnv>(name, std::nullopt));
    }
  }

  // A program that writes its arguments, one a line, to `output` after `delay`.
  std::string ArgumentWriter(const std::string& output, const char* delay) {
    return folder_.Script("writer-" + output + ".sh",
                          std::string("sleep ") + delay + "\nprintf '%s\\n' \"$@\" > '" +
                              (folder_ / output) + "'");
  }

  int RaisedBy(std::string_view program, std::string_view parameter) {
    return RaisedError([&] { RtShell(program, parameter, true); });
  }

  std::vector<std::unique_ptr<ScopedEnv>> cleared_;
  TempFolder folder_;
  Runtime rt_;
  RuntimeScope scope_{rt_};
};

TEST_F(ProgramsTest, WaitsForTheEditorAndHandsOverTheHostPath) {
  ScopedEnv editor("KRN_EDITOR", ArgumentWriter("args.txt", "0.3") + " --new-window");
  RtShell("NOTEPAD.EXE", "C:\\データ\\ソフト\\PRINTR.DAT", true);
  // The program has ended (and written its file) before RtShell returns.
  EXPECT_EQ(folder_.Lines("args.txt"),
            (Words{"--new-window", Utf8(u8"C:/データ/ソフト/PRINTR.DAT")}));
  ASSERT_EQ(rt_.programs->calls.size(), 1u);
  const ProgramCall& call = rt_.programs->calls[0];
  EXPECT_EQ(call.program, "NOTEPAD.EXE");
  EXPECT_EQ(call.parameter, "C:\\データ\\ソフト\\PRINTR.DAT");
  EXPECT_TRUE(call.wait);
  EXPECT_EQ(call.showCommand, 8);
  EXPECT_EQ(call.hostCommand.size(), 3u);
  EXPECT_TRUE(rt_.programs->running.empty());
  EXPECT_EQ(rt_.notes, Words{Utf8(u8"[program] NOTEPAD.EXE C:\\データ\\ソフト\\PRINTR.DAT")});
}

TEST_F(ProgramsTest, ProgramNotWaitedForRunsOnAfterTheCall) {
  ScopedEnv viewer("KRN_FILE_VIEWER", ArgumentWriter("viewer.txt", "1"));
  RtShell("EXPLORER.EXE", "/n,/e," + folder_.path() + "/job/", false);
  EXPECT_TRUE(folder_.Lines("viewer.txt").empty()) << "RtShell waited for the explorer";
  ASSERT_EQ(rt_.programs->running.size(), 1u);
  rt::WaitForProcess(rt_.programs->running[0]);
  EXPECT_EQ(folder_.Lines("viewer.txt"), Words{folder_.path() + "/job/"});
  EXPECT_EQ(rt_.notes, Words{"[program] EXPLORER.EXE /n,/e," + folder_.path() + "/job/"});
}

TEST_F(ProgramsTest, HeadlessRecordsButStartsNothingUnconfigured) {
  // VISUAL would be the editor of a desktop run; headless use leaves it alone.
  ScopedEnv visual("VISUAL", ArgumentWriter("visual.txt", "0"));
  RtShell("NOTEPAD.EXE", "C:\\DATA\\K.D", true);
  RtShell("EXCEL.EXE", "C:\\DATA\\x.csv", true);
  RtShell("C:\\Program Files\\TKY2JGD\\tky2jgd.exe", "C:\\JOB\\A", true);
  RtShell("C:\\CAD\\DRAW.EXE", "C:\\JOB\\A.DXF", true);
  EXPECT_TRUE(folder_.Lines("visual.txt").empty());
  ASSERT_EQ(rt_.programs->calls.size(), 4u);
  for (const ProgramCall& call : rt_.programs->calls) EXPECT_TRUE(call.hostCommand.empty());
  EXPECT_EQ(rt_.notes, (Words{"[program] NOTEPAD.EXE C:\\DATA\\K.D",
                              "[program] EXCEL.EXE C:\\DATA\\x.csv",
                              "[program] C:\\Program Files\\TKY2JGD\\tky2jgd.exe C:\\JOB\\A",
                              "[program] C:\\CAD\\DRAW.EXE C:\\JOB\\A.DXF"}));
}

TEST_F(ProgramsTest, EditorRoleFollowsTheCallerNotTheName) {
  ScopedEnv editor("KRN_EDITOR", ArgumentWriter("edit.txt", "0"));
  ScopedEnv cad("KRN_CAD", ArgumentWriter("cad.txt", "0"));
  RtShell("C:\\TOOLS\\EDIT.EXE", "C:\\DATA\\K.D", true, 8, ProgramRole::kEditor);
  EXPECT_EQ(folder_.Lines("edit.txt"), Words{"C:/DATA/K.D"});
  EXPECT_TRUE(folder_.Lines("cad.txt").empty());
  RtShell("C:\\TOOLS\\EDIT.EXE", "C:\\DATA\\K.D", true);  // by name: a CAD program
  EXPECT_EQ(folder_.Lines("cad.txt"), Words{"C:/DATA/K.D"});
}

TEST_F(ProgramsTest, ParameterLimitIs123Bytes) {
  ScopedEnv editor("KRN_EDITOR", ArgumentWriter("limit.txt", "0"));
  const std::string longest = "/" + std::string(122, 'a');
  EXPECT_EQ(RaisedBy("NOTEPAD.EXE", longest), 0);
  EXPECT_EQ(folder_.Lines("limit.txt"), Words{longest});
  EXPECT_EQ(RaisedBy("NOTEPAD.EXE", longest + "a"), kErrIllegalArgument);
  // A double-byte character counts two bytes.
  EXPECT_EQ(RaisedBy("NOTEPAD.EXE", std::string(121, 'a') + "測"), 0);
  EXPECT_EQ(RaisedBy("NOTEPAD.EXE", std::string(122, 'a') + "測"), kErrIllegalArgument);
  EXPECT_EQ(rt_.programs->calls.size(), 2u) << "a refused call is not recorded";
}

TEST_F(ProgramsTest, ProgramThatCannotStartIsError53) {
  {
    ScopedEnv cad("KRN_CAD", folder_ / "no-such-program");
    EXPECT_EQ(RaisedBy("C:\\CAD\\DRAW.EXE", "A.DXF"), kErrProgramNotFound);
  }
  rt_.headless = false;  // a desktop run tries the program as it is named
  EXPECT_EQ(RaisedBy("C:\\CAD\\DRAW.EXE", "A.DXF"), kErrProgramNotFound);
  EXPECT_EQ(RaisedBy("", "A.DXF"), kErrProgramNotFound);
  EXPECT_EQ(rt_.programs->calls.size(), 3u);
}

TEST_F(ProgramsTest, RolesByName) {
  struct Case {
    const char* program;
    ProgramRole role;
  };
  const Case cases[] = {
      {"NOTEPAD.EXE", ProgramRole::kEditor},
      {"notepad.exe", ProgramRole::kEditor},
      {"C:\\WINDOWS\\NOTEPAD.EXE", ProgramRole::kEditor},
      {"EXCEL.EXE", ProgramRole::kSpreadsheet},
      {"EXPLORER.EXE", ProgramRole::kFileViewer},
      {"explorer", ProgramRole::kFileViewer},
      {"C:\\Program Files\\TKY2JGD\\tky2jgd.exe", ProgramRole::kDatumConverter},
      {"C:\\CAD\\DRAW.EXE", ProgramRole::kCad},
      {"C:\\ソフト\\NOTEPAD.EXE", ProgramRole::kEditor},  // "ソ" ends in the byte of "\"
      {"", ProgramRole::kCad},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rt::RoleOf(c.program, ProgramRole::kByName), c.role) << c.program;
  }
  EXPECT_EQ(rt::RoleOf("NOTEPAD.EXE", ProgramRole::kCad), ProgramRole::kCad);
}

TEST_F(ProgramsTest, HostCommandsWithoutConfiguration) {
  const std::string hostEditor = folder_.Script("myedit", "exit 0");
  struct Case {
    const char* program;
    ProgramRole role;
    Words command;
  };
  const Case cases[] = {
      {"NOTEPAD.EXE", ProgramRole::kByName, {"xdg-open"}},
      {"EXCEL.EXE", ProgramRole::kByName, {"libreoffice", "--calc"}},
      {"EXPLORER.EXE", ProgramRole::kByName, {"xdg-open"}},
      {"C:\\CAD\\DRAW.EXE", ProgramRole::kByName, {"C:/CAD/DRAW.EXE"}},
      {"C:\\Program Files\\TKY2JGD\\tky2jgd.exe", ProgramRole::kByName,
       {"C:/Program Files/TKY2JGD/tky2jgd.exe"}},
      {"sh", ProgramRole::kEditor, {"sh"}},  // an editor setting naming a host program
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rt::HostCommandFor(c.program, c.role), c.command) << c.program;
  }
  EXPECT_EQ(rt::HostCommandFor(hostEditor, ProgramRole::kEditor), Words{hostEditor});

  {
    ScopedEnv editor("EDITOR", "vi");
    EXPECT_EQ(rt::HostCommandFor("NOTEPAD.EXE", ProgramRole::kByName), Words{"vi"});
    ScopedEnv visual("VISUAL", "gvim  -f");
    EXPECT_EQ(rt::HostCommandFor("NOTEPAD.EXE", ProgramRole::kByName), (Words{"gvim", "-f"}));
  }
  struct Configured {
    const char* variable;
    const char* program;
  };
  const Configured configured[] = {
      {"KRN_EDITOR", "NOTEPAD.EXE"},
      {"KRN_SPREADSHEET", "EXCEL.EXE"},
      {"KRN_FILE_VIEWER", "EXPLORER.EXE"},
      {"KRN_CAD", "C:\\CAD\\DRAW.EXE"},
      {"KRN_DATUM_CONVERTER", "C:\\Program Files\\TKY2JGD\\tky2jgd.exe"},
  };
  for (const Configured& c : configured) {
    ScopedEnv variable(c.variable, " my-tool  --opt ");
    EXPECT_EQ(rt::HostCommandFor(c.program, ProgramRole::kByName), (Words{"my-tool", "--opt"}))
        << c.variable;
  }
}

TEST_F(ProgramsTest, HostParameters) {
  struct Case {
    const char* parameter;
    ProgramRole role;
    std::string expected;
  };
  const Case cases[] = {
      {"/n,/e,C:\\JOB\\", ProgramRole::kFileViewer, "C:/JOB/"},
      {"/N,/E,/home/a,b/", ProgramRole::kFileViewer, "/home/a,b/"},
      {"/select,/home/x.txt", ProgramRole::kFileViewer, "/home/x.txt"},
      {"/home/n,x", ProgramRole::kFileViewer, "/home/n,x"},
      {"/n,x", ProgramRole::kEditor, "/n,x"},
      {"", ProgramRole::kEditor, ""},
      {"/n,/e,", ProgramRole::kFileViewer, ""},
      {"C:\\測量\\K.D", ProgramRole::kSpreadsheet, Utf8(u8"C:/測量/K.D")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rt::HostParameter(c.parameter, c.role), c.expected) << c.parameter;
  }
}

TEST_F(ProgramsTest, EmptyParameterGivesNoArgument) {
  ScopedEnv editor("KRN_EDITOR", folder_.Script("count.sh", "echo $# > '" + (folder_ / "n.txt") + "'"));
  RtShell("NOTEPAD.EXE", "", true);
  EXPECT_EQ(folder_.Lines("n.txt"), Words{"0"});
  EXPECT_EQ(rt_.notes, Words{"[program] NOTEPAD.EXE"});
}

TEST_F(ProgramsTest, ProgramInheritsNoOpenFilesButTheStandardThree) {
  const int file = open(folder_.Write("open.txt", "x").c_str(), O_RDONLY);  // no close-on-exec
  ASSERT_GE(file, 0);
  ASSERT_EQ(dup2(file, 77), 77);
  ScopedEnv editor("KRN_EDITOR",
                   folder_.Script("fds.sh", "for fd in 1 77; do [ -e /proc/$$/fd/$fd ] && echo $fd; "
                                            "done > '" + (folder_ / "fds.txt") + "'"));
  RtShell("NOTEPAD.EXE", "", true);
  close(77);
  close(file);
  EXPECT_EQ(folder_.Lines("fds.txt"), Words{"1"});
}

TEST(FindOnPath, FindsExecutablesOnly) {
  TempFolder folder;
  const std::string tool = folder.Script("tool", "exit 0");
  folder.Write("plain", "not executable");
  ScopedEnv path("PATH", "/nonexistent:" + folder.path());
  EXPECT_EQ(rt::FindOnPath("tool"), tool);
  EXPECT_EQ(rt::FindOnPath("plain"), "");
  EXPECT_EQ(rt::FindOnPath("missing"), "");
  EXPECT_EQ(rt::FindOnPath(""), "");
  EXPECT_EQ(rt::FindOnPath(tool), tool);
}

}  // namespace
