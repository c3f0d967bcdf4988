// The raw browser, the raw print, the options, the clearing and the editor
// round trip, on a book in memory.
#include "fieldbook/browser.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/control.h"
#include "fieldbook/book.h"
#include "fieldbook/book_file.h"
#include "fieldbook/records.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/process_fixture.h"
#include "runtime/temp_folder.h"

namespace {

const std::string kStation = "*A                B                 1.500 ";
const std::string kSight = "' 123.456  90.1234  45.0000  1.500 A1";
const std::string kLevel = "'P2          0.000  1.2000";

struct Screen {
  std::unique_ptr<App> app = std::make_unique<App>();
  TempFolder folder;
  std::vector<std::string> transcript;
  Screen() {
    app->shell.DataFolder = folder.path() + "/";
    app->shell.PlaySoundPrefix = " play /media/";
    rt::SetTranscriptSink([this](std::string_view line) { transcript.emplace_back(line); });
    fieldbook::State& f = app->fieldbook;
    f.FieldBookRecord(0) = "display";
    f.FieldBookRecord(1) = kStation;
    f.FieldBookRecord(2) = kSight;
    f.FieldBookAttribute(2) = "98";
    f.FieldBookRecord(3) = kLevel;
    f.FieldBookCount = 3;
  }
  ~Screen() { rt::SetTranscriptSink(nullptr); }
  void Run(const std::string& script, Entry first) {
    rt::LoadScript(script);
    try {
      RunTrampoline(*app, first);
    } catch (const RtScriptEnded&) {
    }
  }
  int TimesPlayed(const std::string& sound) const {
    int n = 0;
    for (const std::string& note : app->rt.notes) n += note == "[sound] " + sound;
    return n;
  }
  // Lines of the transcript (its lines end without their trailing blanks).
  int Count(const std::string& line) const {
    int n = 0;
    for (const std::string& l : transcript) n += l == line;
    return n;
  }
};

TEST(Browser, StepsWithKeysClampsAtZeroAndDingsAtStations) {
  Screen s;
  s.app->traverse.FieldBookRecordIndex = 1;
  rt::LoadScript("+{NOENTER}\n{DOWN}{NOENTER}\nx{NOENTER}\n{UP}{NOENTER}\n-{NOENTER}\n-{NOENTER}\n-{NOENTER}\n\n");
  BrowseRawData(*s.app);
  EXPECT_EQ(s.app->traverse.FieldBookRecordIndex, 0);
  EXPECT_EQ(s.app->input.Answer, "\r");
  EXPECT_EQ(s.Count("    1 *A                B                 1.500"), 2);
  EXPECT_EQ(s.Count("    2 " + kSight + "    98"), 2);
  EXPECT_EQ(s.Count("    3 " + kLevel), 2);  // "x" shows it again
  EXPECT_EQ(s.Count("    0 display"), 2);    // not below record 0
  EXPECT_EQ(s.TimesPlayed("ding.wav"), 2);    // the station record, each time shown

  // The table's last slot is as far as "+" goes.
  s.app->traverse.FieldBookRecordIndex = 9999;
  rt::LoadScript("+{NOENTER}\n\n");
  BrowseRawData(*s.app);
  EXPECT_EQ(s.app->traverse.FieldBookRecordIndex, 9999);
}

TEST(Browser, RawPrintWritesEveryRecordBehindItsNumber) {
  Screen s;
  ResetPrintBuffer(*s.app);
  s.Run("", PrintRawFieldBook);
  EXPECT_EQ(ReadHostFile(s.folder / "PRINTR.DAT"), " 0     display    \r\n 1     " + kStation + "    \r\n 2     " +
                                                       kSight + "    98\r\n 3     " + kLevel + "    \r\n");
  EXPECT_EQ(s.app->output.ReportTitle, "ﾅﾏﾃﾞｰﾀ");
}

TEST(Options, EnterKeepsAndAnAnswerSetsEachOption) {
  Screen s;
  s.app->fieldbook.ZJ = 1;
  s.Run("\n2\n", FieldBookOptions);
  EXPECT_EQ(s.app->fieldbook.ZJ, 1);
  EXPECT_EQ(s.app->fieldbook.ZN, 2);
  // Any write of a non-empty book sets ZJ back to 0.
  s.app->job.ChosenFilePath = s.folder / "B.Y";
  WriteFieldBookFile(*s.app);
  EXPECT_EQ(s.app->fieldbook.ZJ, 0);
}

TEST(ClearFieldBook, NKeepsTheBookAndEnterClearsItAndThePrintBuffer) {
  Screen s;
  ResetPrintBuffer(*s.app);
  s.app->fieldbook.FieldBookMode = 2;
  s.Run("n\n", ConfirmClearFieldBook);
  EXPECT_EQ(s.app->fieldbook.FieldBookCount, 3);
  s.Run("\n", ConfirmClearFieldBook);
  EXPECT_EQ(s.app->fieldbook.FieldBookCount, 0);
  EXPECT_EQ(s.app->fieldbook.FieldBookRecord(0), "");
  EXPECT_EQ(s.app->fieldbook.FieldBookRecord(2), "");
  EXPECT_EQ(s.app->fieldbook.FieldBookMode, 2);
  EXPECT_EQ(ReadHostFile(s.folder / "PRINTR.DAT"), "");
  EXPECT_EQ(s.TimesPlayed("recycle.wav"), 1);
}

TEST(EditFieldBookInEditor, TheEditedCopyBecomesTheBook) {
  Screen s;
  // The editor: a script that renames A1 to B7 in the copy it is given.
  const std::string editor = s.folder / "edit.sh";
  WriteHostFile(editor, "#!/bin/sh\nsed -i 's/A1/B7/' \"$1\"\n");
  chmod(editor.c_str(), 0755);
  const testing_support::ScopedEnv env("KRN_EDITOR", editor);
  s.app->fieldbook.ZJ = 1;
  EditFieldBookInEditor(*s.app);
  const fieldbook::State& f = s.app->fieldbook;
  EXPECT_EQ(f.FieldBookCount, 3);
  EXPECT_EQ(f.FieldBookRecord(2), "' 123.456  90.1234  45.0000  1.500 B7       ");
  EXPECT_EQ(f.FieldBookAttribute(2), "98");
  EXPECT_EQ(f.FieldBookRecord(3), kLevel + "        ");  // the level reading intact
  EXPECT_EQ(f.ZJ, 0);
  EXPECT_FALSE(RtFileExists(s.folder / "T.D"));

  // An editor that removes the copy leaves the book as it was.
  WriteHostFile(editor, "#!/bin/sh\nrm \"$1\"\n");
  EditFieldBookInEditor(*s.app);
  EXPECT_EQ(s.app->fieldbook.FieldBookCount, 3);
  EXPECT_EQ(s.app->fieldbook.FieldBookRecord(2), "' 123.456  90.1234  45.0000  1.500 B7       ");
}

}  // namespace
