// The field-book records as the calculation reads them: the kind of a record,
// an observation or turn record's fields with the zero-direction reduction of
// its horizontal reading, and the lookup of a point by its name.
#pragma once

#include <string>
#include <string_view>

struct App;

namespace traverse {

// A number field of a record: its text trimmed of blanks and read as the
// program reads numbers (0 for no number). A field written without a decimal
// point reads as the whole number it shows.
double RecordFieldValue(std::string_view field);

// The horizontal reading h (dd.mmss) reduced by the zero direction z (dd.mmss):
// 0 leaves it as read; 999 turns the sense (360 - h, 0 staying 0); any other z
// gives h - z, raised by 360 once when negative. dd.mmss comes back.
double ReducedReadingOf(double readingDms, double zeroDms);

// `name` without its trailing half-width blanks (a full-width blank stays).
std::string WithoutTrailingBlanks(std::string_view name);

}  // namespace traverse

// FieldBookRecordKind := the first character of the record at
// FieldBookRecordIndex ("" for an empty record).
void GetRecordTypeChar(App& app);

// The observation or turn record at FieldBookRecordIndex: the slope distance
// (bytes 2-9) into MeasuredDistance, the vertical reading (10-18) into
// MeasuredVerticalAngle, the horizontal reading (19-27, reduced by
// ZeroDirectionAngle) into MeasuredHorizontalAngle, the target height (28-34)
// into ObservationTargetHeight, the name (36-43, trailing blanks dropped) into
// LookupName and Answer. An observation record's attribute becomes
// PendingPointAttribute; a turn record leaves it as it was.
void ParseObservationRecord(App& app);

// LookupName without its trailing half-width blanks.
void StripTrailingBlanks(App& app);

// LookupName stripped; CurrentPointNumber := the lowest number among 1 to
// PointCount whose name equals it byte for byte, 0 when none does (an empty
// table finds nothing).
void FindPointByName(App& app);

// The point CurrentPointNumber into the work point's X and Y, its height into
// DesignatedPointZ and its name into Answer; WorkPointZ stays.
void LoadCurrentPoint(App& app);

// The last record of the block or levelling run whose first record is at
// `first`: the record before the next station or run start ("*") or kind
// record (a digit 1-9), at most FieldBookRecordLimit.
double LastRecordOfBlock(const App& app, double first);
