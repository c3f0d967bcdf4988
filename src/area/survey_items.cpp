#include "area/survey_items.h"

#include "core/app.h"
#include "core/constants.h"
#include "runtime/files.h"

// TEMPORARY: no land survey table yet: nothing to store.
void StoreMeasuredAreaInSurveyTable(App&) {}

void OutputSurveyItemsOfParcel(App& app) {
  RtPrintToFile(core::kPrintBuffer, " 地番  " + app.area.SurveyLotNumber);
}

// TEMPORARY: no extract yet: nothing to write.
void WriteSurveyRowOfParcel(App&) {}
