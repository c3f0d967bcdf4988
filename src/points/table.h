// The point table's routines.
#pragma once

struct App;

// PointCount := the highest number in use; NextPointNumber := PointCount + 1.
void FindHighestUsedPoint(App& app);
// A number is free when its PointX is 0 and it has its default name.
bool IsFreePoint(const App& app, int number);
// The general point input: leaves the point in the work point and its name in Answer.
void InputPoint(App& app);
