// The field book's records as stored: the single-key browser, the raw print
// into the print buffer, and the two field-book options ZJ and ZN.
#pragma once

#include "core/control.h"

struct App;

// Menu choice 4: the browser from record 1, then ReturnToCallingMenu.
Jump BrowseRawFieldBook(App& app);

// The browser from FieldBookRecordIndex: each key prints one line, the record
// number in "##### " and RecordBuffer(0) ("ding.wav" for a record beginning
// "*"). "+" or cursor down steps on, "-" or cursor up back (in colour 2), never
// below record 0 nor past the table's last record; Enter returns with Answer
// the Enter character; any other key shows the same record again.
void BrowseRawData(App& app);

// RecordBuffer(0) := record + 4 blanks + attribute of FieldBookRecordIndex.
void LoadRecordBuffer(App& app);

// Menu choice 5: ReportTitle "ﾅﾏﾃﾞｰﾀ", records 0 to FieldBookCount into the print
// buffer, each behind its number left-aligned in 7 columns; the result menu.
Jump PrintRawFieldBook(App& app);

// Menu choice 8: asks ZJ and ZN (Enter keeps each), then the menu.
Jump FieldBookOptions(App& app);

// A report line of the field-book calculation: Answer into the print buffer
// when ZD is 1, then the reduced distance line (PrintDistanceLine).
void PrintLineAndDistance(App& app);
