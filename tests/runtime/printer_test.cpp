#include "runtime/printer.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/errors.h"
#include "runtime/graphics.h"
#include "runtime/printer_state.h"
#include "runtime/runtime.h"
#include "runtime/windows.h"
#include "support/printed_pages.h"
#include "temp_folder.h"
#include "support/u8.h"

namespace {

constexpr RtWindowId kPrinter = RtWindowId::Printer;

class PrinterTest : public ::testing::Test {
 protected:
  void SetUp() override { rt::SetPrinterFolder(folder.path()); }

  // The names of the files in the folder, sorted.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  // pdfinfo's report on a printed file.
  std::string PdfInfo(const std::string& name) const {
    return CommandOutput("pdfinfo '" + (folder / name) + "' 2>&1");
  }

  // The page count pdfinfo reads from a printed file, -1 when it reads none.
  int PdfPages(const std::string& name) const {
    const std::string info = PdfInfo(name);
    const size_t at = info.find("\nPages:");
    int pages = -1;
    if (at != std::string::npos) std::sscanf(info.c_str() + at, "\nPages: %d", &pages);
    return pages;
  }

  // A document of `pages` pages with one line of text on each.
  static void PrintPages(int pages) {
    RtPrinterStartDoc("job");
    for (int i = 0; i < pages; ++i) {
      RtPrinterStartPage();
      RtPrintToWindow(kPrinter, "page", true);
      RtPrinterEndPage();
    }
    RtPrinterEndDoc();
  }

  TempFolder folder;
  Runtime runtime;
  RuntimeScope scope{runtime};
};

TEST_F(PrinterTest, TwoPageDocumentBecomesATwoPagePdf) {
  RtPrinterStartDoc("測量ジョブ");
  RtSetScaleMode(kPrinter, 2);
  RtSetFontName(kPrinter, "ＭＳ 明朝");
  RtSetFontSize(kPrinter, 11);
  RtPrinterStartPage();
  RtSetFontBold(kPrinter, true);
  RtPrintToWindow(kPrinter, "一頁目 header", true);
  RtSetFontBold(kPrinter, false);
  RtLine(kPrinter, 0, 100, 1000, 100, 0);
  RtPrinterEndPage();
  RtPrinterStartPage();
  RtPrintToWindow(kPrinter, "二頁目", true);
  RtCircle(kPrinter, 500, 500, 200, 3, 0, 0.5);
  RtPrinterEndDoc();

  EXPECT_EQ(Files(), std::vector<std::string>{"print-001.pdf"});
  ASSERT_FALSE(runtime.notes.empty());
  EXPECT_EQ(runtime.notes.back(), "[print] print-001.pdf");
  EXPECT_EQ(PdfPages("print-001.pdf"), 2);
  const std::string info = PdfInfo("print-001.pdf");
  EXPECT_NE(info.find(U8(u8"測量ジョブ")), std::string::npos) << info;
  EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
  const std::string text =
      CommandOutput("pdftotext '" + (folder / "print-001.pdf") + "' - 2>&1");
  EXPECT_NE(text.find(U8(u8"一頁目 header")), std::string::npos) << text;
  EXPECT_NE(text.find(U8(u8"二頁目")), std::string::npos) << text;
}

TEST_F(PrinterTest, AbortedOrReleasedDocumentsWriteNothing) {
  RtPrinterStartDoc("job");
  RtPrinterStartPage();
  RtPrintToWindow(kPrinter, "drawn", true);
  RtPrinterAbort();
  RtPrinterEndDoc();  // nothing open any more

  // The abandoned print: released with its page and document still open.
  RtPrinterStartDoc("job");
  RtPrinterStartPage();
  RtLine(kPrinter, 0, 0, 100, 100, 0);
  RtPrinterRelease();
  RtPrinterEndPage();
  RtPrinterEndDoc();

  EXPECT_TRUE(Files().empty());
  EXPECT_TRUE(runtime.notes.empty());
}

TEST_F(PrinterTest, FilesAreNumberedWithoutOverwriting) {
  WriteHostFile(folder / "print-001.pdf", "keep me");
  PrintPages(1);
  PrintPages(1);
  EXPECT_EQ(Files(), (std::vector<std::string>{"print-001.pdf", "print-002.pdf", "print-003.pdf"}));
  EXPECT_EQ(ReadHostFile(folder / "print-001.pdf"), "keep me");
  EXPECT_EQ(runtime.notes,
            (std::vector<std::string>{"[print] print-002.pdf", "[print] print-003.pdf"}));
}

TEST_F(PrinterTest, PagesWithNothingOnThemAreLeftOut) {
  // The paged report ends every page with a form feed and ends the page left
  // open after the last one.
  RtPrinterStartDoc("job");
  RtPrinterStartPage();
  RtPrintToWindow(kPrinter, "", true);  // an empty line draws nothing
  RtPrintToWindow(kPrinter, "text", true);
  RtPrinterEndPage();
  RtPrinterStartPage();
  RtPrintToWindow(kPrinter, "", true);
  RtPrinterEndPage();
  RtPrinterEndDoc();
  ASSERT_EQ(Files(), std::vector<std::string>{"print-001.pdf"});
  EXPECT_EQ(PdfPages("print-001.pdf"), 1);

  // A document without a page writes no file.
  RtPrinterStartDoc("empty");
  RtPrinterStartPage();
  RtPrinterEndDoc();
  EXPECT_EQ(Files().size(), 1u);
}

TEST_F(PrinterTest, MeasuringLinesBeforeTheFirstPage) {
  RtPrinterStartDoc("job");
  RtSetScaleMode(kPrinter, 2);
  RtSetFontName(kPrinter, "ＭＳ 明朝");
  RtSetFontSize(kPrinter, 11);
  const double pageHeightMm = RtDeviceCaps(kCapPrintableHeightMm);
  int n = 0;
  do {
    ++n;
    RtPrintToWindow(kPrinter, "", true);
  } while (!(RtGraphPoint(kPrinter, 1) / 10 > pageHeightMm));
  // 11 points are 3.88 mm: 287 mm hold 73 lines, the 74th passes the page.
  EXPECT_NEAR(RtGraphPoint(kPrinter, 1) / n, 11 * 254.0 / 72, 2);
  EXPECT_EQ(5 * ((n - 4) / 5), 70);
  RtPrinterStartPage();
  EXPECT_EQ(RtGraphPoint(kPrinter, 1), 0);
  RtPrinterEndDoc();
  EXPECT_TRUE(Files().empty());  // nothing was drawn on paper
}

TEST_F(PrinterTest, PageUnitsColoursAndPrintableArea) {
  EXPECT_EQ(RtDeviceCaps(kCapPrintableWidthMm), 200);
  EXPECT_EQ(RtDeviceCaps(kCapPrintableHeightMm), 287);
  EXPECT_EQ(RtDeviceCaps(8), 0);

  RtPrinterStartDoc("job");
  RtPrinterStartPage();
  RtSetScaleMode(kPrinter, 2);  // 0.1 mm
  RtLine(kPrinter, 0, 0, 100, 100, 0, RtLineShape::FilledBox);
  RtLine(kPrinter, 200, 0, 300, 100, 5, RtLineShape::FilledBox);  // page colour 5: red
  const std::string png = folder / "page.png";
  ASSERT_TRUE(rt::WriteWindowPng(kPrinter, png));
  cairo_surface_t* page = cairo_image_surface_create_from_png(png.c_str());
  ASSERT_EQ(cairo_image_surface_get_width(page), 794);  // 210 mm at 96 dpi
  const auto pixel = [&](int x, int y) {
    const unsigned char* row =
        cairo_image_surface_get_data(page) + y * cairo_image_surface_get_stride(page);
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
  };
  // The printable area starts 5 mm (19 pixels) in; 10 mm are 38 pixels.
  EXPECT_EQ(pixel(10, 10), 0xFFFFFFu);
  EXPECT_EQ(pixel(21, 21), 0x000000u);
  EXPECT_EQ(pixel(55, 55), 0x000000u);
  EXPECT_EQ(pixel(59, 59), 0xFFFFFFu);
  EXPECT_EQ(pixel(110, 30), 0xFF0000u);
  cairo_surface_destroy(page);
  RtPrinterAbort();
}

TEST_F(PrinterTest, HardCopyIsADocumentOfItsOwn) {
  RtPrinterStartDoc("open");
  RtPrinterStartPage();
  RtPrintToWindow(kPrinter, "kept", true);
  RtLine(RtWindowId::View, 0, 0, 100, 100, 15);
  RtHardCopy(RtWindowId::View, 2, 0);
  RtHardCopy(RtWindowId::Main, 2, 0);
  RtPrinterEndDoc();
  EXPECT_EQ(Files(), (std::vector<std::string>{"print-001.pdf", "print-002.pdf", "print-003.pdf"}));
  for (const std::string& name : Files()) EXPECT_EQ(PdfPages(name), 1) << name;
  EXPECT_EQ(runtime.notes.size(), 3u);
}

TEST_F(PrinterTest, UnwritableFolderIsAnErrorAndDropsTheDocument) {
  rt::SetPrinterFolder(folder / "missing");
  RtPrinterStartDoc("job");
  RtPrinterStartPage();
  RtPrintToWindow(kPrinter, "text", true);
  EXPECT_EQ(RaisedError([] { RtPrinterEndDoc(); }), kErrPathNotFound);
  EXPECT_FALSE(runtime.printer->documentOpen);
  RtPrinterEndDoc();
  EXPECT_TRUE(Files().empty());
  EXPECT_TRUE(runtime.notes.empty());
}

TEST_F(PrinterTest, ReleaseGivesBackTheDefaults) {
  RtSetScaleMode(kPrinter, 2);
  RtSetFontSize(kPrinter, 20);
  RtSetFontItalic(kPrinter, true);
  RtColor(kPrinter, 5);
  RtPrinterRelease();
  const rt::GraphicsState& g = runtime.printer->gfx;
  EXPECT_EQ(g.scaleMode, rt::ScaleMode::Dots);
  EXPECT_EQ(g.fontSize, 10);
  EXPECT_FALSE(g.italic);
  EXPECT_EQ(g.foreground, 0);
  EXPECT_TRUE(RtPrinterSetup(""));
  EXPECT_TRUE(RtSelectPrinter());
}

}  // namespace
