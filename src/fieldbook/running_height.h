// The running height of a levelling run, recomputed from its records at every
// pass of the input: the height reached, the difference to an earlier sight of
// the same point once the run is ended, and the name suggested next.
#pragma once

#include <string>

#include "runtime/table.h"

struct App;

namespace fieldbook {

struct RunningHeight {
  bool valid = false;          // false: no run set up in the book (nothing is read)
  double height = 0;           // the height of the last point read, or of the line of sight
  bool repeated = false;       // the last point was sighted before within the run
  double repeatedHeight = 0;   // the height of that earlier sight
  std::string suggestion;      // the name suggested for the next point
  std::string text;            // what the prompt shows after the side mark
};

// The run whose first back sight is record `runStart` (its run record "*_"
// before it) up to record `count`, from `startHeight`. `suggestion` is the next
// name in the numbering and `previousSuggestion` the suggestion of the pass
// before. A back sight adds its reading to the height (the line of sight); a
// reading directly before a back sight is a turning point and lowers it; the
// last reading lowers it once more. Only records 1 to `count` are read: a run
// that the book does not hold (runStart below 2 or past count, or records of
// other kinds where the run record and first back sight should stand) gives
// valid = false.
RunningHeight LevelRunningHeightOf(const RtTable<std::string>& records, int runStart, int count,
                                   double startHeight, const std::string& suggestion,
                                   const std::string& previousSuggestion);

}  // namespace fieldbook

// In the level modes: RunningHeightText, the suggestion in Answer, the
// suggestions shifted (LevelSuggestion3 <- 2 <- 1 <- Answer), RepeatedPointHeight,
// WorkPointZ, and with ZN 0 "A" + the height (4 decimals in 10) as the attribute
// of the last record when it is a reading. Traverse mode: nothing. Without a run
// in the book it shows no height and keeps Answer.
void ComputeLevelRunningHeight(App& app);
