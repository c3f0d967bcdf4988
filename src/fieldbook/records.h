// The record layouts of the field book, stated once: every writer builds its
// records here and every reader takes its fields here, on the byte columns of
// core/columns.h. Columns are 1-based bytes of the CP932 text.
//
//   "*" station (long form)  1 "*", 2-18 station, 19-35 back-sight, 36- height
//   "*_" levelling run       3-22 start name, 23-25 "H= ", 26- start height
//   "^" / "'" level reading  2-11 name, 12-18 distance, 19-26 staff reading
//   "'" traverse sight       2-9 slope distance, 10-18 vertical, 19-27 horizontal,
//                            28-34 target height, 36- name
//   "T" turning              2-44 as a sight, 45- instrument height at the new station
//   "N " note                the text
#pragma once

#include <string>
#include <string_view>

namespace fieldbook {

// The book's capacity: records 1 to 9999.
inline constexpr int kRecordCapacity = 9999;

// "*" + station padded to 17 + back-sight padded to 17 + the height text padded
// to 7 (the long form, read as such because it passes 40 trimmed bytes).
std::string StationRecord(std::string_view station, std::string_view backsight, std::string_view heightText);

// "*_" + the start name padded to 20 + "H= " + Format4Decimals(height).
std::string LevelRunRecord(std::string_view startName, double startHeight);

// The run record ended at `endName`: its first 10 bytes, "-->", the first 8
// bytes of the end name and the run record from byte 20 to 39.
std::string EndedLevelRunRecord(std::string_view runRecord, std::string_view endName);

// A level reading: `kind` ("^" back sight, "'" fore or intermediate sight) + the
// name padded to 10 + the last 7 bytes of the distance column + the 8-byte
// staff reading field.
std::string LevelReadingRecord(std::string_view kind, std::string_view name, std::string_view distanceColumn,
                               std::string_view heightField);

// A traverse sight of the field-book entry: the four column texts, a blank and
// the name as entered (not padded).
std::string TraverseSightRecord(std::string_view distanceColumn, std::string_view verticalColumn,
                                std::string_view horizontalColumn, std::string_view heightField,
                                std::string_view name);

// The turning record made of a sight: "T" + its bytes 2 to 44 padded with
// blanks + Format3Decimals(instrumentHeight) from byte 45.
std::string TurningRecord(std::string_view sightRecord, double instrumentHeight);

// "N " + the note.
std::string NoteRecord(std::string_view text);

// The readers' fields.
// Name of a level reading or run record: bytes 2-9.
std::string LevelName(std::string_view record);
// Staff reading of a level reading: the value of bytes 20-27 trimmed.
double LevelReading(std::string_view record);
// True for the run record "*_" and for one ended with "E" ("-->" at 11-13).
bool IsLevelRunRecord(std::string_view record);
bool IsEndedLevelRun(std::string_view record);
// The first byte of a record ("" for an empty one).
std::string KindOf(std::string_view record);

}  // namespace fieldbook
