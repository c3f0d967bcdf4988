// The print buffer, the result menu and the job's file path.
#pragma once

#include <string>
#include <vector>

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
  // The save dialog made the chosen file (empty) because it was new: a caller
  // that ends up writing nothing removes it again.
  bool ChosenFileCreated = false;
  double FileMenuChoice = 0;
  // The answer of the last submenu, fraction included.
  double SubmenuChoice = 0;
  // The point-list file: the number the reader stores its next point under, how
  // its lines are separated (0 undecided, 1 blanks, 2 commas and TABs), and the
  // names the port layout cut in one write.
  double ListPointNumber = 1;
  double PointListDelimiterMode = 0;
  double TruncatedNameCount = 0;
  // The job's name while an appending SIMA read chooses the file to append.
  std::string KeptJobName;
  double ConnectionFileFound = 0;
  // The first point and line-table entry a save writes to the connection-line file.
  double FirstPointToSave = 1;
  double FirstVertexToSave = 1;
  // Job files whose read was refused (a bad line): what the job holds did not
  // come from them, so a save asks before it overwrites one. A file leaves the
  // list when it is read whole or the user lets a save overwrite it.
  std::vector<std::string> UnreadFiles;
};

}  // namespace files
