// The land survey table's part in the parcel commands.
//
// TEMPORARY: the land survey table file, its extract and the item filters come
// later; these do what they do with no table read, filter 0 and no extract
// running.
#pragma once

struct App;

// Stores ParcelArea as the measured area of SurveyLotNumber's row (nothing yet).
void StoreMeasuredAreaInSurveyTable(App& app);
// Writes the land-number line " 地番  " + SurveyLotNumber into the report (the
// survey items beside it come with the table).
void OutputSurveyItemsOfParcel(App& app);
// The row of RecordLotNumber in the extract in parcel order (none runs yet).
void WriteSurveyRowOfParcel(App& app);
