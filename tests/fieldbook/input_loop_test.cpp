// The input loop's commands on a book in memory, pass by pass from a script.
#include "fieldbook/input_loop.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <memory>
#include <optional>
#include <string>

#include "core/app.h"
#include "core/control.h"
#include "fieldbook/book.h"
#include "fieldbook/book_file.h"
#include "fieldbook/records.h"
#include "runtime/events.h"
#include "runtime/folders.h"
#include "runtime/temp_folder.h"
#include "support/pty_peer.h"

namespace {

const std::string kStation = "*A                B                 1.500 ";

struct Loop {
  std::unique_ptr<App> app = std::make_unique<App>();
  TempFolder folder;
  std::string before = RtCurDir();
  Loop() {
    RtChdir(folder.path());  // "krnb.y" is written to the current folder
    app->shell.DataFolder = folder.path() + "/";
  }
  ~Loop() { RtChdir(before); }
  fieldbook::State& f() { return app->fieldbook; }
  // A traverse input set up at station A (back-sight B) with the height `height`.
  void Traverse(double height) {
    f().FieldBookMode = 0;
    f().FieldBookInstrumentHeight = height;
    f().ObservationTargetHeight = height;
    f().FieldBookStationName = "A";
    f().FieldBookRecord(0) = f().FieldBookRecord(1) = kStation;
    f().FieldBookCount = 1;
    app->traverse.DistancePromptFlag = 0;
  }
  // Runs the loop from a pass until the script ends.
  void Run(const std::string& script, Entry first = ContinueFieldBookInput) {
    rt::LoadScript(script);
    try {
      RunTrampoline(*app, first);
    } catch (const RtScriptEnded&) {
    }
  }
  std::string Record(double i) { return f().FieldBookRecord(i); }
  // The instrument port (7) is the peer's device.
  void OnPeer(const PtyPeer& peer) {
    setenv("KRN_COM7", peer.device().c_str(), 1);
    app->settings.COX = 7;
  }
};

TEST(InputLoop, MeasuredSightsAreStoredAndAGarbageReplyIsRefused) {
  Loop l;
  l.Traverse(0);
  PtyPeer peer({"00123456 0901234 0450000", std::nullopt, "00050000 0850000 1800000", std::nullopt,
                "ERR?"});
  l.OnPeer(peer);
  l.Run("@\nM1\n@\nM2\n@\nQ\n");
  EXPECT_EQ(l.f().FieldBookCount, 3);
  EXPECT_EQ(l.Record(2), "' 123.456  90.1234  45.0000  0.000 M1");
  EXPECT_EQ(l.Record(3), "'  50.000  85.0000 180.0000  0.000 M2");
  EXPECT_EQ(l.f().LastSightFailed, 1);
  unsetenv("KRN_COM7");
}

TEST(InputLoop, TraverseSightsPromptsAndSearch) {
  Loop l;
  l.Traverse(1.5);
  // -12 is a distance (recorded 12 with the reading 180 before H= is asked),
  // "C" switches to L=, Enter at L= is a horizontal distance of 0 (no V=), "C"
  // back to S=, "q" ends.
  l.Run("-12\n90\n45\n\nX1\nC\n\n10\nX2\nc\nq\n");
  EXPECT_EQ(l.f().FieldBookCount, 3);
  EXPECT_EQ(l.Record(2), "'  12.000  90.0000  45.0000  1.500 X1");
  EXPECT_EQ(l.Record(3), "'   0.000  90.0000  10.0000  1.500 X2");
  EXPECT_EQ(l.app->traverse.DistancePromptFlag, 0);
  // Every pass saved the book, the last one with both sights.
  EXPECT_NE(ReadHostFile(l.folder / "krnb.y").find("X2"), std::string::npos);

  // "=" alone: the suggestion continues from the last record's name (X2 -> X3).
  l.Run("=\n10\n90\n0\n\n\nQ\n");
  EXPECT_EQ(l.f().FieldBookCount, 4);
  EXPECT_EQ(l.Record(4).substr(35), "X3");

  // Enter alone at "S=" ends the input: the field-book menu is shown again.
  l.app->cogo.ReturnMenu = 0;
  l.Run("\n");
  EXPECT_EQ(l.app->cogo.ReturnMenu, 4);
  EXPECT_EQ(l.f().FieldBookCount, 4);
}

TEST(InputLoop, DeleteNoteCorrectionAndRefusals) {
  Loop l;
  l.Traverse(0);
  l.f().FieldBookEntryCount = 0;
  // A note, then "-" removes it (both entry counts stay at 0, none below).
  l.Run("N\nsee, the fence\n-\nQ\n");
  EXPECT_EQ(l.f().FieldBookCount, 1);
  EXPECT_EQ(l.Record(2), "N see, the fence");  // dropped, kept until overwritten
  EXPECT_EQ(l.f().FieldBookEntryCount, 0);
  EXPECT_EQ(l.f().FieldBookSessionEntryCount, 0);

  // A sight, corrected with "*": stored again under the name given.
  l.Run("50\n90\n30\nP1\n*\nP9\nQ\n");
  EXPECT_EQ(l.f().FieldBookCount, 2);
  EXPECT_EQ(l.Record(2), "'  50.000  90.0000  30.0000  0.000 P9");
  EXPECT_EQ(l.f().FieldBookEntryCount, 1);

  // A failed measurement (the instrument's error reply) stores nothing, and
  // "*" after it keeps the good record.
  PtyPeer peer({"E0000000 0000000 0000000"});
  l.OnPeer(peer);
  l.Run("@\n*\nQ\n");
  EXPECT_EQ(l.f().FieldBookCount, 2);
  EXPECT_EQ(l.Record(2), "'  50.000  90.0000  30.0000  0.000 P9");

  // 10000 m does not fit the distance window: refused, nothing stored.
  l.Run("10000\n90\n0\nQ\n");
  EXPECT_EQ(l.f().FieldBookCount, 2);

  // "-" on an empty book is refused; no count goes negative.
  l.f().FieldBookCount = 0;
  l.Run("-\n-\nQ\n");
  EXPECT_EQ(l.f().FieldBookCount, 0);
  EXPECT_EQ(l.f().FieldBookEntryCount, 1);
}

TEST(InputLoop, NewInputAsksAModeOutsideZeroToTwoAgain) {
  Loop l;
  l.f().FieldBookMode = 1;
  // 5 and -1 are no modes; 0 sets up station A (back-sight 12: " 12") at 1.5.
  l.Run("5\n-1\n0\nA\n12\n1.5\nQ\n", FieldBookInput);
  EXPECT_EQ(l.f().FieldBookMode, 0);
  EXPECT_EQ(l.f().FieldBookCount, 1);
  EXPECT_EQ(l.Record(1), "*A                 12               1.500 ");
  EXPECT_EQ(l.Record(0), l.Record(1));
}

TEST(InputLoop, TraverseTurningPoints) {
  Loop l;
  l.Traverse(0);
  // Heights off: nothing is asked and the record carries 0.000 from column 45.
  l.Run("20\n90\n0\nB1\nP\nQ\n");
  EXPECT_EQ(l.Record(2), fieldbook::TurningRecord("'  20.000  90.0000   0.0000  0.000 B1", 0));
  EXPECT_EQ(l.Record(2).substr(44), " 0.000");
  EXPECT_EQ(l.Record(0), "B1   A    0.000");

  Loop h;
  h.Traverse(1.5);
  h.Run("20\n90\n0\n\nB1\nP\n1.45\nQ\n");
  EXPECT_EQ(h.Record(2).substr(44), " 1.450");
  EXPECT_EQ(h.f().FieldBookInstrumentHeight, 1.45);
  EXPECT_EQ(h.f().ObservationTargetHeight, 1.45);
}

TEST(InputLoop, LevelRunEndedWithE) {
  Loop l;
  l.f().FieldBookMode = 1;
  l.f().LevelStartHeight = 10;
  l.f().LevelRunStart = 2;
  l.f().FieldBookRecord(1) = fieldbook::LevelRunRecord("BM1", 10);
  l.f().FieldBookRecord(0) = l.f().FieldBookRecord(2) = fieldbook::LevelReadingRecord("^", "BM1", "'   0.000", "  1.5000");
  l.f().FieldBookCount = 2;
  // 1.2 on P2, "E" with a back sight of 0.8 on P2, then 1.9 on BM1 (back at
  // the start: 10.3 + 0.8 - 1.9 = 9.2, 0.8 below its height of 10).
  l.Run("1.2\nP2\nE\n0.8\n1.9\nBM1\n\n");
  EXPECT_EQ(l.f().FieldBookCount, 5);
  EXPECT_EQ(l.Record(1), "*_BM1     -->P2         H=  10.0000");
  EXPECT_EQ(l.Record(4), "^P2          0.000  0.8000");
  EXPECT_EQ(l.f().RunningHeightText, " .8  9.2");
  EXPECT_EQ(l.f().FieldBookAttribute(5), "A    9.2000");
  // A level distance of -100 m on the left side would lose its sign: refused.
  l.f().FieldBookMode = 2;
  l.f().LevelSideMark = "[L]";
  l.Run("1.0\n100\nQ\n");
  EXPECT_EQ(l.f().FieldBookCount, 5);
}

}  // namespace
