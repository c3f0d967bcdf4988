// The label pass of the printed plan, read back from the PDF by pdftotext:
// labels off the paper left out, triangle numbers cut to three digits, and the
// land-survey-table items of the row each filter finds, in their forms.
#include <gtest/gtest.h>

#include <string>

#include "area/area_menu.h"
#include "cad/drawing.h"
#include "cad/print_page.h"
#include "core/app.h"
#include "runtime/printer.h"
#include "runtime/temp_folder.h"
#include "support/printed_pages.h"
#include "support/u8.h"

namespace {

class PrintedLabelsTest : public ::testing::Test {
 protected:
  PrintedLabelsTest() {
    rt::SetPrinterFolder(folder.path());
    cad::Lines& l = app.lines;
    l.PaperHeight = 0.279;
    l.PaperWidth = 0.198;
    l.ScaleDenominator = 500;
    l.PaperUnitsPerMetre = 20;
    app.view.PlotOriginX = 1000;
    app.view.PlotOriginY = 2000;
    l.PrintSettingsGiven = 1;
    l.PrintTextSize = 12;
    app.points.SelectionLast = -1;
    area::State& a = app.area;
    area::DimensionAreaTables(a);
    const struct {
      const char* text;
      double x, y;
    } labels[] = {{"12-3", 1050, 2050}, {"OFF1", 1200, 2050}, {"^1234", 1060, 2020},
                  {"EDGE", 1000, 2030}, {"HAIR", 999.99, 2070}};
    for (int i = 0; i < 5; ++i) {
      a.LabelText(i) = labels[i].text;
      a.LabelX(i) = labels[i].x;
      a.LabelY(i) = labels[i].y;
    }
    a.LabelCount = 5;
    // Row 1 puts columns 5, 7 and 8 on the drawing (column 4, the parcel
    // number, never); rows 4 and 5 hold the same parcel number.
    for (const int c : {4, 5, 7, 8}) a.SurveyTable(1)(c) = "*";
    const char* rows[2][5] = {{"", "残地", "宅地", " 120", "123.45"}, {"*", "用地", "山林", "80", "77.5"}};
    for (int r = 0; r < 2; ++r) {
      RtTable<std::string>& row = a.SurveyTable(4 + r);
      row(0) = rows[r][0];
      row(4) = "12-3";
      row(9) = rows[r][1];
      row(5) = rows[r][2];
      row(7) = rows[r][3];
      row(8) = rows[r][4];
    }
    a.SurveyTableRowCount = 5;
  }
  ~PrintedLabelsTest() override { rt::SetPrinterFolder(""); }

  // The text of the page printed with `filter`, as pdftotext reads it.
  std::string Printed(double filter, double onPlot = 0) {
    app.area.ParcelLabelFilter = filter;
    app.area.SurveyItemsOnPlot = onPlot;
    OpenPrinterPage(app);
    DrawPrintPage(app);
    RtPrinterEndDoc();
    char name[32];
    std::snprintf(name, sizeof name, "/print-%03d.pdf", ++printed_);
    return CommandOutput("pdftotext '" + folder.path() + name + "' - 2>&1");
  }

  TempFolder folder;
  App app;
  int printed_ = 0;
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(PrintedLabelsTest, LabelsOnThePaperOrItsEdgeWithTheItemsOfTheFilteredRow) {
  struct Case {
    double filter;
    const char8_t* items[3];  // empty: no items
  };
  const Case cases[] = {
      {0, {}},
      {1, {u8"(宅地)", u8"(120㎡)", u8"123.45㎡"}},
      {2, {u8"(山林)", u8"(80㎡)", u8"77.5㎡"}},
      {3, {}},
      {4, {u8"(山林)", u8"(80㎡)", u8"77.5㎡"}},
      {5, {u8"(宅地)", u8"(120㎡)", u8"123.45㎡"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    const std::string text = Printed(c.filter);
    EXPECT_TRUE(Has(text, "12-3")) << text;
    EXPECT_TRUE(Has(text, "EDGE")) << text;
    EXPECT_TRUE(Has(text, "123")) << text;
    EXPECT_FALSE(Has(text, "1234")) << text;
    EXPECT_FALSE(Has(text, "OFF1")) << text;
    EXPECT_FALSE(Has(text, "HAIR")) << text;
    const bool none = c.items[0] == nullptr;
    EXPECT_EQ(Has(text, U8(u8"㎡")), !none) << text;
    for (const char8_t* item : c.items) {
      if (item) {
        EXPECT_TRUE(Has(text, U8(item))) << U8(item) << "\n" << text;
      }
    }
  }
  // The land survey table keeps its items off the output drawing.
  EXPECT_FALSE(Has(Printed(1, -9), U8(u8"㎡")));
}

}  // namespace
