// The field-book menu (main-menu command 10) and the book's memory.
#pragma once

#include "core/control.h"

struct App;

// The menu: resets the run state and the input's starting defaults (target
// height := FieldBookInstrumentHeight, the distance prompt "S=", ReturnMenu 4,
// attribute defaults "9" and "8"), shows the nine choices and dispatches the
// answer rounded half away from zero; 0, Enter, a negative answer or one above
// 9 go to the result menu.
Jump FieldBookMenu(App& app);

// "野帳メモリーをクリアします[Y,N]Y ": "N" (either case) keeps the book; any
// other answer clears it and the print buffer and plays "recycle.wav". Then
// ReturnToCallingMenu.
Jump ConfirmClearFieldBook(App& app);

// Both tables emptied (record 0 too), FieldBookCount and FieldBookEntryCount 0.
void ClearFieldBook(App& app);

// True when the book has room for `records` more records after FieldBookCount;
// otherwise says that the book is full and plays "chord.wav".
bool RoomForRecords(App& app, int records);
