// The number from which a calculation registers the points it computes.
#pragma once

struct App;

// Unless ZD is 1: "始点登録[L,N] No. " with NextPointNumber (guide 21), the
// answer upper-cased. Enter keeps the proposal; a whole number of the table (1
// to PointCapacity) becomes NewPointStartNumber; any other answer is said
// ("点番が許容範囲を超えています") and the question asked again; "N" leaves for
// RepeatLastCommand; "L" shows the coordinate table from NextPointNumber and
// takes the number of the row where it was left (LegDirection, which the table
// moves, kept). With ZD 1 nothing is asked and NewPointStartNumber keeps its
// value. Then RunFirstPointNumber := NewPointStartNumber and PointCountAtStart
// := PointCount, so that the points registered from it can be undone.
void AskNewPointStartNumber(App& app);
