#include "fieldbook/running_height.h"

#include "core/app.h"
#include "core/numeric.h"
#include "fieldbook/records.h"
#include "runtime/numtext.h"

fieldbook::RunningHeight fieldbook::LevelRunningHeightOf(const RtTable<std::string>& records, int runStart,
                                                         int count, double startHeight,
                                                         const std::string& suggestion,
                                                         const std::string& previousSuggestion) {
  RunningHeight out;
  out.suggestion = suggestion;
  out.height = startHeight;
  if (runStart < 2 || count < runStart || count > records.Bound() ||
      !IsLevelRunRecord(records(runStart - 1)) || KindOf(records(runStart)) != "^") {
    return out;
  }
  out.valid = true;
  const std::string lastName = LevelName(records(count));
  const bool lastIsBacksight = KindOf(records(count)) == "^";
  double z = startHeight;
  const int end = count - 1 < runStart ? runStart : count - 1;
  for (int i = runStart; i <= end; ++i) {
    const std::string& record = records(i);
    const double reading = LevelReading(record);
    if (KindOf(record) == "^") {
      z += reading;  // the height of the line of sight
      if (i != runStart) continue;
    }
    if (LevelName(record) == lastName) {
      out.repeated = true;
      out.repeatedHeight = z - reading;
      const bool skipBacksight = KindOf(records(i - 1)) == "^" && i - 1 != runStart && i - 2 != runStart;
      out.suggestion = LevelName(records(skipBacksight ? i - 2 : i - 1));
    }
    if (out.suggestion.starts_with("_")) out.suggestion.clear();
    // A reading directly followed by a back sight is a turning point.
    if (i + 1 <= count && KindOf(records(i + 1)) == "^") z -= reading;
  }
  if (!lastIsBacksight) z -= LevelReading(records(count));
  out.height = z;
  const bool ended = IsEndedLevelRun(records(runStart - 1));
  if (out.repeated && ended) {
    out.text = RtStr(RoundTo4Decimals(out.repeatedHeight - z)) + " " + RtStr(RoundTo4Decimals(z));
  } else {
    out.text = std::string(7, ' ') + RtStr(RoundTo4Decimals(z));
  }
  if (lastIsBacksight) out.suggestion = previousSuggestion;
  return out;
}

void ComputeLevelRunningHeight(App& app) {
  fieldbook::State& f = app.fieldbook;
  if (f.FieldBookMode == 0) return;
  const fieldbook::RunningHeight run = fieldbook::LevelRunningHeightOf(
      f.FieldBookRecord, static_cast<int>(f.LevelRunStart), static_cast<int>(f.FieldBookCount), f.LevelStartHeight,
      app.input.Answer, f.LevelSuggestion1);
  if (!run.valid) {
    f.RunningHeightText = "";
    return;
  }
  f.RunningHeightText = run.text;
  f.RepeatedPointHeight = run.repeated ? run.repeatedHeight : 99;
  app.input.Answer = run.suggestion;
  app.points.WorkPointZ = run.height;
  if (fieldbook::KindOf(f.FieldBookRecord(f.FieldBookCount)) == "'" && f.ZN == 0) {
    f.FieldBookAttribute(f.FieldBookCount) = "A" + FormatDecimalsRight(run.height, 4, 10);
  }
  f.LevelSuggestion3 = f.LevelSuggestion2;
  f.LevelSuggestion2 = f.LevelSuggestion1;
  f.LevelSuggestion1 = app.input.Answer;
}
