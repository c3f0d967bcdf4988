#include "transfer/link.h"

#include <cmath>
#include <string>

#include "core/app.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "core/sound.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/folders.h"
#include "runtime/numtext.h"
#include "runtime/serial.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace transfer {

namespace {

constexpr double kDefaultSpeed = 9600;
// The 2-second pause of the failure report, in units of 10 ms.
constexpr double kFailurePause = 200;
const std::string kFullWidthBlank = "\x81\x40";

// `text` without half- and full-width blanks at either end.
std::string TrimBlanks(std::string_view text) {
  std::string t = RtTrim(text);
  for (;;) {
    if (t.starts_with(kFullWidthBlank)) {
      t = RtTrim(t.substr(2));
    } else {
      const std::string trimmed = TrimTrailingBlanks(t);
      if (trimmed.size() == t.size()) return t;
      t = RtTrim(trimmed);
    }
  }
}

}  // namespace

std::string LinkDeviceString(double cox) {
  return "COM" + std::to_string(static_cast<long long>(std::llround(cox)) - 1) +
         std::string(kLinkOptions);
}

double FieldNumber(std::string_view text) {
  const std::string t = TrimBlanks(text);
  return RtVal(t + (t.find('.') != std::string::npos ? "000000" : ".000000"));
}

std::string ReceivedPointName(const std::string& name) {
  std::string normal = NormalizedPointName(name);
  if (normal.empty() && name.find('0') != std::string::npos &&
      RtTrim(name).find_first_not_of('0') == std::string::npos) {
    normal = "0";
  }
  return normal;
}

}  // namespace transfer

std::string ChooseSideFile(App& app, void (*dialog)(App&), std::string_view extension) {
  const std::string jobName = app.settings.ZA;
  const std::string jobFolder = app.shell.JobFolder;
  const std::string jobExtension = app.job.FileExtension;
  const std::string workingFolder = RtCurDir();
  app.job.FileExtension = std::string(extension);
  try {
    dialog(app);
  } catch (...) {
    app.job.FileExtension = jobExtension;
    throw;
  }
  const std::string path = app.job.ChosenFilePath;
  app.settings.ZA = jobName;
  app.shell.JobFolder = jobFolder;
  app.job.FileExtension = jobExtension;
  if (RtCurDir() != workingFolder) RtChdir(workingFolder);
  return path;
}

void OpenTransferPort(App& app) {
  ui::InputState& in = app.input;
  double speed = transfer::kDefaultSpeed;
  RtPrintStr("ｽﾋﾟ-ﾄﾞ [300,600,1200,2400,4800,9600]", false);
  RtPrintNum(speed, false);
  RtPrintStr(" ", false);
  in.GuideNumber = 150;
  InputPointName(app);
  if (!in.Answer.empty()) speed = in.AnswerValue;
  RtPrintStr("OK=[Y,N]Y ", false);
  in.GuideNumber = 17;
  InputPointName(app);
  if (RtUcase(in.Answer) == "N") JumpTo(EntryOf(Routines().TransferMenu));
  const double cox = app.settings.COX;
  if (cox < 1 || cox > 5) RtRaise(kErrIllegalArgument);
  RtComSpeed(static_cast<int>(std::llround(cox)) - 1, static_cast<int>(std::llround(speed)));
  // A failure left over from an earlier exchange is no failure of this one.
  app.shell.CommFailureFlag = 0;
  RtClose(transfer::kTransferPort);
  RtOpen(transfer::kTransferPort, transfer::LinkDeviceString(cox), RtFileMode::Input);
}

void CheckCommFailure(App& app) {
  if (app.shell.CommFailureFlag != 1) return;
  PlaySound(app, "chord.wav");
  RtColor(6);
  RtPrintStr("", true);
  RtPrintStr("  通信に失敗しました", true);
  RtWait(transfer::kFailurePause);
  PlaySound(app, "ding.wav");
  RtColor(7);
  RtClose(transfer::kTransferPort);
  app.shell.CommFailureFlag = 0;
  Call(Routines().ArmMainErrorHandler, app);
  JumpTo(EntryOf(Routines().RepeatLastCommand));
}

void ReadLinkLine(App& app, std::string& line) {
  if (!RtLineInputVar(transfer::kTransferPort, line)) app.shell.CommFailureFlag = 1;
}

bool LinkHasMore(bool lines) {
  return RtComAwait(transfer::kTransferPort, transfer::kQuietPeriodMs, lines);
}

PointReceiver::PointReceiver(App& app)
    : app_(app), first_(static_cast<int>(std::llround(app.transfer.RegistrationNumber))) {}

bool PointReceiver::Room() {
  const double n = std::round(app_.transfer.RegistrationNumber);
  if (n >= 1 && n <= app_.points.PointCapacity) return true;
  RtColor(2);
  RtPrintStr(" 点番 9999 を超えるので,ここで受信を終わります", true);
  RtColor(7);
  return false;
}

void PointReceiver::Store(const std::string& name, double x, double y, double z,
                          const std::string& attribute) {
  points::Store& p = app_.points;
  const int n = static_cast<int>(std::llround(app_.transfer.RegistrationNumber));
  p.PointName(n) = name;
  p.PointX(n) = x;
  p.PointY(n) = y;
  p.PointZ(n) = z;
  p.PointAttribute(n) = attribute;
  if (n > p.PointCount) p.PointCount = n;
  last_ = n;
  app_.transfer.RegistrationNumber = n + 1;
}

void PointReceiver::Finish() {
  RtClose(transfer::kTransferPort);
  points::Store& p = app_.points;
  for (int n = first_; n <= last_; ++n) p.PointName(n) = transfer::ReceivedPointName(p.PointName(n));
  PlaySound(app_, "chimes.wav");
  app_.input.Answer = p.PointName(p.PointCount);
  SplitPointName(app_);
  JumpTo(EntryOf(Routines().PlotAllPoints));
}
