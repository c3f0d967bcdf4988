// The entry routines with which the field-book input fills the book: the mode
// and the two set-ups, the questions that complete a typed sight, the point
// name with its attribute, the storing of an observation, and the search and
// listing from which the automatic names continue.
#pragma once

struct App;

// Asks the mode ("  0:トラバース   1:レベル   2:レベル＋Ｓ ", Enter keeps it, an
// answer other than 0, 1 or 2 is asked again), sets LevelSideMark "[R]", then
// SetUpFieldBookStation or SetUpLevelRun. A book without room for the set-up
// goes back to the field-book menu.
void ChooseFieldBookMode(App& app);

// The levelling start: "BSﾃﾝﾒｲ=" (empty: RepeatLastCommand, nothing appended),
// "仮標高=" offering the height of the first point of that name, the run record
// appended (LevelRunStart := its index + 1), then EnterLevelBacksight.
void SetUpLevelRun(App& app);

// "BS=": the back-sight reading "^" of LevelBacksightName into record 0 and at
// FieldBookRecordIndex + 1 ("@" measures, asked again after a failure or a value
// its window cannot hold; in mode 2 also "S=").
void EnterLevelBacksight(App& app);

// The traverse station: "ｷｼﾞｭﾝﾃﾝ=", "ﾊﾞｯｸ=" (a number gets a leading blank, Enter
// gives "ｵｳﾀﾞﾝ"), "ｷｶｲﾀﾞｶ=" (asked again when its 7 columns cannot hold it); the
// long-form station record into record 0 and at FieldBookRecordIndex + 1.
void SetUpFieldBookStation(App& app);

// Completes a typed sight: mode 1 nothing, mode 2 the distance "S= ", traverse
// "V=", "H=" and the target height; then FormatWithLevelSide.
void EnterObservationValues(App& app);

// "[L]" negates MeasuredDistance; then FormatObservationFields.
void FormatWithLevelSide(App& app);

// True when every value of the sight in hand fits the windows of the record the
// present mode writes (with its sign and all its digits, as the readers take
// them); otherwise says so and plays "chord.wav".
bool SightFitsRecord(App& app);

// "ﾃﾝﾒｲ=" with SuggestedPointName: a name of at most 8 bytes (longer ones are
// asked again), "L" lists, "xx=" searches, "P" abandons; then the attribute
// questions ZN chooses. Leaves the name (or "P") in Answer and EntryAttribute.
void EnterFieldBookPointName(App& app);

// The observation record (the level or traverse layout by the mode) and its
// attribute EntryAttribute at FieldBookRecordIndex; LastStoredName := Answer.
void StoreFieldBookObservation(App& app);

// The latest record whose name (from NameColumn) begins with NameSearchKey
// without its last character: its name split and the next name in Answer; no
// match: "ｱﾘﾏｾﾝ" and "chord.wav".
void SearchFieldBookName(App& app);

// The browser from the last record, then the next name in Answer.
void ListFieldBookRecords(App& app);
