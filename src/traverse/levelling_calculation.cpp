#include "traverse/levelling_calculation.h"

#include <algorithm>
#include <cmath>

#include "core/app.h"
#include "core/columns.h"
#include "core/constants.h"
#include "core/sound.h"
#include "fieldbook/records.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "traverse/levelling_books.h"
#include "traverse/levelling_registration.h"
#include "ui/input.h"

namespace {

constexpr int kGuideStartHeight = 302;
constexpr int kGuideClosingHeight = 303;

void Print(const std::string& line) { RtPrintToFile(core::kPrintBuffer, line); }

// A record of the book; an empty text outside it.
const std::string& Record(const App& app, double i) {
  static const std::string kNone;
  if (i < 1 || i > fieldbook::kRecordCapacity) return kNone;
  return app.fieldbook.FieldBookRecord(RtWhole(i));
}

std::string KindOf(const App& app, double i) { return RtLeft(Record(app, i), 1); }
bool IsReading(const std::string& kind) { return kind == "^" || kind == "'"; }
bool EndsRun(const std::string& kind) { return kind == "*" || (kind.size() == 1 && kind[0] >= '1' && kind[0] <= '9'); }
double ReadingOf(const App& app, double i) { return columns::ColumnValue(Record(app, i), 20, 27); }
std::string NameOf(const App& app, double i) { return columns::PadTo(columns::Columns(Record(app, i), 2, 9), 8); }

// The run's last reading: the last back or fore sight before the next start,
// station or kind record, within the records the calculation walks. The run
// ends there whatever follows (a note, the end of the book or of the table).
double LastReadingOf(const App& app, double start) {
  const double limit = std::min<double>(app.traverse.FieldBookRecordLimit, fieldbook::kRecordCapacity);
  double last = start;
  for (double i = start + 1; i <= limit; ++i) {
    const std::string kind = KindOf(app, i);
    if (EndsRun(kind)) break;
    if (IsReading(kind)) last = i;
  }
  return last;
}

// The record at the cursor as every pass takes it.
struct Sight {
  double index = 0;
  std::string kind;
  std::string name;  // 8 columns as they stand
  double distance = 0;
  double reading = 0;
  double previousReading = 0;
  double nextReading = 0;
  std::string nextKind;
  bool onClosingPoint = false;
  bool endsRun = false;
};

Sight ReadSight(App& app) {
  traverse::State& t = app.traverse;
  Sight s;
  s.index = t.FieldBookRecordIndex;
  const std::string& record = Record(app, s.index);
  s.kind = RtLeft(record, 1);
  s.name = NameOf(app, s.index);
  s.distance = columns::ColumnValue(record, 12, 19);
  s.reading = ReadingOf(app, s.index);
  s.previousReading = ReadingOf(app, s.index - 1);
  s.nextReading = ReadingOf(app, s.index + 1);
  s.nextKind = KindOf(app, s.index + 1);
  s.onClosingPoint = s.name == traverse::LevellingClosingNameOf(Record(app, t.LevellingStartRecord));
  s.endsRun = s.index >= t.LevellingLastReading;
  t.DistanceText = traverse::BookDistanceText(s.distance, t.LevellingPass == 0 ? 3 : 2);
  return s;
}

void Refuse(App& app, const char* message) {
  RtPrintStr(message, true);
  PlaySound(app, "chord.wav");
  app.traverse.LevellingPass = traverse::kLevellingRunDone;
}

// ---- Pass 0: the heights list ----

void HeightsListLine(App& app, const Sight& s) {
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  if (s.kind == "^") {
    if (s.onClosingPoint) {
      t.ReturnRunMark = s.index + 1;
      Print("");
      t.ClosingHeight = p.WorkPointZ;
      t.ReturnRunFound = 1;
    }
    t.LevellingPassCounter += 1;
    PrintHeightsListBacksight(app, s.name, t.LevellingPassCounter == 1);
  } else {
    t.ForeSightCount += 1;
    PrintHeightsListForesight(app, s.name);
    RtPrintUsingNum("&      &  #####.####", {s.name, p.WorkPointZ}, true);
  }
  if (!s.endsRun) return;
  Print("_");
  t.LevellingEndRecord = s.index;
  if (t.ForeSightCount == 0) {
    // No section to share a misclosure over: the run ends with its list.
    Refuse(app, " 前視が無いので水準計算はできません");
    return;
  }
  t.LevellingPass = 1;
  t.FieldBookRecordIndex = t.LevellingStartRecord;
  t.LevellingPassCounter = 0;
}

// ---- Pass 1: the observation books ----

// The name the closing height of a one-way run is looked up by: its last fore
// sight, the point whose height the run ends on.
std::string LastForesightName(const App& app) {
  const traverse::State& t = app.traverse;
  for (double i = t.LevellingEndRecord; i > t.LevellingStartRecord; --i) {
    if (KindOf(app, i) == "'") return RtTrim(NameOf(app, i));
  }
  return "";
}

void SettleClosingHeight(App& app) {
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  if (t.ReturnRunFound == 1) {
    const double forward = t.ClosingHeight - t.LevellingStartHeight;
    const double back = p.WorkPointZ - t.ClosingHeight;
    RtColor(6);
    RtPrintUsingNum("往路差＝####.####  復路差＝####.####", {forward, back}, false);
    RtPrintStr("  誤差＝", false);
    RtPrintNum(std::floor((forward + back) * 100000 + 0.5) / 100000, true);
    RtColor(7);
    t.ClosingHeight = traverse::EvenMillimetreRounded((forward - back) / 2 + t.LevellingStartHeight,
                                                      t.MillimetreFactor, t.EvenRoundingFactor);
    RtPrintStr("   平均", false);
    t.LevellingLookupName = RtTrim(traverse::LevellingClosingNameOf(Record(app, t.LevellingStartRecord)));
  } else {
    RtPrintStr("   片道", false);
    t.ClosingHeight = p.WorkPointZ;
    t.LevellingLookupName = LastForesightName(app);
  }
  RtPrintUsingNum("閉合点  H= #####.###  ", {t.ClosingHeight}, false);
  t.DecidedClosingHeight = t.ClosingHeight;
  FindClosingPointHeight(app);
  RtPrintUsingNum("   決定閉合点  H= #####.###  ", {t.DecidedClosingHeight}, false);
  app.input.GuideNumber = kGuideClosingHeight;
  InputMenuChoice(app);
  if (!app.input.Answer.empty()) t.DecidedClosingHeight = app.input.AnswerValue;
}

void BookRiseOrFall(traverse::State& t, double d) {
  if (d >= 0) {
    t.RiseSum += d;
  } else {
    t.FallSum -= d;
  }
}

// The end of the second pass: the last book closed (unless the closing point
// closed it at this very record), the cursor back for the calculation book.
void FinishObservationBooks(App& app, double lastForesight, bool bookClosed) {
  traverse::State& t = app.traverse;
  t.FieldBookRecordIndex = t.LevellingStartRecord;
  t.LevellingPassCounter = 0;
  t.LevellingPass = 2;
  app.points.WorkPointZ = t.LevellingStartHeight;
  t.MeanSumDone = 0;
  if (!bookClosed) PrintLevellingSums(app, lastForesight);
  t.ReturnRunDifference = t.BackSightSum - t.ForeSightSum;
}

void ObservationBookLine(App& app, const Sight& s) {
  traverse::State& t = app.traverse;
  if (t.LevellingPassCounter == 0 || (s.kind == "^" && s.onClosingPoint)) {
    if (t.LevellingPassCounter == 0) SettleClosingHeight(app);
    t.BackSightSum = s.reading;
    t.ForeSightSum = t.RiseSum = t.FallSum = t.DistanceSum = 0;
    PrintObservationBookHead(app, s.name, s.reading);
    t.LevellingPassCounter = 1;
    if (s.endsRun) FinishObservationBooks(app, 0, false);
    return;
  }
  if (s.kind != "'") {
    if (s.endsRun) FinishObservationBooks(app, 0, false);
    return;
  }
  const double d = s.previousReading - s.reading;
  // A back sight that is the run's last record closes nothing after it: the
  // fore sight before it is the book's last.
  const bool lastBacksight = s.nextKind == "^" && s.index + 1 >= t.LevellingLastReading;
  // The fore sight before the return run's first back sight closes the forward
  // book even when it was booked under another name.
  const bool closesForward = s.onClosingPoint || (t.ReturnRunFound == 1 && s.index + 2 == t.ReturnRunMark);
  const bool changePoint = s.nextKind == "^" && !lastBacksight && !closesForward && !s.endsRun;
  t.DistanceSum += s.distance;
  BookRiseOrFall(t, d);
  if (changePoint) {
    t.FieldBookRecordIndex += 1;
    t.BackSightSum += s.nextReading;
    t.ForeSightSum += s.reading;
    PrintChangePointLine(app, s.name, s.nextReading, s.reading, d);
    return;
  }
  PrintSingleForesightLine(app, s.name, s.reading, d);
  if (closesForward) {
    PrintLevellingSums(app, s.reading);
    t.ForwardRunDifference = t.BackSightSum - t.ForeSightSum;
    t.LevellingRunLabel = "復路";
  }
  if (s.endsRun || lastBacksight) FinishObservationBooks(app, s.reading, closesForward);
}

// ---- Pass 2: the calculation book ----

void StartCalculationBook(App& app, const Sight& s) {
  traverse::State& t = app.traverse;
  PrintCalculationBookHead(app, s.name);
  t.LevellingPassCounter = 1;
  t.PreviousForwardHeight = t.LevellingStartHeight;
  t.StartReturnHeight = t.BackSightSum - t.ForeSightSum;
  t.PreviousReturnHeight = t.StartReturnHeight;
  t.KnownRouteDifference = t.DecidedClosingHeight - t.LevellingStartHeight;
  t.AdjustedHeight = t.PreviousAdjustedHeight = t.LevellingStartHeight;
  t.LevelledPointName = s.name;
  t.BackSightSum = t.ForeSightSum = 0;
  t.SectionCount = 1;
  if (t.ReturnRunFound != 1) {
    t.ReturnRunMark = t.LevellingEndRecord + 1;
    t.ForwardRunDifference = t.StartReturnHeight;
    t.ReturnRunDifference = 0;
    t.ObservedRouteDifference = t.StartReturnHeight;
    t.RouteMisclosure = t.ObservedRouteDifference - t.KnownRouteDifference;
    t.SectionCount = t.ForeSightCount;
    t.CorrectionPerSection = t.RouteMisclosure / t.SectionCount;
  }
  StoreLevelledPoint(app);
}

// The height of the point named `name` relative to the closing point along the
// return run: the return run walked from the back sight on the closing point,
// its first fore sight of the name (the one nearest the closing point). False
// when the return run does not visit the point.
bool ReturnRelativeHeight(const App& app, const std::string& name, double& relative) {
  const traverse::State& t = app.traverse;
  double height = 0;
  double collimation = 0;
  for (double i = t.ReturnRunMark - 1; i <= t.LevellingEndRecord; ++i) {
    const std::string kind = KindOf(app, i);
    if (kind == "^") collimation = height + ReadingOf(app, i);
    if (kind != "'") continue;
    height = collimation - ReadingOf(app, i);
    if (NameOf(app, i) == name) {
      relative = height;
      return true;
    }
  }
  return false;
}

// A round trip's means are summed: the misclosure and its share per section
// follow, and the forward run is walked again to print the book.
void EndMeanSums(App& app) {
  traverse::State& t = app.traverse;
  t.MeanSumDone = 1;
  t.ObservedRouteDifference = t.BackSightSum;
  app.points.WorkPointZ = t.LevellingStartHeight;
  t.FieldBookRecordIndex = t.LevellingStartRecord;
  t.PreviousForwardHeight = t.LevellingStartHeight;
  t.PreviousReturnHeight = t.StartReturnHeight;
  t.KnownRouteDifference = t.DecidedClosingHeight - t.LevellingStartHeight;
  t.RouteMisclosure = t.ObservedRouteDifference - t.KnownRouteDifference;
  t.CorrectionPerSection = t.RouteMisclosure / t.SectionCount;
  t.AdjustedHeight = t.PreviousAdjustedHeight = t.LevellingStartHeight;
  t.BackSightSum = t.ForeSightSum = 0;
  t.SectionCount = 1;
}

// A fore sight of the calculation book. False when the record ends here: a
// point the return run does not visit, the end of the summing walk, or a
// calculation stopped by a full table.
bool CalculationBookForesight(App& app, const Sight& s) {
  traverse::State& t = app.traverse;
  const double height = app.points.WorkPointZ;
  double forward = 0;
  double back = 0;
  double mean = 0;
  if (t.ReturnRunFound != 1) {
    forward = height - t.PreviousForwardHeight;
    t.PreviousForwardHeight = height;
    mean = forward;
  } else {
    const bool closingPoint = s.index == t.ReturnRunMark - 2;
    double relative = 0;
    if (!closingPoint) {
      if (!ReturnRelativeHeight(app, s.name, relative)) return false;
      t.SectionCount += 1;
    }
    forward = height - t.PreviousForwardHeight;
    t.PreviousForwardHeight = height;
    back = relative - t.PreviousReturnHeight;
    t.PreviousReturnHeight = relative;
    mean = traverse::EvenMillimetreRounded((forward + back) / 2, t.MillimetreFactor, t.EvenRoundingFactor);
    if (t.MeanSumDone == 0) {
      t.BackSightSum += mean;
      if (closingPoint) EndMeanSums(app);
      return !closingPoint;
    }
  }
  const double factor = t.MillimetreFactor;
  t.AdjustedHeight += mean - t.CorrectionPerSection;
  const double decided =
      traverse::MillimetreRounded(t.AdjustedHeight, factor) - traverse::MillimetreRounded(t.PreviousAdjustedHeight, factor);
  t.PreviousAdjustedHeight = t.AdjustedHeight;
  const double correction = std::floor((decided - mean) * 10000 + 0.5) / 10000;
  if (mean >= 0) {
    t.BackSightSum += mean;
  } else {
    t.ForeSightSum += mean;
  }
  PrintCalculationBookLine(s.name, forward, back, mean, correction, decided,
                           traverse::MillimetreRounded(t.AdjustedHeight, factor));
  t.LevelledPointName = s.name;
  return StoreLevelledPoint(app);
}

void CalculationBookLine(App& app, const Sight& s) {
  traverse::State& t = app.traverse;
  if (t.LevellingPassCounter == 0) {
    StartCalculationBook(app, s);
    return;
  }
  if (s.kind == "'" && !CalculationBookForesight(app, s)) return;
  if (s.index != t.ReturnRunMark - 1) return;
  if (t.ReturnRunFound == 1 && t.MeanSumDone == 0) {
    // The forward run reached the closing point without a fore sight on it.
    EndMeanSums(app);
    return;
  }
  PrintCalculationBookSummary(app);
  t.FieldBookRecordIndex = t.LevellingEndRecord;
  t.LevellingPass = traverse::kLevellingRunDone;
}

}  // namespace

double traverse::MillimetreRounded(double x, double factor) { return std::floor(x * factor + 0.5) / factor; }

double traverse::EvenMillimetreRounded(double x, double factor, double evenFactor) {
  const double scaled = x * factor;
  const double fraction = scaled - std::floor(scaled);
  if (fraction > 0.49 && fraction < 0.51) return std::floor(x * evenFactor + 0.5) / evenFactor;
  return x;
}

double traverse::LevellingStartHeightOf(std::string_view record) {
  // The label stands after the route text (20 columns from column 3).
  constexpr std::size_t kRouteEnd = 22;
  const std::size_t at = record.size() > kRouteEnd ? record.find("H=", kRouteEnd) : std::string_view::npos;
  if (at == std::string_view::npos) return 0;
  return RtVal(RtTrim(record.substr(at + 2)));
}

std::string traverse::LevellingClosingNameOf(std::string_view record) {
  return columns::PadTo(columns::Columns(record, 14, 21), 8);
}

void ParseHeightField(App& app) {
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  const std::string& record = Record(app, t.FieldBookRecordIndex);
  p.WorkPointZ = traverse::LevellingStartHeightOf(record);
  t.LevellingRouteName = columns::PadTo(columns::Columns(record, 3, 22), 20);
  RtPrintStr("路線＝ " + t.LevellingRouteName, true);
  t.LevellingStartRecord = t.FieldBookRecordIndex;
  t.LevellingEndRecord = 0;
  t.LevellingLastReading = LastReadingOf(app, t.LevellingStartRecord);
  t.LevellingLookupName = RtTrim(NameOf(app, t.FieldBookRecordIndex + 1));
  FindClosingPointHeight(app);
  RtPrintUsingNum("     出発点    H= #####.### ", {p.WorkPointZ}, false);
  app.input.GuideNumber = kGuideStartHeight;
  InputMenuChoice(app);
  if (!app.input.Answer.empty()) p.WorkPointZ = app.input.AnswerValue;
  t.LevellingStartHeight = p.WorkPointZ;
  t.ReturnRunFound = 0;
  t.ForeSightCount = 0;
  PrintHeightsListHead(app);
  if (t.LevellingLastReading == t.LevellingStartRecord) {
    Print("_");
    Refuse(app, " 水準の観測がありません");
  }
}

void ComputeLevellingFieldBook(App& app) {
  traverse::State& t = app.traverse;
  const double i = t.FieldBookRecordIndex;
  // Only the readings of the run in hand count.
  if (t.LevellingPass >= traverse::kLevellingRunDone || i <= t.LevellingStartRecord || i > t.LevellingLastReading) return;
  const Sight s = ReadSight(app);
  if (t.LevellingPass == 0) {
    HeightsListLine(app, s);
  } else if (t.LevellingPass == 1) {
    ObservationBookLine(app, s);
  } else {
    CalculationBookLine(app, s);
  }
}
