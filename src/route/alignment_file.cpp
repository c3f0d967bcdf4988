#include "route/alignment_file.h"

#include <array>
#include <cmath>
#include <string>

#include "core/app.h"
#include "files/coordinate_management.h"
#include "files/file_dialogs.h"
#include "files/line_file.h"
#include "route/route_menu.h"
#include "runtime/console.h"
#include "ui/input.h"

namespace {

// The job name the menu found is put back by every item: neither dialog
// renames the job.
Jump BackToRouteMenu(App& app) {
  app.settings.ZA = app.route.SavedJobName;
  return {RouteMenu};
}

constexpr std::array<Entry, 3> kChoices = {WriteRouteFile, ReadRouteFile, EditRouteFile};

}  // namespace

Jump AlignmentFileMenu(App& app) {
  app.job.FileExtension = ".RSN";
  app.route.SavedJobName = app.settings.ZA;
  RtPrintStr(" 線形ﾌｧｲﾙ 1:ｶｷｺﾐ  2:ﾖﾐｺﾐ  3:ｴﾃﾞｨﾀ ", false);
  app.input.GuideNumber = 282;
  InputMenuChoice(app);
  app.job.FileMenuChoice = app.input.AnswerValue;
  const double rounded = std::round(app.job.FileMenuChoice);
  if (rounded >= 1 && rounded <= static_cast<double>(kChoices.size())) {
    return {kChoices[static_cast<std::size_t>(rounded) - 1]};
  }
  return BackToRouteMenu(app);
}

Jump WriteRouteFile(App& app) {
  ShowSaveFileDialog(app);
  if (!app.job.ChosenFilePath.empty()) {
    OpenOutputFileFresh(app);
    WriteRouteAndProfileRecords(app);
  }
  return BackToRouteMenu(app);
}

Jump ReadRouteFile(App& app) {
  ShowOpenFileDialog(app);
  if (!app.job.ChosenFilePath.empty()) {
    LoadRouteFile(app, app.shell.JobFolder + app.settings.ZA + ".RSN");
  }
  return BackToRouteMenu(app);
}

Jump EditRouteFile(App& app) {
  OpenFileInEditor(app);
  app.settings.ZA = app.route.SavedJobName;
  return {AlignmentFileMenu};
}
