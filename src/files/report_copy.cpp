// Saving what the last command produced: the print buffer as a ".TXT" copy, or
// the points it registered as a ".DD" list that the point selection reads back.
#include "files/report_copy.h"

#include <string>

#include "core/app.h"
#include "files/file_dialogs.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "ui/input.h"

namespace {

constexpr int kListFile = 6;
constexpr std::size_t kNameColumn = 14;  // the name begins after 14 columns
constexpr int kPointListChoice = 2;
constexpr double kSaveWhatGuide = 293;

// Asks what to save: true for the result point list, false for the report copy.
bool PointListChosen(App& app) {
  RtPrintStr(" 1:ﾌﾟﾘﾝﾄﾃﾞｰﾀ   2:入力結果ﾃﾞｰﾀ  1 ", false);
  app.input.GuideNumber = kSaveWhatGuide;
  InputMenuChoice(app);
  const int choice = RtWhole(app.input.AnswerValue);
  if (choice < 0) RtRaise(kErrIllegalArgument);
  return choice == kPointListChoice;
}

void CopyPrintBuffer(App& app) {
  RtFileCopy(PrintBufferPath(app), files::JobFilePath(app, ".TXT"));
}

void WritePointList(App& app) {
  const points::Store& p = app.points;
  RtOpen(kListFile, files::JobFilePath(app, ".DD"), RtFileMode::Output);
  for (int i = 0; i < RtWhole(p.NewPointCount); ++i) {
    const int number = p.NewPointList(i);
    RtPrintToFile(kListFile, files::ResultPointListLine(number, p.PointName(number)));
  }
  RtClose(kListFile);
}

// Chooses the file through the save dialog with `extension` and writes it with
// `write`; the job keeps its name. A cancelled dialog changes nothing.
Jump SaveAs(App& app, const char* extension, void (*write)(App&)) {
  const std::string jobName = app.settings.ZA;
  app.job.FileExtension = extension;
  ShowSaveFileDialog(app);
  if (app.job.ChosenFilePath.empty()) return {ShowResultMenu};
  write(app);
  app.settings.ZA = jobName;
  return {ShowResultMenu};
}

}  // namespace

namespace files {

std::string ResultPointListLine(int pointNumber, std::string_view pointName) {
  std::string line = RtStr(pointNumber) + " ";
  if (line.size() < kNameColumn) line.resize(kNameColumn, ' ');
  return line + std::string(pointName);
}

}  // namespace files

Jump SaveReport(App& app) {
  if (PointListChosen(app)) return SaveAs(app, ".DD", WritePointList);
  return SaveAs(app, ".TXT", CopyPrintBuffer);
}
