#include "fieldbook/input_loop.h"

#include <string>

#include "core/app.h"
#include "core/columns.h"
#include "core/numeric.h"
#include "core/point_names.h"
#include "core/sound.h"
#include "fieldbook/book.h"
#include "fieldbook/book_file.h"
#include "fieldbook/entry.h"
#include "fieldbook/instruments.h"
#include "fieldbook/observation_fields.h"
#include "fieldbook/records.h"
#include "fieldbook/running_height.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

constexpr int kGuideFS = 301;
constexpr int kGuideS = 220;
constexpr int kGuideL = 221;
constexpr int kGuideLevelDistance = 299;
constexpr int kGuideTurningHeight = 222;
constexpr const char* kAutoSaveFile = "krnb.y";

void AutoSave(App& app) {
  app.job.ChosenFilePath = kAutoSaveFile;
  try {
    WriteFieldBookFile(app);
  } catch (const RtError&) {
    RtColor(2);
    RtPrintStr(" krnb.y に保存できません。入力は続けます", true);
    RtColor(7);
  }
}

void ShowPassHeader(App& app) {
  fieldbook::State& f = app.fieldbook;
  RtPrintStr(f.FieldBookRecord(0), true);
  RtPrintStr(f.FieldBookRecord(f.FieldBookCount) + " " + f.FieldBookAttribute(f.FieldBookCount), true);
  RtColor(6);
  RtPrintStr("Next            [[=],@,S,^,L,C,-,*,P,N" + RtStr(f.FieldBookEntryCount) +
                 RtStr(f.FieldBookSessionEntryCount) + RtStr(fieldbook::kRecordCapacity - f.FieldBookCount) + "]",
             true);
}

// The point-name step: the name asked, and unless "P" the observation stored as
// the next record.
Jump StoreWithName(App& app) {
  fieldbook::State& f = app.fieldbook;
  if (!SightFitsRecord(app)) return {ContinueFieldBookInput};
  if (!RoomForRecords(app, 1)) return {ContinueFieldBookInput};
  EnterFieldBookPointName(app);
  if (RtUcase(app.input.Answer) == "P") return {ContinueFieldBookInput};
  f.FieldBookCount += 1;
  f.FieldBookEntryCount += 1;
  f.FieldBookSessionEntryCount += 1;
  app.traverse.FieldBookRecordIndex = f.FieldBookCount;
  StoreFieldBookObservation(app);
  PlaySound(app, "ding.wav");
  f.LastEnteredPointName = app.input.Answer;
  SplitPointName(app);
  return {ContinueFieldBookInput};
}

Jump Measure(App& app) {
  fieldbook::State& f = app.fieldbook;
  if (f.FieldBookMode == 0) {
    MeasureWithTotalStation(app);
    FormatObservationFields(app);
    f.LastSightFailed = TotalStationFailed(app) ? 1 : 0;
    if (f.LastSightFailed == 1) return {ContinueFieldBookInput};
    return StoreWithName(app);
  }
  MeasureWithBarcodeLevel(app);
  f.LastSightFailed = LevelFailed(app) ? 1 : 0;
  if (f.LastSightFailed == 1) return {ContinueFieldBookInput};
  if (f.FieldBookMode == 2) {
    RtPrintStr("S=", false);
    RtPrintNum(f.MeasuredDistance, false);
    app.input.GuideNumber = kGuideLevelDistance;
    InputPointName(app);
    if (!app.input.Answer.empty()) f.MeasuredDistance = app.input.AnswerValue;
  }
  FormatWithLevelSide(app);
  return StoreWithName(app);
}

Jump TypedObservation(App& app) {
  fieldbook::State& f = app.fieldbook;
  if (f.FieldBookMode == 0) {
    f.MeasuredDistance = app.input.AnswerValue;
  } else {
    f.ObservationTargetHeight = app.input.AnswerValue;  // the staff reading
    f.MeasuredDistance = 0;
  }
  f.LastSightFailed = 0;
  EnterObservationValues(app);
  return StoreWithName(app);
}

Jump Note(App& app) {
  fieldbook::State& f = app.fieldbook;
  if (!RoomForRecords(app, 1)) return {ContinueFieldBookInput};
  std::string text;
  RtInputFromWindow("ﾉ-ﾄ=");
  RtInputVars(text);
  // The note is kept whole, commas included.
  f.FieldBookCount += 1;
  f.FieldBookRecord(f.FieldBookCount) = fieldbook::NoteRecord(text);
  f.FieldBookAttribute(f.FieldBookCount) = "";  // no attribute of a dropped record behind it
  PlaySound(app, "ding.wav");
  return {ContinueFieldBookInput};
}

Jump Correct(App& app) {
  fieldbook::State& f = app.fieldbook;
  if (f.LastSightFailed == 1) {
    // The record before a failed measurement is good: it stays.
    RtPrintStr(" 測定に失敗したので訂正できません", true);
    PlaySound(app, "chord.wav");
    return {ContinueFieldBookInput};
  }
  if (f.FieldBookCount == 0) {
    RtPrintStr(" 訂正する記録がありません", true);
    return {ContinueFieldBookInput};
  }
  InputTargetHeightIfNeeded(app);
  FormatObservationFields(app);
  if (!SightFitsRecord(app)) return {ContinueFieldBookInput};
  DeleteLastFieldBookRecord(app);
  f.SuggestedPointName = f.LastStoredName;
  RtPrintStr("ﾃｲｾｲ ", false);
  FormatObservationFields(app);
  return StoreWithName(app);
}

// The display of a pass and its first prompt, whose answer (upper-cased) is
// TargetCommand; false when "C" switched the traverse prompt and the pass starts over.
bool AskFirstPrompt(App& app) {
  fieldbook::State& f = app.fieldbook;
  ui::InputState& in = app.input;
  f.ObservationInstrumentHeight = f.FieldBookInstrumentHeight;
  f.TargetCommand = "Q";
  f.LastPassAnswer = in.Answer;
  NextPointName(app);
  ShowPassHeader(app);
  ComputeLevelRunningHeight(app);
  RtLocate(5, RtCsrlin());
  RtPrintStr(in.Answer, false);
  f.SuggestedPointName = in.Answer;
  if (f.FieldBookMode != 0) {
    RtLocate(21, RtCsrlin());
    RtPrintStr("@,P,E,L,C,-,*    ", true);
    RtColor(5);
    RtLocate(20, RtCsrlin());
    RtPrintStr(f.LevelSideMark + " " + f.RunningHeightText, false);
    RtLocate(0, RtCsrlin());
    in.GuideNumber = kGuideFS;
    RtPrintStr("FS=", false);
    InputPointName(app);
    if (!in.Answer.empty()) f.TargetCommand = RtUcase(in.Answer);
    return true;
  }
  RtPrintStr("", true);
  RtColor(7);
  double& distancePrompt = app.traverse.DistancePromptFlag;
  if (distancePrompt != 1) {
    in.GuideNumber = kGuideS;
    RtPrintStr("S=", false);
    InputPointName(app);
    if (!in.Answer.empty()) f.TargetCommand = RtUcase(in.Answer);
  } else {
    in.GuideNumber = kGuideL;
    RtPrintStr("L=", false);
    InputPointName(app);
    f.VerticalAngleText = "";  // no target height follows a horizontal distance
    f.TargetCommand = RtUcase(in.Answer);
  }
  if (f.TargetCommand != "C") return true;
  distancePrompt = distancePrompt == 1 ? 0 : 1;
  return false;
}

}  // namespace

Jump FieldBookInput(App& app) {
  fieldbook::State& f = app.fieldbook;
  app.traverse.FieldBookRecordIndex = f.FieldBookCount;
  ChooseFieldBookMode(app);
  f.FieldBookCount += 1;
  f.FieldBookSessionEntryCount = 0;
  return {ContinueFieldBookInput};
}

Jump ContinueFieldBookInput(App& app) {
  fieldbook::State& f = app.fieldbook;
  ui::InputState& in = app.input;
  AutoSave(app);
  if (!AskFirstPrompt(app)) return {ContinueFieldBookInput};
  RtColor(7);
  const std::string& command = f.TargetCommand;
  if (command == "@" || command == "S" || command == "^") return Measure(app);
  if (command == "N") return Note(app);
  if (command.ends_with("=")) {
    f.NameSearchKey = in.Answer;
    SearchFieldBookName(app);
    return {ContinueFieldBookInput};
  }
  if (command == "C" && f.FieldBookMode == 2) {
    f.LevelSideMark = f.LevelSideMark == "[R]" ? "[L]" : "[R]";
    return {ContinueFieldBookInput};
  }
  if (command == "-") {
    if (DeleteLastFieldBookRecord(app)) RtPrintStr("ﾏｴﾉﾃﾝｹｼﾏｼﾀ", true);
    return {ContinueFieldBookInput};
  }
  if (command == "L") {
    ListFieldBookRecords(app);
    return {ContinueFieldBookInput};
  }
  if (command == "P" || command == "E") {
    app.traverse.FieldBookRecordIndex = f.FieldBookCount;
    if (f.FieldBookMode == 0) {
      TraverseTurningPoint(app);
    } else {
      LevelTurningPoint(app);
    }
    return {ContinueFieldBookInput};
  }
  if (command == "*") return Correct(app);
  if (command == "Q") return {FieldBookMenu};
  return TypedObservation(app);
}

bool DeleteLastFieldBookRecord(App& app) {
  fieldbook::State& f = app.fieldbook;
  if (f.FieldBookCount <= 0) {
    RtPrintStr(" 削除する記録がありません", true);
    PlaySound(app, "chord.wav");
    return false;
  }
  f.FieldBookCount -= 1;
  app.shell.PointNameNumber -= 1;
  if (f.FieldBookEntryCount > 0) f.FieldBookEntryCount -= 1;
  if (f.FieldBookSessionEntryCount > 0) f.FieldBookSessionEntryCount -= 1;
  return true;
}

void TraverseTurningPoint(App& app) {
  fieldbook::State& f = app.fieldbook;
  if (f.FieldBookCount <= 0) {
    RtPrintStr(" 盛り替える観測がありません", true);
    return;
  }
  if (f.FieldBookInstrumentHeight != 0) {
    app.input.GuideNumber = kGuideTurningHeight;
    RtPrintStr("ﾀ-ﾝﾃﾝ I=", false);
    InputPointName(app);
    f.FieldBookInstrumentHeight = app.input.AnswerValue;
    f.ObservationTargetHeight = f.FieldBookInstrumentHeight;
  }
  const double last = app.traverse.FieldBookRecordIndex;
  f.FieldBookRecord(last) = fieldbook::TurningRecord(f.FieldBookRecord(last), f.FieldBookInstrumentHeight);
  f.FieldBookRecord(0) =
      f.LastPassAnswer + "   " + f.FieldBookStationName + "   " + Format3Decimals(f.FieldBookInstrumentHeight);
  f.FieldBookStationName = f.LastPassAnswer;
  PlaySound(app, "ding.wav");
}

void LevelTurningPoint(App& app) {
  fieldbook::State& f = app.fieldbook;
  if (!RoomForRecords(app, 1)) return;
  f.LevelBacksightName = f.LastEnteredPointName;
  RtPrintStr(f.LevelBacksightName, false);
  EnterLevelBacksight(app);
  f.FieldBookCount += 1;
  f.FieldBookEntryCount += 1;
  f.FieldBookSessionEntryCount += 1;
  app.traverse.FieldBookRecordIndex = f.FieldBookCount;
  if (f.TargetCommand != "E") return;
  // "E" rewrites only the run's own record, when the book still holds it there.
  const double start = f.LevelRunStart - 1;
  if (start >= 1 && start < f.FieldBookCount && fieldbook::IsLevelRunRecord(f.FieldBookRecord(start))) {
    f.FieldBookRecord(start) =
        fieldbook::EndedLevelRunRecord(f.FieldBookRecord(start), fieldbook::LevelName(f.FieldBookRecord(f.FieldBookCount - 1)));
  }
  f.LevelSuggestion1 = f.LevelSuggestion3;
}
