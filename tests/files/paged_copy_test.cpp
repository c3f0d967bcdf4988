// The paged copy "P.D" of the print buffer, built from fixture buffers.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/app.h"
#include "files/result.h"
#include "runtime/files.h"
#include "runtime/graphics.h"
#include "runtime/temp_folder.h"

namespace {

using Lines = std::vector<std::string>;

std::string Crlf(const Lines& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

Lines SplitCrlf(const std::string& bytes) {
  Lines lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  EXPECT_EQ(start, bytes.size()) << "the last line has no CR LF";
  return lines;
}

// `text` padded with blanks to `width` bytes (the fixture texts fit).
std::string Pad(const std::string& text, size_t width) {
  return text + std::string(width - text.size(), ' ');
}

// "Report line 1", "Report line 2", ...
Lines Report(int count, const std::string& name = "Report line ") {
  Lines lines;
  for (int i = 1; i <= count; ++i) lines.push_back(name + std::to_string(i));
  return lines;
}

Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::string kMargin(7, ' ');  // 78 / 11 points
const std::string kFormFeed = "\f";
// In an expected page body: the empty line (without margin) of a separator.
const std::string kSeparatorGap = "<gap>";

class PagedCopyTest : public ::testing::Test {
 protected:
  PagedCopyTest() {
    app.shell.DataFolder = folder.path() + "/";
    app.settings.ZA = "SITE";
    files::Output& out = app.output;
    out.ReportTitle = "TRAVERSE";
    out.ReportDate = "2026/12/10";
    out.PrintFontSize = 11;
    out.LinesPerPage = 10;
    out.PageNumber = 1;
  }

  // Builds "P.D" from a print buffer of `buffer` and returns its lines.
  Lines Build(const Lines& buffer) {
    WriteHostFile(folder / "PRINTR.DAT", Crlf(buffer));
    RtOpen(5, folder / "PRINTR.DAT", RtFileMode::Input);
    BuildPagedCopy(app);
    RtClose(5);
    return SplitCrlf(ReadHostFile(folder / "P.D"));
  }

  std::string Header(int page, const std::string& title = "TRAVERSE") const {
    return kMargin + "  " + Pad(title, 22) + "現場=" + Pad("SITE", 22) + "(2026/12/10) Page" +
           Pad(" " + std::to_string(page), 3);
  }

  // One page of the copy: its head, the body lines after the margin, the form feed.
  Lines Page(int page, const Lines& body) const {
    Lines lines = {"", Header(page), ""};
    for (const std::string& line : body) lines.push_back(line == kSeparatorGap ? "" : kMargin + line);
    lines.push_back(kFormFeed);
    return lines;
  }

  TempFolder folder;
  App app;
};

TEST(PagedCopyLayout, LinesPerPageAreFourFewerDownToAMultipleOfFive) {
  const std::vector<std::pair<double, double>> cases = {
      {70, 65}, {69, 65}, {68, 60}, {65, 60}, {64, 60}, {63, 55}, {9, 5}, {8, 0}};
  for (const auto& [measured, lines] : cases) {
    EXPECT_EQ(files::LinesPerPageFor(measured), lines) << measured;
  }
}

TEST(PagedCopyLayout, TheLeftMarginFollowsTheFontSize) {
  const std::vector<std::pair<double, size_t>> cases = {{7, 11}, {8, 10}, {9, 9},
                                                        {10, 8}, {11, 7}, {12, 7}};
  for (const auto& [size, blanks] : cases) {
    EXPECT_EQ(files::LeftMargin(size), std::string(blanks, ' ')) << size;
  }
}

TEST_F(PagedCopyTest, PagesEndAfterLinesPerPageLines) {
  EXPECT_EQ(Build(Report(12)), Page(1, Report(10)) + Page(2, {"Report line 11", "Report line 12"}));
}

TEST_F(PagedCopyTest, AReportOfExactlyOnePageIsFollowedByAPageWithItsHeadOnly) {
  EXPECT_EQ(Build(Report(10)), Page(1, Report(10)) + Page(2, {}));
}

TEST_F(PagedCopyTest, AnEmptyLineJustBeforeThePageEndEndsThePageEarly) {
  const Lines buffer = Report(8) + Lines{""} + Report(3, "Next ");
  EXPECT_EQ(Build(buffer), Page(1, Report(8) + Lines{""}) + Page(2, Report(3, "Next ")));
}

TEST_F(PagedCopyTest, KeptReportsAreSeparatedByAnEmptyLine) {
  const Lines buffer = Report(2, "A") + Lines{"_"} + Report(2, "B") + Lines{"_"} + Report(2, "C");
  EXPECT_EQ(Build(buffer),
            Page(1, Report(2, "A") + Lines{kSeparatorGap} + Report(2, "B") + Lines{kSeparatorGap} +
                        Report(2, "C")));
}

TEST_F(PagedCopyTest, KeptReportsBeginOnANewPageWhenSeparatorsBreakPages) {
  app.output.SeparatorPageBreak = 1;
  const Lines buffer = Report(2, "A") + Lines{"_"} + Report(2, "B") + Lines{"_"} + Report(2, "C");
  EXPECT_EQ(Build(buffer),
            Page(1, Report(2, "A")) + Page(2, Report(2, "B")) + Page(3, Report(2, "C")));
}

TEST_F(PagedCopyTest, OtherSeparatorChoicesDropTheSeparators) {
  app.output.SeparatorPageBreak = 2;
  EXPECT_EQ(Build(Report(2, "A") + Lines{"_"} + Report(2, "B")),
            Page(1, Report(2, "A") + Report(2, "B")));
}

TEST_F(PagedCopyTest, ASeparatorAtTheEndAddsNoPage) {
  for (const double pageBreak : {0.0, 1.0}) {
    app.output.SeparatorPageBreak = pageBreak;
    const Lines body = pageBreak == 0 ? Report(3) + Lines{kSeparatorGap} : Report(3);
    EXPECT_EQ(Build(Report(3) + Lines{"_"}), Page(1, body)) << pageBreak;
  }
}

TEST_F(PagedCopyTest, ASeparatorAtTheTopOfAPageMakesNoEmptyPage) {
  app.output.SeparatorPageBreak = 1;
  EXPECT_EQ(Build(Report(10) + Lines{"_"} + Report(2, "B")),
            Page(1, Report(10)) + Page(2, Report(2, "B")));
}

TEST_F(PagedCopyTest, TheColumnHeadingIsRepeatedWhereATableRunsOn) {
  const std::string heading = "  NO.        X            Y";
  app.output.ReportHeaderLine = heading;
  // The heading counts as a line of its page.
  EXPECT_EQ(Build(Report(12, "row ")),
            Page(1, Report(10, "row ")) + Page(2, {heading, "row 11", "row 12"}));
}

TEST_F(PagedCopyTest, NoHeadingAfterAPageThatEndedOnALineWithEquals) {
  app.output.ReportHeaderLine = "  NO.        X            Y";
  const Lines buffer = Report(9, "row ") + Lines{"TOTAL=12.5"} + Report(2, "row 1");
  EXPECT_EQ(Build(buffer),
            Page(1, Report(9, "row ") + Lines{"TOTAL=12.5"}) + Page(2, Report(2, "row 1")));
}

TEST_F(PagedCopyTest, NoHeadingWhenSeparatorsBreakPages) {
  app.output.ReportHeaderLine = "HEAD";
  app.output.SeparatorPageBreak = 1;
  EXPECT_EQ(Build(Report(12)), Page(1, Report(10)) + Page(2, {"Report line 11", "Report line 12"}));
}

TEST_F(PagedCopyTest, NoHeadingAfterAPageThatEndedAtASeparator) {
  app.output.ReportHeaderLine = "HEAD";
  app.output.LinesPerPage = 5;
  const Lines buffer = Report(4) + Lines{"_"} + Report(2, "B");
  EXPECT_EQ(Build(buffer), Page(1, Report(4) + Lines{kSeparatorGap}) + Page(2, Report(2, "B")));
}

TEST_F(PagedCopyTest, InLandscapeTheHeaderIsTheFifthLineAndThreeLinesCount) {
  app.output.Landscape = true;
  const Lines copy = Build(Report(8));
  const Lines first = {"", "", "", "", Header(1), ""};
  ASSERT_GE(copy.size(), first.size());
  EXPECT_EQ(Lines(copy.begin(), copy.begin() + 6), first);
  // 3 + 7 lines fill the page of 10.
  EXPECT_EQ(copy[6 + 7], kFormFeed);
  EXPECT_EQ(copy[6 + 7 + 1 + 4], Header(2));
}

TEST_F(PagedCopyTest, HeaderFieldsAreCutToTheirWidths) {
  // 25 bytes: the cut at 22 would split a double-byte character, which becomes a blank.
  app.output.ReportTitle = "A開放トラバース計算の結果";
  app.output.ReportDate = "2026/12/10 (Thu)";
  const Lines copy = Build({"x"});
  EXPECT_EQ(copy[1], kMargin + "  A開放トラバース計算の 現場=" + Pad("SITE", 22) +
                         "(2026/12/10) Page 1 ");
}

TEST_F(PagedCopyTest, PageNumbersPastNinetyNineLoseTheirLastDigit) {
  app.output.PageNumber = 99;
  const Lines copy = Build(Report(11));
  EXPECT_EQ(copy[1], Header(99));
  EXPECT_EQ(copy[1 + 14], kMargin + "  " + Pad("TRAVERSE", 22) + "現場=" + Pad("SITE", 22) +
                              "(2026/12/10) Page 10");
}

TEST_F(PagedCopyTest, AnEmptyBufferIsOnePageHead) { EXPECT_EQ(Build({}), Page(1, {})); }

TEST_F(PagedCopyTest, TheLinesPerPageHaveALowerBound) {
  // A page that holds only a few lines of the font.
  app.output.PageHeightMm = 10;
  RtSetScaleMode(RtWindowId::Printer, 2);
  RtSetFontSize(RtWindowId::Printer, 11);
  MeasureLinesPerPage(app);
  EXPECT_EQ(app.output.LinesPerPage, 5);
}

TEST_F(PagedCopyTest, TheMeasuredPageHoldsTheLinesOfTheFont) {
  app.output.PageHeightMm = 287;
  RtSetScaleMode(RtWindowId::Printer, 2);
  RtSetFontSize(RtWindowId::Printer, 11);
  const double lineHeight = RtTextHeight(RtWindowId::Printer, "");  // 0.1 mm
  MeasureLinesPerPage(app);
  // The first count of lines that passes the page.
  const double passing = std::floor(2870 / lineHeight) + 1;
  EXPECT_EQ(app.output.LinesPerPage, files::LinesPerPageFor(passing));
  EXPECT_GT(app.output.LinesPerPage, 40);
}

}  // namespace
