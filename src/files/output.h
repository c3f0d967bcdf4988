// The print buffer, the result menu and the job's file path.
#pragma once

#include <string>

namespace files {

struct Output {
  double ResultMenuShown = 0;
  double ResultsPlaced = 0;
  double InstrumentListFormat = 0;

  // Paged printing of the print buffer.
  std::string ReportTitle;
  std::string ReportDate;
  double SeparatorPageBreak = 0;
  std::string PrintFontName = "ＭＳ 明朝";
  double PrintFontSize = 11;
  std::string ReportHeaderLine;
  double PageHeightMm = 0;
  bool Landscape = false;
  double LinesPerPage = 0;
  double PageNumber = 1;
  double PageLineCount = 0;
  std::string LastPrintedLine;
};

// The file in hand: every file of the job is JobFolder + ZA + an extension.
struct JobFiles {
  std::string FileExtension;
  std::string ChosenFilePath;
  double FileMenuChoice = 0;
  double FirstReadPointNumber = 1;
  double ConnectionFileFound = 0;
};

}  // namespace files
