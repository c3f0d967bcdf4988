// The number from which a calculation registers the points it computes.
#pragma once

struct App;

// Unless ZD is 1: "始点登録[L,N] No. " with NextPointNumber (guide 21), the
// answer upper-cased. A number of the table (1 to PointCapacity,
// whole) becomes NewPointStartNumber, other answers keep the proposal; Enter keeps the
// proposal; "N" leaves for RepeatLastCommand; "L" shows the coordinate table
// from NextPointNumber and takes the number of the row where it was left.
// With ZD 1 nothing is asked and NewPointStartNumber keeps its value.
// LEAST VERSION: what the field-book calculation keeps beside the number for
// undoing its points comes with that calculation.
void AskNewPointStartNumber(App& app);
