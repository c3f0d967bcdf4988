// The DXF output in whole sessions: the drawing named in the CAD menu's "6:DXF"
// and finished at once, read back by python3-ezdxf; the CAD program shown the
// finished drawing twice; a CAD program that cannot be found.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "runtime/text.h"
#include "scripted/dxf_plan_job.h"
#include "scripted/session.h"
#include "support/dxf_golden.h"
#include "support/dxf_reader.h"
#include "support/u8.h"

namespace {

using scripted::Krn;
using scripted::kToDxfMenu;
using scripted::PlanJob;
using scripted::SessionResult;

// The head of a plan on the CAD menu's first paper.
std::string Head() { return dxf_golden::Head(" 198 ", " 279 ", false); }

// The end of a finished drawing: its title of the session's day (KRN_CLOCK), the
// job PLAN and the drawing settings above, then the end of the section and file.
std::string TitleAndEnd() {
  const std::string title =
      rt::Utf8ToCp932(U8(u8"２６／１２／１０　Ｊｏｂ＝ＰＬＡＮ　　Ｓ＝１／　５００"
                         u8"  原点  X= 970.000 Y= 1990.000  回転角=0-00-00"));
  return "  0\r\nTEXT\r\n  8\r\n" + rt::Utf8ToCp932(U8(u8"タイトル")) +
         "\r\n 10\r\n0\r\n 20\r\n5\r\n 40\r\n 1.8 \r\n  1\r\n" + title +
         "\r\n  7\r\nKANJI\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
}

// A finished drawing: the head, the default plot of the job's points (their
// names among its records), the title and the end, each once.
::testing::AssertionResult Finished(const std::string& drawing) {
  const std::string end = TitleAndEnd();
  if (!drawing.starts_with(Head()) || !drawing.ends_with(end) ||
      drawing.find("ENDSEC\r\n  0\r\nEOF") != drawing.size() - end.size() + end.find("ENDSEC")) {
    return ::testing::AssertionFailure() << "not one finished drawing:\n" << drawing;
  }
  for (const char8_t* name : {u8"Ａ１", u8"Ａ２", u8"Ａ３"}) {
    if (drawing.find("\r\n" + rt::Utf8ToCp932(U8(name)) + "\r\n") == std::string::npos)
      return ::testing::AssertionFailure() << "the default plot is missing:\n" << drawing;
  }
  return ::testing::AssertionSuccess();
}

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& l : lines) all += l + "\n";
  return all;
}

TEST(DxfSession, EnterAtTheDxfMenuFinishesTheDrawingAndShowsTheResultMenu) {
  const SessionResult session = Krn(kToDxfMenu + "\n", {"./PLAN.PRN"}, PlanJob());
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_TRUE(Finished(session.File("KOJI1.DXF"))) << session.transcript;
  EXPECT_FALSE(Exists(*session.dataFolder / "K.DXF"));
  // The DXF menu, then the result menu's way into the main menu.
  const size_t menu = session.transcript.find(U8(u8" 1:初期設定  2:ﾌﾟﾛｯﾄ追加  3:線追加  4:CAD起動 "));
  ASSERT_NE(menu, std::string::npos) << session.transcript;
  EXPECT_NE(session.transcript.find(U8(u8"1：トラバース"), menu), std::string::npos) << session.transcript;

  const std::vector<std::string> read = dxf_reader::Read(*session.dataFolder / "KOJI1.DXF");
  EXPECT_EQ(dxf_reader::With(read, "read-errors"), std::vector<std::string>{"0"}) << Joined(read);
  EXPECT_EQ(dxf_reader::With(read, "audit-errors"), std::vector<std::string>{"0"}) << Joined(read);
  const std::vector<std::string> texts = dxf_reader::With(read, "text");
  ASSERT_FALSE(texts.empty()) << Joined(read);
  EXPECT_EQ(texts.back(), U8(u8"タイトル 0.0 5.0 1.8 ２６／１２／１０　Ｊｏｂ＝ＰＬＡＮ　　Ｓ＝１／　５００"
                         u8"  原点  X= 970.000 Y= 1990.000  回転角=0-00-00"));
  const std::vector<std::string> layers = dxf_reader::With(read, "layer");
  for (const std::string& layer : {U8(u8"ポイント 40"), U8(u8"マ-ク 232"), U8(u8"三斜番号 90")}) {
    EXPECT_NE(std::find(layers.begin(), layers.end(), layer), layers.end()) << layer << Joined(read);
  }
}

// A CAD program for the session: a shell script that copies the drawing it
// is given to seen-N.dxf beside it, and when `change` is set writes into it.
struct CadScript {
  explicit CadScript(bool change) {
    const std::string script = "#!/bin/sh\nd=$(dirname \"$1\")\nn=$(ls \"$d\" | grep -c '^seen-')\n"
                               "cp \"$1\" \"$d/seen-$n.dxf\"\n" +
                               std::string(change ? "echo '999' >> \"$1\"\n" : "");
    WriteHostFile(folder / "cad.sh", script);
    chmod((folder / "cad.sh").c_str(), 0700);
    setenv("KRN_CAD", (folder / "cad.sh").c_str(), 1);
  }
  ~CadScript() { unsetenv("KRN_CAD"); }
  TempFolder folder;
};

TEST(DxfSession, TheCadProgramGetsTheFinishedDrawingEachTimeAndTheExitFinishesItOnce) {
  const CadScript cad(false);
  const SessionResult session = Krn(kToDxfMenu + "4\n4\n\n", {"./PLAN.PRN"}, PlanJob());
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_TRUE(Finished(session.File("seen-0.dxf")));
  EXPECT_EQ(session.File("seen-1.dxf"), session.File("seen-0.dxf"));
  EXPECT_EQ(session.File("KOJI1.DXF"), session.File("seen-0.dxf"));
  EXPECT_FALSE(Exists(*session.dataFolder / "K.DXF"));
  EXPECT_FALSE(Exists(*session.dataFolder / "KOJI1_CAD.DXF"));
}

TEST(DxfSession, WhatTheCadProgramSavedIsKeptBesideTheDrawing) {
  const CadScript cad(true);
  const SessionResult session = Krn(kToDxfMenu + "4\n\n", {"./PLAN.PRN"}, PlanJob());
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_TRUE(Finished(session.File("KOJI1.DXF")));
  EXPECT_EQ(session.File("KOJI1_CAD.DXF"), session.File("KOJI1.DXF") + "999\n");
  EXPECT_TRUE(scripted::HasLineContaining(session, "KOJI1_CAD.DXF")) << session.transcript;
}

TEST(DxfSession, WithoutACadProgramTheDialogAsksAndCancelLeavesTheDrawingOpen) {
  // No CAD program of the settings, none configured and none to find on PATH.
  if (getenv("KRN_CAD")) GTEST_SKIP() << "KRN_CAD names a CAD program";
  const std::string path = getenv("PATH") ? getenv("PATH") : "";
  const TempFolder empty;
  setenv("PATH", empty.path().c_str(), 1);
  const SessionResult session = Krn(kToDxfMenu + "4\n!cancel\n\n", {"./PLAN.PRN"}, PlanJob());
  setenv("PATH", path.c_str(), 1);
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_TRUE(scripted::HasLineContaining(session, "ding.wav")) << session.transcript;
  EXPECT_FALSE(scripted::HasLineContaining(session, "[program]")) << session.transcript;
  EXPECT_TRUE(Finished(session.File("KOJI1.DXF")));
}

}  // namespace
