// The point table's routines: which numbers are in use, the count of points in
// use, and the guards that keep every write inside the table's fixed capacity.
#pragma once

#include <string>

struct App;

// The name a point number has until it is given one: the number with one leading
// blank (" 125").
std::string DefaultPointName(int number);
// A number is free when its PointX is 0 and it has its default name.
bool IsFreePoint(const App& app, int number);
// PointCount := the highest number in use (0 when none is); NextPointNumber :=
// PointCount + 1.
void FindHighestUsedPoint(App& app);

// Says that a point number lies outside the table: "点番が許容範囲を超えています"
// as a line of its own, and "chord.wav".
void ReportPointNumberOutOfRange(App& app);

// Appends `number` to NewPointList (NewPointCount + 1). The list has room for
// PointCapacity entries below the per-point marks that follow it; when it is full
// the number is not appended, the user is told so with "chord.wav", and false
// comes back.
bool AppendToNewPointList(App& app, double number);
