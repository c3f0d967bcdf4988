#include "fieldbook/instruments.h"

#include <string>

#include "core/app.h"
#include "core/columns.h"
#include "core/numeric.h"
#include "core/sound.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/serial.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

using fieldbook::kPortFile;
constexpr const char* kLevelFormat = ":(f8n2X8,RD15000)";
constexpr const char* kMeasureFormat = ":(f8n2X8,RD20000)";
constexpr const char* kShortFormat = ":(f8n2X8,RD5000)";
const std::string kNul(1, '\0');
const std::string kDc1 = "\x11";
const std::string kDc2 = "\x12";
const std::string kDc3 = "\x13";

// Opens the instrument port as file 3 at 1200 baud with one of the formats. A
// port left open by a conversation that was cut short is closed first.
void OpenPort(App& app, const char* format) {
  const int index = static_cast<int>(app.settings.COX) - 1;
  RtClose(kPortFile);
  RtComSpeed(index, 1200);
  RtOpen(kPortFile, "COM" + std::to_string(index) + format, RtFileMode::Input);
}

// Reads one reply; a reply that does not come in time marks the conversation as
// failed and leaves the text as it was.
void ReadReply(App& app, std::string& text, bool wholeLine) {
  const bool read = wholeLine ? RtLineInputVar(kPortFile, text) : RtInputVars(kPortFile, text);
  if (!read) app.shell.CommFailureFlag = 1;
}

void SayFailed(const char* text) {
  RtColor(2);
  RtPrintStr(text, true);
  RtColor(7);
}

}  // namespace

namespace fieldbook {

TotalStationReading ParseTotalStationReply(const std::string& reply) {
  return {RtVal(columns::Columns(reply, 1, 8)) / 1000, RtVal(columns::Columns(reply, 9, 16)) / 10000,
          RtVal(columns::Columns(reply, 17, 24)) / 10000};
}

LevelReading ParseLevelReply(const std::string& reply) {
  LevelReading reading;
  reading.staff = RtVal(columns::Columns(reply, 4, 12));
  const std::size_t comma = reply.find(',');
  if (comma != std::string::npos) reading.distance = RoundTo6Decimals(RtVal(reply.substr(comma + 1, 9)));
  return reading;
}

}  // namespace fieldbook

bool TotalStationFailed(const App& app) {
  const fieldbook::State& f = app.fieldbook;
  const std::string& reply = f.RecordBuffer(0);
  return f.MeasuredVerticalAngle == 0 || columns::Columns(reply, 1, 1) == "E" ||
         columns::Columns(reply, 17, 17) == "E" || app.shell.CommFailureFlag == 1;
}

bool AngleReadingFailed(const App& app) {
  const fieldbook::State& f = app.fieldbook;
  return app.shell.CommFailureFlag == 1 || f.RecordBuffer(0).find('E') != std::string::npos ||
         f.ObservedVerticalAngle == 0;
}

bool LevelFailed(const App& app) {
  return columns::Columns(app.fieldbook.LevelReply, 4, 4) == "E" || app.shell.CommFailureFlag == 1;
}

void QueryDigitalLevel(App& app) {
  fieldbook::State& f = app.fieldbook;
  app.shell.CommFailureFlag = 0;
  OpenPort(app, kLevelFormat);
  RtPrintToFile(kPortFile, "LM");
  ReadReply(app, f.LevelReply, true);
  RtColor(4);
  RtPrintStr(f.LevelReply, true);
  RtColor(7);
  const fieldbook::LevelReading reading = fieldbook::ParseLevelReply(f.LevelReply);
  f.ObservationTargetHeight = reading.staff;
  f.MeasuredDistance = f.FieldBookMode == 1 ? 0 : reading.distance;
  RtClose(kPortFile);
}

void MeasureWithBarcodeLevel(App& app) {
  RtPrintStr("  ﾊﾞ-ｺ-ﾄﾞｶﾝｿｸﾁｭｳ (=_*)  ", false);
  app.traverse.DistancePromptFlag = 0;
  QueryDigitalLevel(app);
  if (LevelFailed(app)) {
    RtColor(2);
    RtPrintStr(" 　　ｼｯﾊﾟｲｼﾏｼﾀ(^o~;)>", false);
    PlaySound(app, "chord.wav");
    RtColor(7);
  }
}

void ReopenTotalStationPort(App& app) {
  fieldbook::State& f = app.fieldbook;
  OpenPort(app, kMeasureFormat);
  f.StopCode = kDc2;
  f.TriggerCode = f.TargetCommand == "S" ? kNul : kDc1;
}

void OpenTotalStationPort(App& app) {
  app.shell.CommFailureFlag = 0;
  ReopenTotalStationPort(app);
}

void MeasureWithTotalStation(App& app) {
  fieldbook::State& f = app.fieldbook;
  RtPrintStr("  ｺｳﾊ ﾊｯｼﾝﾁｭｳ (*_*)", false);
  if (f.TargetCommand == "^") {
    RtColor(6);
    RtPrintStr("          定数 0mm で観測(-30mmのとき)", true);
    RtColor(7);
  } else {
    RtPrintStr("", true);
  }
  app.traverse.DistancePromptFlag = 0;
  OpenTotalStationPort(app);
  RtPrintToFile(kPortFile, f.TriggerCode);
  ReadReply(app, f.RecordBuffer(0), false);
  RtPrintToFile(kPortFile, f.StopCode);
  RtClose(kPortFile);
  RtPrintStr(f.RecordBuffer(0), true);

  const fieldbook::TotalStationReading reading = fieldbook::ParseTotalStationReply(f.RecordBuffer(0));
  f.MeasuredDistance = reading.distance;
  f.MeasuredVerticalAngle = reading.vertical;
  f.MeasuredHorizontalAngle = reading.horizontal;
  f.VerticalAngleText = columns::Columns(f.RecordBuffer(0), 9, 16);
  // The prism of constant -30 mm measured with the constant set to 0.
  if (f.TargetCommand == "^") f.MeasuredDistance += 0.03;

  if (TotalStationFailed(app)) {
    SayFailed("ｼｯﾊﾟｲｼﾏｼﾀ (^o^;)");
    ReopenTotalStationPort(app);
    RtPrintToFile(kPortFile, f.StopCode);
    RtClose(kPortFile);
    PlaySound(app, "chord.wav");
    return;
  }
  if (f.TargetCommand == "S") {
    RtPrintStr("[ﾔﾒﾙ=P] S=", false);
    InputPointName(app);
    f.MeasuredDistance = app.input.AnswerValue;
    if (RtUcase(app.input.Answer) == "P") {
      f.MeasuredVerticalAngle = 0;
      return;
    }
  }
  InputTargetHeightIfNeeded(app);
}

void ReadInstrumentAngles(App& app) {
  fieldbook::State& f = app.fieldbook;
  OpenPort(app, kShortFormat);
  RtPrintToFile(kPortFile, kNul);
  ReadReply(app, f.RecordBuffer(0), false);
  RtClose(kPortFile);
  const fieldbook::TotalStationReading reading = fieldbook::ParseTotalStationReply(f.RecordBuffer(0));
  f.ObservedVerticalAngle = reading.vertical;
  f.TargetHorizontalAngle = reading.horizontal;
}

void SendTotalStationStop(App& app) {
  OpenPort(app, kShortFormat);
  RtPrintToFile(kPortFile, app.fieldbook.StopCode);
  RtClose(kPortFile);
}

void SendTrackingEnd(App& app) {
  OpenPort(app, kShortFormat);
  RtPrintToFile(kPortFile, kDc3);
  RtPrintToFile(kPortFile, app.fieldbook.StopCode);
  RtClose(kPortFile);
}
