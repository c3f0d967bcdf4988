// The print of a calculation from the result menu: the run's points drawn at
// the top of the page, the report below them in columns and onto a second
// page, read back from the PDF by pdftotext; and the ways out of a print that
// must not leave a document behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cad/cad_menu.h"
#include "cad/drawing.h"
#include "cad/print_menu.h"
#include "core/app.h"
#include "core/routines.h"
#include "files/result.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/printer.h"
#include "runtime/printer_state.h"
#include "runtime/runtime.h"
#include "runtime/temp_folder.h"
#include "support/printed_pages.h"

namespace {

class PrintOutputTest : public ::testing::Test {
 protected:
  PrintOutputTest() {
    app.shell.DataFolder = folder.path() + "/";
    rt::SetPrinterFolder(folder.path());
    app.settings.ZA = "CALC";
    for (int n = 1; n <= 3; ++n) {
      app.points.PointName(n) = "P" + std::to_string(n);
      app.points.PointX(n) = 100 + 10 * n;
      app.points.PointY(n) = 200 + 20 * n;
    }
    app.points.PointCount = 3;
  }
  ~PrintOutputTest() override { rt::SetPrinterFolder(""); }

  // A report of `count` rows under a heading, written as a calculation leaves it.
  void Report(int count) {
    std::string report = "_\r\n";
    for (int i = 1; i <= count; ++i)
      report += "  T." + std::to_string(i) + "   " + std::to_string(1000 + i) + ".125   " +
                std::to_string(2000 + 2 * i) + ".500\r\n";
    WriteHostFile(folder / "PRINTR.DAT", report);
    app.output.ReportHeaderLine = "  NAME   NORTH   EAST";
  }

  std::string Pdf(int n) const {
    char name[32];
    std::snprintf(name, sizeof name, "print-%03d.pdf", n);
    return folder / name;
  }

  TempFolder folder;
  App app;
};

TEST_F(PrintOutputTest, TheReportStandsInColumnsBelowTheDrawingAndGoesOnToASecondPage) {
  Report(160);
  app.points.NewPointList(0) = 1;
  app.points.NewPointList(1) = 3;
  app.points.NewPointCount = 2;
  app.output.ResultsPlaced = 1;
  EXPECT_EQ(PlotRun(app).next, Entry{PrintOutput});
  rt::LoadScript("0\n\n");  // black ink, 9 points
  EXPECT_EQ(PrintOutput(app).next, Routines().RepeatLastCommand);
  EXPECT_EQ(app.points.NewPointCount, 0);
  EXPECT_EQ(ReadHostFile(folder / "PRINTR.DAT"), "");

  const std::string info = Squeezed(CommandOutput("pdfinfo '" + Pdf(1) + "' 2>&1"));
  EXPECT_NE(info.find("Pages: 2 "), std::string::npos) << info;
  EXPECT_NE(info.find("Title: CALC "), std::string::npos) << info;
  const std::vector<std::vector<std::string>> pages =
      PagesOf(CommandOutput("pdftotext -layout '" + Pdf(1) + "' - 2>&1"));
  ASSERT_EQ(pages.size(), 2u);
  auto lineOf = [&](int page, const std::string& part) {
    for (size_t i = 0; i < pages[page].size(); ++i) {
      if ((" " + pages[page][i] + " ").find(" " + part + " ") != std::string::npos) return int(i);
    }
    return -1;
  };
  // The drawing on top, with the frame the result menu asks for and the title.
  EXPECT_GE(lineOf(0, "P1"), 0);
  EXPECT_GE(lineOf(0, "P3"), 0);
  EXPECT_LT(lineOf(0, "P1"), lineOf(0, "T.1"));
  // Two columns side by side on the first page: a row of the second column
  // stands on the same text line as one of the first.
  const int first = lineOf(0, "T.1");
  ASSERT_GE(first, 0);
  int secondColumn = 0;
  for (int i = 2; i <= 160; ++i) secondColumn += lineOf(0, "T." + std::to_string(i)) == lineOf(0, "T.1") + 1 ? 1 : 0;
  EXPECT_GE(secondColumn, 1);
  // Every row on one of the pages, the last on the second.
  for (int i = 1; i <= 160; ++i) {
    const std::string row = "T." + std::to_string(i);
    EXPECT_TRUE(lineOf(0, row) >= 0 || lineOf(1, row) >= 0) << row;
  }
  EXPECT_GE(lineOf(1, "T.160"), 0);
  // The heading tops each column.
  int headings = 0;
  for (const auto& page : pages) {
    for (const std::string& line : page) {
      for (size_t at = line.find("NAME NORTH EAST"); at != std::string::npos;
           at = line.find("NAME NORTH EAST", at + 1))
        ++headings;
    }
  }
  EXPECT_GE(headings, 3);
}

TEST_F(PrintOutputTest, EveryOtherWayOutOfThePrintLeavesNoDocument) {
  const bool& open = CurrentRuntime().printer->documentOpen;
  app.lines.CadInitialised = 1;
  SelectPointsInUse(app);
  FitDrawingToPaper(app);
  // Enter, a choice beyond the menu, a negative and a huge one: the CAD menu.
  for (const char* answer : {"\n", "7\n", "-3\n", "99999999\n"}) {
    SCOPED_TRACE(answer);
    EXPECT_EQ(PrintMenu(app).next, Entry{PrintMenuDisplay});
    EXPECT_TRUE(open);
    rt::LoadScript(answer);
    EXPECT_EQ(PrintMenuDisplay(app).next, Entry{CadMenu});
    EXPECT_FALSE(open);
  }
  // The report's text size 0 abandons the print.
  Report(40);
  app.output.ResultsPlaced = 1;
  RtOpen(5, folder / "PRINTR.DAT", RtFileMode::Append);
  PrintMenu(app);
  rt::LoadScript("4\n0\n0\n");
  EXPECT_EQ(PrintMenuDisplay(app).next, Entry{PrintOutput});
  EXPECT_EQ(PrintOutput(app).next, Entry{ShowResultMenu});
  EXPECT_FALSE(open);
  // An error inside the print: the document goes before the error handler.
  PrintMenu(app);
  const double scale = app.lines.ScaleDenominator;
  app.lines.ScaleDenominator = 0;
  rt::LoadScript("1\n");
  EXPECT_THROW(PrintMenuDisplay(app), RtError);
  EXPECT_FALSE(open);
  // Without a scale there is no print at all.
  EXPECT_EQ(PrintMenu(app).next, Entry{CadMenu});
  EXPECT_FALSE(open);
  // A finished print is the one document written.
  app.lines.ScaleDenominator = scale;
  app.output.ResultsPlaced = 0;
  PrintMenu(app);
  rt::LoadScript("4\n0\n");
  PrintMenuDisplay(app);
  EXPECT_EQ(PrintOutput(app).next, Entry{CadMenu});
  EXPECT_TRUE(std::filesystem::exists(Pdf(1)));
  EXPECT_FALSE(std::filesystem::exists(Pdf(2)));
}

}  // namespace
