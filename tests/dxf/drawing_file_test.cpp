// The head of a drawing against the lines typed from the format's tables and
// as python3-ezdxf reads it; the life of the drawing file through its events.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/app.h"
#include "core/control.h"
#include "dxf/dxf_menu.h"
#include "dxf/head.h"
#include "dxf/records.h"
#include "files/result.h"
#include "runtime/clock.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/temp_folder.h"
#include "support/dxf_golden.h"
#include "support/dxf_reader.h"
#include "support/u8.h"

namespace {

int LineCount(const std::string& text) {
  int n = 0;
  for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++n;
  return n;
}

TEST(DxfHead, PlanAndSectionHeadsLineForLine) {
  const std::string plan = dxf::HeadText(0.841, 0.594, 0);
  EXPECT_EQ(plan, dxf_golden::Head(" 841 ", " 594 ", false));
  EXPECT_EQ(LineCount(plan), 628);
  const std::string section = dxf::HeadText(double(0.841f), double(0.594f), 1);
  EXPECT_EQ(section, dxf_golden::Head(" 841.000021 ", " 593.999982 ", true));
  EXPECT_EQ(dxf::HeadText(0.841, 0.594, 7), dxf_golden::Head(" 841 ", " 594 ", true));
  // From the style table's "  0" through "ENTITIES": 348 lines.
  const size_t style = plan.find("  0\r\nTABLE\r\n  2\r\nSTYLE\r\n");
  EXPECT_EQ(LineCount(plan.substr(style)), 348);
}

// A drawing of the head alone, finished with "ENDSEC" and "EOF".
std::string Finished(const std::string& head) { return head + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n"; }

TEST(DxfHead, EzdxfReadsThePaperTheLineTypesAndTheLayers) {
  const TempFolder folder;
  WriteHostFile(folder / "plan.dxf", Finished(dxf::HeadText(double(0.841f), double(0.594f), 0)));
  const std::vector<std::string> read = dxf_reader::Read(folder / "plan.dxf");
  std::string all;
  for (const std::string& l : read) all += l + "\n";
  EXPECT_EQ(dxf_reader::With(read, "read-errors"), std::vector<std::string>{"0"}) << all;
  EXPECT_EQ(dxf_reader::With(read, "audit-errors"), std::vector<std::string>{"0"}) << all;
  EXPECT_EQ(dxf_reader::With(read, "encoding"), std::vector<std::string>{"cp932"}) << all;
  EXPECT_EQ(dxf_reader::With(read, "extmax"), std::vector<std::string>{"841.000021 593.999982"}) << all;
  const std::vector<std::string> ltypes = dxf_reader::With(read, "ltype");
  std::string dot;
  for (int k = 0; k < 24; ++k) dot += U8(u8"･");
  for (const char* name : {"CONTINUOUS", "HIDDEN", "HIDDEN2", "HIDDENX2", "DOT", "DASHDOT", "CENTER",
                                 "DIVIDE", "DIVIDEX2"}) {
    bool found = false;
    for (const std::string& l : ltypes) found |= l.starts_with(std::string(name) + " ");
    EXPECT_TRUE(found) << name << "\n" << all;
  }
  bool dotFound = false;
  for (const std::string& l : ltypes) dotFound |= l.starts_with("DOT " + dot + " ");
  EXPECT_TRUE(dotFound) << all;
  const std::vector<std::string> expected = {
      "1 252", "2 32", "3 42", "4 62", "5 72", "6 92", "7 102", "8 122", "9 132", "10 152",
      "11 162", "12 182", "13 192", "14 212", "15 222", "16 242",
      U8(u8"ポイント 40"), U8(u8"マ-ク 232"), U8(u8"点名 122"), U8(u8"標高 6"), U8(u8"距離 5"),
      U8(u8"方向角 2"), U8(u8"コ-ド 3"), U8(u8"方眼 4"), U8(u8"タイトル 7"), U8(u8"コンタ 122"),
      U8(u8"結果 13"), U8(u8"地番 210"), U8(u8"地番外 232"), U8(u8"三斜番号 90")};
  std::vector<std::string> layers;
  for (const std::string& l : dxf_reader::With(read, "layer")) {
    if (l.rfind(" ") != std::string::npos && !l.starts_with("0 ")) layers.push_back(l);
  }
  for (const std::string& layer : expected) {
    EXPECT_NE(std::find(layers.begin(), layers.end(), layer), layers.end()) << layer << "\n" << all;
  }
}

// File 6 is open: its length can be asked.
bool DrawingOpen() {
  try {
    RtLof(dxf::kDrawingFile);
    return true;
  } catch (const RtError&) {
    return false;
  }
}

TEST(DxfDrawingFile, TheLifeOfTheDrawingEventByEvent) {
  const TempFolder folder;
  App app;
  ASSERT_TRUE(rt::SetClock("2004-04-15T10:00:00"));
  app.shell.DataFolder = folder / "";
  app.settings.ZA = "KOJI1";
  app.dxf.DrawingPath = folder / "KOJI1.DXF";
  app.lines.PaperWidth = 0.841;
  app.lines.PaperHeight = 0.594;
  app.lines.ScaleDenominator = 500;
  app.view.PlotOriginX = -1234.5;
  app.view.PlotOriginY = 567.25;
  app.settings.VX = "/bin/true";  // a program of this host; headless, it is only recorded
  app.output.ResultsPlaced = 1;  // no work result waits to be placed
  const std::string head = dxf_golden::Head(" 841 ", " 594 ", false);
  const std::string drawing = folder / "KOJI1.DXF";
  const std::string copy = folder / "K.DXF";

  CreateDxfFile(app);  // entry, file chosen
  EXPECT_FALSE(DrawingOpen());
  EXPECT_EQ(ReadHostFile(drawing), head);
  EXPECT_FALSE(RtFileExists(copy));

  ReopenDxfForAppend(app);  // a plot, which counts as made: no default plot follows
  dxf::Sink out;
  dxf::WritePoint(out, "ポイント", 1, 2, std::nullopt);
  out.WriteToDrawing();
  app.dxf.DxfPlotted = 1;
  const std::string open = head + "  0\r\nPOINT\r\n  8\r\nポイント\r\n 10\r\n 1 \r\n 20\r\n 2 \r\n";
  EXPECT_TRUE(DrawingOpen());

  FinishDxfFile(app);
  const std::string title = "  0\r\nTEXT\r\n  8\r\nタイトル\r\n 10\r\n0\r\n 20\r\n5\r\n 40\r\n 1.8 \r\n  1\r\n"
                            "０４／０４／１５　Ｊｏｂ＝ＫＯＪＩ１　　Ｓ＝１／　５００"
                            "  原点  X=-1234.500 Y= 567.250  回転角=0-00-00\r\n  7\r\nKANJI\r\n";
  const std::string finished = open + title + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  EXPECT_FALSE(DrawingOpen());
  EXPECT_EQ(ReadHostFile(drawing), finished);
  EXPECT_EQ(ReadHostFile(copy), open);
  EXPECT_EQ(app.dxf.DxfPlotted, 1);

  // Choice 4 after its finish (which sets DxfFinished first): the CAD program
  // shown the finished drawing, then the open one back.
  app.dxf.DxfFinished = 1;
  const Jump afterCad = LaunchCad(app);
  EXPECT_EQ(afterCad.next, &ReturnToDxfMenu);
  EXPECT_TRUE(DrawingOpen());
  EXPECT_EQ(app.dxf.DxfFinished, 0);
  RtClose(dxf::kDrawingFile);
  EXPECT_EQ(ReadHostFile(drawing), open);
  EXPECT_EQ(ReadHostFile(copy), open);
  ReopenDxfForAppend(app);

  const Jump afterExit = ExitDxfMenu(app);  // the exit
  EXPECT_EQ(afterExit.next, &ShowResultMenu);
  EXPECT_FALSE(DrawingOpen());
  EXPECT_EQ(ReadHostFile(drawing), finished);
  EXPECT_FALSE(RtFileExists(copy));

  CreateDxfFile(app);  // choice 1 makes the drawing anew: the head only
  EXPECT_EQ(ReadHostFile(drawing), head);
}

TEST(DxfDrawingFile, AnErrorInAStepEndsTheDrawingSoThatReadersTakeIt) {
  const TempFolder folder;
  App app;
  app.dxf.DrawingPath = folder / "CUT.DXF";
  app.lines.PaperWidth = 0.841;
  app.lines.PaperHeight = 0.594;
  CreateDxfFile(app);
  ReopenDxfForAppend(app);
  const auto failing = [](App&) -> Jump {
    RtPrintToFile(dxf::kDrawingFile, "  0\r\nPOINT\r\n  8\r\n1\r\n 10\r\n 1 \r\n 20\r\n 2 \r\n", false);
    RtRaise(kErrDivisionByZero);
  };
  try {
    dxf::WhileDrawing(app, failing);
    ADD_FAILURE() << "the error went missing";
  } catch (const RtError& e) {
    EXPECT_EQ(e.number(), kErrDivisionByZero);
  }
  EXPECT_FALSE(DrawingOpen());
  const std::string head = dxf_golden::Head(" 841 ", " 594 ", false);
  EXPECT_EQ(ReadHostFile(app.dxf.DrawingPath),
            head + "  0\r\nPOINT\r\n  8\r\n1\r\n 10\r\n 1 \r\n 20\r\n 2 \r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
  const std::vector<std::string> read = dxf_reader::Read(app.dxf.DrawingPath);
  EXPECT_EQ(dxf_reader::With(read, "audit-errors"), std::vector<std::string>{"0"});
  // A finished drawing is left as it is.
  dxf::CloseUnfinishedDrawing(app);
  EXPECT_EQ(LineCount(ReadHostFile(app.dxf.DrawingPath)), 628 + 8 + 4);
}

TEST(DxfDrawingFile, TheDefaultPlotSetsThePlanOrSectionDefaultsOnce) {
  const TempFolder folder;
  App app;
  app.dxf.DrawingPath = folder / "PLAN.DXF";
  app.output.ResultsPlaced = 1;
  app.lines.ScaleDenominator = 500;
  app.dxf.TextSize = -1;
  PlotDxfWithDefaults(app);
  EXPECT_EQ(app.dxf.DxfPlotted, 1);
  EXPECT_EQ(app.dxf.TextSize, 1.8);
  EXPECT_EQ(app.dxf.GeneralMark, "＋");
  EXPECT_EQ(app.dxf.Output3D, 1);
  EXPECT_EQ(app.lines.GridInterval, 50);
  app.dxf.TextSize = 2.4;
  PlotDxfWithDefaults(app);  // already plotted: nothing changes
  EXPECT_EQ(app.dxf.TextSize, 2.4);

  App section;
  section.dxf.DrawingPath = folder / "SECTION.DXF";
  section.output.ResultsPlaced = 1;
  section.lines.ScaleDenominator = 500;
  section.profile.ProfileMode = 1;
  PlotDxfWithDefaults(section);
  EXPECT_EQ(section.dxf.NameTextStart, 0);
  EXPECT_EQ(section.dxf.GeneralMark, "");
  EXPECT_EQ(section.dxf.Output3D, 0);
  EXPECT_EQ(section.lines.GridInterval, 0);
  EXPECT_EQ(section.dxf.ElevationDecimals, 2);
}

}  // namespace
