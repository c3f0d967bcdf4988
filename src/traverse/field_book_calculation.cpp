#include "traverse/field_book_calculation.h"

#include <string>

#include "cogo/base_inputs.h"
#include "cogo/return_to_menu.h"
#include "core/app.h"
#include "core/columns.h"
#include "core/constants.h"
#include "core/sound.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "traverse/calculation_setup.h"
#include "traverse/closure.h"
#include "traverse/field_book_observation.h"
#include "traverse/levelling_calculation.h"
#include "traverse/new_point_start.h"
#include "traverse/record_parsing.h"
#include "traverse/report_columns.h"
#include "traverse/station_setup.h"
#include "ui/input.h"

namespace {

constexpr int kGuideKind = 20;
constexpr int kGuideLevellingOnce = 304;
constexpr int kGuideLevellingRun = 322;
constexpr int kGuideStation = 208;
constexpr int kGuideZeroDirection = 269;
// The continuous kind's levelling choice 1 (no registration), once answered.
constexpr double kNoRegistrationAnswered = 1.1;

const std::string& RecordAtCursor(const App& app) {
  return app.fieldbook.FieldBookRecord(RtWhole(app.traverse.FieldBookRecordIndex));
}

// The value of a kind digit 1-9, 0 for any other first character.
double KindDigitOf(const std::string& kind) {
  return kind.size() == 1 && kind[0] >= '1' && kind[0] <= '9' ? kind[0] - '0' : 0;
}

// A station's or run's menu; a negative answer passes the records over as 0 does.
double AskMenu(App& app, const char* prompt, int guide) {
  RtPrintStr(prompt, false);
  app.input.GuideNumber = guide;
  InputMenuChoice(app);
  return app.input.AnswerValue < 0 ? 0 : app.input.AnswerValue;
}

void ResetLevellingRun(App& app) {
  traverse::State& t = app.traverse;
  t.MillimetreFactor = 1000;
  t.EvenRoundingFactor = 500;
  t.LevellingPassCounter = 0;
  t.LevellingPass = 0;
  t.PreviousLevelHeight = 0;
  t.LevellingRunLabel = "往路";
}

// A levelling run start: its state reset and its registration menu. The
// continuous kind asks once for all its runs; a run passed over with 0 asks
// again at the next run, so that one answer never passes the rest of the book.
void StartLevellingRun(App& app) {
  traverse::State& t = app.traverse;
  ResetLevellingRun(app);
  app.fieldbook.FieldBookMode = 1;
  if (t.CalculationKind == 1) {
    if (t.LevellingRegistrationChoice == 0) {
      const double choice =
          AskMenu(app, "計算  1:登録無し  2:ｲﾝﾎﾟｰﾄ  3:XY登録  4:XZ登録 1", kGuideLevellingOnce);
      t.LevellingRegistrationChoice = app.input.Answer.empty() ? 1 : choice;
      if (t.LevellingRegistrationChoice == 1) t.LevellingRegistrationChoice = kNoRegistrationAnswered;
      // A 0 passes this run only.
      t.RegistrationChoice = t.LevellingRegistrationChoice;
      return;
    }
    t.RegistrationChoice = t.LevellingRegistrationChoice;
    return;
  }
  // Every other kind asks at each run.
  t.RegistrationChoice = 0;
  t.RegistrationChoice = AskMenu(app, "計算  1:ｽﾙ  2:ｲﾝﾎﾟｰﾄ  3:XY登録  4:XZ登録  ENT:ﾊﾟｽ ", kGuideLevellingRun);
  if (t.RegistrationChoice >= 3) AskNewPointStartNumber(app);
}

// A traverse station: the traverse input mode in every kind, so that its
// sights are never read as levelling fore sights; the station menu in the
// single and manual kinds; the continuous kind computes every block.
void StartTraverseStation(App& app) {
  traverse::State& t = app.traverse;
  app.fieldbook.FieldBookMode = 0;
  if (t.CalculationKind == 1) {
    t.RegistrationChoice = 1;
    return;
  }
  if (t.CalculationKind != 2 && t.CalculationKind != 3) return;
  t.RegistrationChoice = 0;
  t.ZeroDirectionAngle = 0;
  t.RegistrationChoice = AskMenu(app, "計算  1:ｽﾙ  2:H-h  ENT:ﾊﾟｽ ", kGuideStation);
  app.fieldbook.FieldBookBacksightName = t.ParsedBacksightName + " ";
}

void RunStationStep(App& app) {
  const double kind = app.traverse.CalculationKind;
  if (kind == 1) RunContinuousCalculation(app);
  if (kind == 2) RunSingleCalculation(app);
  if (kind == 3) RunManualStation(app);
}

void LevellingReading(App& app) {
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  std::string reading = columns::Columns(RecordAtCursor(app), 20, 27);
  std::erase(reading, ' ');
  t.StaffReading = RtVal(reading);
  if (t.FieldBookRecordKind == "^") {
    t.CollimationHeight = p.WorkPointZ + t.StaffReading;
    ComputeLevellingFieldBook(app);
  } else if (t.FieldBookRecordKind == "'") {
    p.WorkPointZ = t.CollimationHeight - t.StaffReading;
    t.LevelDifference = p.WorkPointZ - t.PreviousLevelHeight;
    t.PreviousLevelHeight = p.WorkPointZ;
    ComputeLevellingFieldBook(app);
  }
}

// One record at the cursor.
void WalkRecord(App& app) {
  traverse::State& t = app.traverse;
  const fieldbook::State& f = app.fieldbook;
  GetRecordTypeChar(app);
  ShowStationRecord(app);
  const std::string& kind = t.FieldBookRecordKind;
  const double digit = KindDigitOf(kind);
  if (digit >= 1) {
    // Every kind record names the kind of the block that follows, so that an
    // open or radiation block after a closed one is not closed as that one.
    t.TraverseKind = digit;
    t.TraverseInputKind = digit;
    return;
  }
  const bool runStart = kind == "*" && RtMid(RecordAtCursor(app), 2, 1) == "_";
  if (runStart) StartLevellingRun(app);
  if (kind == "*" && !runStart) StartTraverseStation(app);
  if (t.RegistrationChoice == 0) return;
  if (t.RegistrationChoice == 2 && f.FieldBookMode == 0) {
    RtPrintStr("0°方向角度＝", false);
    app.input.GuideNumber = kGuideZeroDirection;
    InputPointName(app);
    t.ZeroDirectionAngle = app.input.AnswerValue;
    t.RegistrationChoice = 1;
  }
  if (runStart) {
    ParseHeightField(app);
    return;
  }
  if (kind == "*") {
    RunStationStep(app);
    return;
  }
  if (kind == "N") {
    RtPrintToFile(core::kPrintBuffer, RecordAtCursor(app));
    return;
  }
  if (f.FieldBookMode == 1) {
    if (kind == "^" || kind == "'") {
      LevellingReading(app);
      return;
    }
  }
  if (kind == "'") {
    app.shell.HeightLabel = "H=";
    ProcessFieldBookObservation(app);
  } else if (kind == "T") {
    app.shell.HeightLabel = "h=";
    ProcessFieldBookObservation(app);
  }
}

}  // namespace

Jump FieldBookCalculation(App& app) {
  app.output.ReportTitle = "電子野帳計算";
  return StartFieldBookCalculation(app);
}

Jump StartFieldBookCalculation(App& app) {
  traverse::State& t = app.traverse;
  t.RegistrationChoice = t.CalculationKind = t.PrintModeAsked = 0;
  t.TraverseInputKind = t.TraverseKind = t.ClosurePass = 0;
  t.LevellingRegistrationChoice = 0;
  app.fieldbook.VerticalAngleText = " ";
  ResetPrintBuffer(app);
  RtPrintStr("計算 1:連続  2:単独  3:手動 ", false);
  app.input.GuideNumber = kGuideKind;
  InputMenuChoice(app);
  t.CalculationKind = app.input.AnswerValue;
  if (t.CalculationKind == 1) {
    AskNewPointStartNumber(app);
    t.RegistrationChoice = 1;
  }
  if (t.CalculationKind == 0) return ReturnToCallingMenu(app);
  t.DistancePromptFlag = 0;
  t.FieldBookRecordLimit = app.fieldbook.FieldBookCount;
  // A counted loop: record 1 is walked even in an empty book.
  t.FieldBookRecordIndex = 1;
  for (;;) {
    WalkRecord(app);
    t.FieldBookRecordIndex += 1;
    if (t.FieldBookRecordIndex > t.FieldBookRecordLimit) break;
  }
  RtPrintStr("ｹｲｻﾝ ｵﾜﾘ", true);
  PlaySound(app, "chimes.wav");
  return ReturnToCallingMenu(app);
}

namespace {

// Where the block's report begins, so that a refused closure can take it out.
void NoteBlockReportStart(App& app) { app.traverse.BlockReportStart = static_cast<double>(RtLof(core::kPrintBuffer)); }

}  // namespace

void RunContinuousCalculation(App& app) {
  NoteBlockReportStart(app);
  SetUpCalculationReport(app);
  if (app.traverse.RegistrationChoice == 0) return;  // no station: passed over
  ComputeFieldBookClosure(app);
}

void RunSingleCalculation(App& app) {
  NoteBlockReportStart(app);
  SetUpCalculationReport(app);
  if (app.traverse.RegistrationChoice == 0) return;
  AskNewPointStartNumber(app);
  ComputeFieldBookClosure(app);
}

void RunManualStation(App& app) {
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  // The record's instrument height, offered by the height question.
  const double recordHeight = app.fieldbook.ObservationInstrumentHeight;
  // The set-up leaves the station's number; an abandoned station leaves none.
  const double previousStation = p.StationPointNumber;
  p.StationPointNumber = -1;
  InputBasePoint(app);
  if (p.StationPointNumber == -1) {
    p.StationPointNumber = previousStation;
    PassBlockOver(app);
    return;
  }
  app.fieldbook.ObservationInstrumentHeight = recordHeight;
  InputInstrumentHeight(app);
  t.StationPointZ = t.ObservationStationHeight;
  t.ReportStationName = p.FromPointName;
  PrintCalculationStationHeader(app);
}
