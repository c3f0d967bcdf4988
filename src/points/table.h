// The point table's routines: which numbers are in use, the count of points in
// use, and the guards that keep every write inside the table's fixed capacity.
#pragma once

struct App;

// PointCount := the highest number in use (0 when none is); NextPointNumber :=
// PointCount + 1.
void FindHighestUsedPoint(App& app);

// Says that a point number lies outside the table: "点番が許容範囲を超えています"
// as a line of its own, and "chord.wav".
void ReportPointNumberOutOfRange(App& app);
// Says that a point holds the number, so that nothing is stored there:
// "点番 n は使用中です" as a line of its own, and "chord.wav".
void ReportPointNumberInUse(App& app, double number);

// Appends `number` to NewPointList (NewPointCount + 1). The list has room for
// PointCapacity entries below the per-point marks that follow it; when it is full
// the number is not appended, the user is told so with "chord.wav", and false
// comes back.
bool AppendToNewPointList(App& app, double number);

// The first free number from `number` on (itself when it is free); a number in
// use that is passed over is said (ReportPointNumberInUse). 0 when `number` is
// no whole number of the table or no free number is left from it.
double FirstFreePointFrom(App& app, double number);
