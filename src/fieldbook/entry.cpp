#include "fieldbook/entry.h"

#include <cmath>
#include <string>

#include "core/app.h"
#include "core/columns.h"
#include "core/control.h"
#include "core/numeric.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "core/sound.h"
#include "fieldbook/book.h"
#include "fieldbook/browser.h"
#include "fieldbook/instruments.h"
#include "fieldbook/observation_fields.h"
#include "fieldbook/records.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

constexpr int kGuideMode = 300;
constexpr int kGuideStartName = 296;
constexpr int kGuideStartHeight = 297;
constexpr int kGuideBacksight = 298;
constexpr int kGuideLevelDistance = 299;
constexpr int kGuideStation = 223;
constexpr int kGuideBack = 224;
constexpr int kGuideInstrumentHeight = 237;
constexpr int kGuideVertical = 230;
constexpr int kGuideHorizontal = 225;
constexpr int kGuideName = 226;
constexpr int kGuidePointInfo = 227;
constexpr int kGuideLineType = 228;
constexpr int kGuideSupplement = 229;
constexpr int kMaxNameBytes = 8;
// The vertical angle of a sight typed without one, and of a cross-section sight
// whose "V=" answer was its target height (single-precision constants).
const double kNoVerticalAngle = double(90.00001f);
const double kCrossSectionVerticalAngle = double(90.0001f);
// The back-sight text of a station without back-sight: cross-section sights.
const std::string kCrossSection = "ｵｳﾀﾞﾝ";

void Ask(App& app, const std::string& prompt, int guide) {
  RtPrintStr(prompt, false);
  app.input.GuideNumber = guide;
  InputPointName(app);
}

void SayValueTooWide(App& app) {
  RtColor(2);
  RtPrintStr(" 値が記録の桁に入りません。記録しません", true);
  RtColor(7);
  PlaySound(app, "chord.wav");
}

// The windows of a level reading as the readers take them: the distance's last
// 7 columns, the staff reading's columns 20-27.
bool LevelValuesFit(double distance, double reading) {
  return columns::DecimalWindowFits(distance, 3, 7) && columns::DecimalWindowFits(reading, 2, 7);
}

// The set-up's display line (record 0) stands ready as the next record, with no
// attribute yet; the ding says the set-up is taken.
void PlaceDisplayLineAsNextRecord(App& app) {
  fieldbook::State& f = app.fieldbook;
  const double next = app.traverse.FieldBookRecordIndex + 1;
  f.FieldBookRecord(next) = f.FieldBookRecord(0);
  f.FieldBookAttribute(next) = "";
  PlaySound(app, "ding.wav");
}

}  // namespace

void ChooseFieldBookMode(App& app) {
  fieldbook::State& f = app.fieldbook;
  f.LevelSideMark = "[R]";
  for (;;) {
    RtPrintStr("  0:トラバース   1:レベル   2:レベル＋Ｓ ", false);
    RtPrintNum(f.FieldBookMode, false);
    app.input.GuideNumber = kGuideMode;
    InputMenuChoice(app);
    if (app.input.Answer.empty()) break;
    const double mode = app.input.AnswerValue;
    if (mode == 0 || mode == 1 || mode == 2) {
      f.FieldBookMode = mode;
      break;
    }
    RtPrintStr(" 0, 1, 2 のどれかを入れて下さい", true);
  }
  if (!RoomForRecords(app, f.FieldBookMode == 0 ? 1 : 2)) JumpTo(FieldBookMenu);
  if (f.FieldBookMode == 0) {
    SetUpFieldBookStation(app);
  } else {
    SetUpLevelRun(app);
  }
}

void SetUpLevelRun(App& app) {
  fieldbook::State& f = app.fieldbook;
  points::Store& p = app.points;
  f.NameColumn = 2;
  f.LevelStartHeight = 0;
  RtPrintStr("BSﾃﾝﾒｲ=", false);
  app.input.GuideNumber = kGuideStartName;
  InputText(app);
  f.LevelBacksightName = app.input.Answer;
  if (app.input.Answer.empty()) JumpTo(EntryOf(Routines().RepeatLastCommand));
  for (double i = 1; i <= p.PointCount; ++i) {
    if (p.PointName(i) == app.input.Answer) {
      f.LevelStartHeight = RoundTo4Decimals(p.PointZ(i));
      break;
    }
  }
  Ask(app, "仮標高=" + RtNumText(f.LevelStartHeight), kGuideStartHeight);
  if (!app.input.Answer.empty()) f.LevelStartHeight = app.input.AnswerValue;
  f.LevelRunStart = f.FieldBookCount + 2;
  f.FieldBookCount += 1;
  app.traverse.FieldBookRecordIndex = f.FieldBookCount;
  f.FieldBookRecord(f.FieldBookCount) = fieldbook::LevelRunRecord(f.LevelBacksightName, f.LevelStartHeight);
  f.FieldBookAttribute(f.FieldBookCount) = "";
  RtPrintStr(f.LevelBacksightName, false);
  EnterLevelBacksight(app);
}

void EnterLevelBacksight(App& app) {
  fieldbook::State& f = app.fieldbook;
  for (;;) {
    f.MeasuredDistance = 0;
    const int row = RtCsrlin();
    RtLocate(27, row);
    RtPrintStr("[ﾊﾞ-ｺ-ﾄﾞ= @ ]", false);
    RtLocate(10, row);
    Ask(app, "BS=", kGuideBacksight);
    f.ObservationTargetHeight = app.input.AnswerValue;  // the staff reading
    if (app.input.Answer == "@") {
      MeasureWithBarcodeLevel(app);
      if (LevelFailed(app)) continue;
    }
    if (f.FieldBookMode == 2) {
      Ask(app, "S=" + RtNumText(f.MeasuredDistance), kGuideLevelDistance);
      if (!app.input.Answer.empty()) f.MeasuredDistance = app.input.AnswerValue;
    }
    if (!LevelValuesFit(f.MeasuredDistance, f.ObservationTargetHeight)) {
      SayValueTooWide(app);
      continue;
    }
    break;
  }
  FormatObservationFields(app);
  f.FieldBookRecord(0) =
      fieldbook::LevelReadingRecord("^", f.LevelBacksightName, f.DistanceColumn, f.ObservationHeightField);
  PlaceDisplayLineAsNextRecord(app);
}

void SetUpFieldBookStation(App& app) {
  fieldbook::State& f = app.fieldbook;
  f.NameColumn = 36;
  RtPrintStr("ｷｼﾞｭﾝﾃﾝ=", false);
  app.input.GuideNumber = kGuideStation;
  InputText(app);
  f.TypedStationName = app.input.Answer;
  SplitPointName(app);
  RtPrintStr("ﾊﾞｯｸ=", false);
  app.input.GuideNumber = kGuideBack;
  InputText(app);
  f.FieldBookBacksightName = app.input.Answer;
  if (app.input.AnswerValue != 0) f.FieldBookBacksightName = " " + f.FieldBookBacksightName;
  if (app.input.Answer.empty()) f.FieldBookBacksightName = kCrossSection;
  for (;;) {
    Ask(app, "ｷｶｲﾀﾞｶ=", kGuideInstrumentHeight);
    f.FieldBookInstrumentHeight = app.input.AnswerValue;
    f.InstrumentHeightText = Format3Decimals(f.FieldBookInstrumentHeight);
    if (f.InstrumentHeightText.size() <= 7) break;
    SayValueTooWide(app);
  }
  f.ObservationTargetHeight = f.FieldBookInstrumentHeight;
  f.FieldBookStationName = columns::PadTo(f.TypedStationName, 17);
  f.FieldBookBacksightName = columns::PadTo(f.FieldBookBacksightName, 17);
  f.InstrumentHeightText = columns::PadTo(f.InstrumentHeightText, 7);
  f.FieldBookRecord(0) = fieldbook::StationRecord(f.TypedStationName, f.FieldBookBacksightName, f.InstrumentHeightText);
  PlaceDisplayLineAsNextRecord(app);
}

void EnterObservationValues(App& app) {
  fieldbook::State& f = app.fieldbook;
  if (f.FieldBookMode == 1) {
    FormatObservationFields(app);
    return;
  }
  if (f.FieldBookMode == 2) {
    Ask(app, "S= " + RtNumText(f.MeasuredDistance), app.input.GuideNumber);
    f.MeasuredDistance = app.input.AnswerValue;
    FormatWithLevelSide(app);
    return;
  }
  f.MeasuredVerticalAngle = kNoVerticalAngle;
  if (app.traverse.DistancePromptFlag != 1) {
    Ask(app, "V=", kGuideVertical);
    f.MeasuredVerticalAngle = app.input.AnswerValue;
    f.VerticalAngleText = app.input.Answer;
    if (f.MeasuredVerticalAngle == 0) f.MeasuredVerticalAngle = kNoVerticalAngle;
  }
  f.MeasuredHorizontalAngle = 0;
  if (f.MeasuredDistance < 0) {
    f.MeasuredDistance = -f.MeasuredDistance;
    f.MeasuredHorizontalAngle = 180;
  }
  // The cross-section branch: a station read back with the back-sight ｵｳﾀﾞﾝ.
  if (f.FieldBookBacksightName != kCrossSection + "    ") {
    Ask(app, "H=", kGuideHorizontal);
    f.MeasuredHorizontalAngle = app.input.AnswerValue;
    InputTargetHeightIfNeeded(app);
  } else if (f.MeasuredVerticalAngle < 10) {
    f.ObservationTargetHeight = f.MeasuredVerticalAngle;
    f.MeasuredVerticalAngle = kCrossSectionVerticalAngle;
  } else {
    InputTargetHeightIfNeeded(app);
  }
  FormatWithLevelSide(app);
}

void FormatWithLevelSide(App& app) {
  fieldbook::State& f = app.fieldbook;
  if (f.LevelSideMark == "[L]") f.MeasuredDistance = -f.MeasuredDistance;
  FormatObservationFields(app);
}

bool SightFitsRecord(App& app) {
  const fieldbook::State& f = app.fieldbook;
  bool fits = false;
  if (f.FieldBookMode == 0) {
    fits = columns::DecimalWindowFits(f.MeasuredDistance, 4, 8) &&
           columns::DecimalWindowFits(f.MeasuredVerticalAngle, 4, 9) &&
           columns::DecimalWindowFits(f.MeasuredHorizontalAngle, 4, 9) &&
           columns::DecimalWindowFits(f.ObservationTargetHeight, 3, 7);
  } else {
    fits = LevelValuesFit(f.MeasuredDistance, f.ObservationTargetHeight);
  }
  if (!fits) SayValueTooWide(app);
  return fits;
}

void EnterFieldBookPointName(App& app) {
  fieldbook::State& f = app.fieldbook;
  ui::InputState& in = app.input;
  for (;;) {
    RtLocate(40, RtCsrlin());
    RtPrintStr("[P,L,=]", false);
    RtLocate(0, RtCsrlin());
    f.EnteredPointName = TrimTrailingBlanks(f.SuggestedPointName);
    RtPrintStr("ﾃﾝﾒｲ=" + f.EnteredPointName + " ", false);
    in.GuideNumber = kGuideName;
    InputText(app);
    if (in.Answer.empty()) in.Answer = f.EnteredPointName;
    if (in.Answer.size() > kMaxNameBytes) {
      RtColor(2);
      RtPrintStr("文字数を8文字以内にして下さい", true);
      RtColor(7);
      PlaySound(app, "CHORD.WAV");
      continue;
    }
    const std::string upper = RtUcase(in.Answer);
    if (upper == "L") {
      ListFieldBookRecords(app);
      continue;
    }
    if (upper == "P") return;
    if (in.Answer.ends_with("=")) {
      f.NameSearchKey = in.Answer;
      SearchFieldBookName(app);
      continue;
    }
    break;
  }
  f.EnteredPointName = in.Answer;
  SplitPointName(app);
  f.EntryAttribute = "";
  std::string pointInfo;
  if (f.ZN > 0) {
    Ask(app, "ﾃﾝｼﾞｮｳﾎｳ= " + f.FieldBookDefaultPointInfo, kGuidePointInfo);
    if (!in.Answer.empty()) f.FieldBookDefaultPointInfo = in.Answer;
    pointInfo = f.FieldBookDefaultPointInfo;
    f.EntryAttribute = pointInfo;
  }
  if (f.ZN > 1) {
    Ask(app, "ｾﾝｼｭ=" + f.FieldBookDefaultLineType, kGuideLineType);
    if (!in.Answer.empty()) f.FieldBookDefaultLineType = in.Answer;
    f.EntryAttribute = f.FieldBookDefaultLineType + pointInfo;
  }
  if (f.ZN > 2) {
    Ask(app, "ﾎｿｸ=", kGuideSupplement);
    if (!in.Answer.empty()) f.EntryAttribute += "(" + in.Answer + ")";
  }
  if (f.ZN == 1) f.EntryAttribute = "9" + f.EntryAttribute;
  in.Answer = f.EnteredPointName;
}

void StoreFieldBookObservation(App& app) {
  fieldbook::State& f = app.fieldbook;
  const double i = app.traverse.FieldBookRecordIndex;
  f.LastStoredName = app.input.Answer;
  if (f.FieldBookMode >= 1) {
    f.FieldBookRecord(i) =
        fieldbook::LevelReadingRecord("'", app.input.Answer, f.DistanceColumn, f.ObservationHeightField);
  } else {
    f.FieldBookRecord(i) = fieldbook::TraverseSightRecord(f.DistanceColumn, f.VerticalColumn, f.HorizontalColumn,
                                                         f.ObservationHeightField, app.input.Answer);
  }
  f.FieldBookAttribute(i) = f.EntryAttribute;
}

void SearchFieldBookName(App& app) {
  fieldbook::State& f = app.fieldbook;
  const std::string key = RtLeft(f.NameSearchKey, static_cast<double>(f.NameSearchKey.size()) - 1);
  const int column = static_cast<int>(f.NameColumn);
  for (double i = f.FieldBookCount; i >= 1; --i) {
    const std::string& record = f.FieldBookRecord(i);
    if (columns::Columns(record, column, column + static_cast<int>(key.size()) - 1) != key) continue;
    app.input.Answer = columns::Columns(record, column, column + 7);
    SplitPointName(app);
    NextPointName(app);
    return;
  }
  RtPrintStr("ｱﾘﾏｾﾝ", true);
  PlaySound(app, "chord.wav");
}

void ListFieldBookRecords(App& app) {
  app.traverse.FieldBookRecordIndex = app.fieldbook.FieldBookCount;
  BrowseRawData(app);
  NextPointName(app);
}
