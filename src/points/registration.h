// Point registration: the road by which a computed point enters the point table.
#pragma once

struct App;

// Registers the work point. Shows it (its coordinate line, its cross and the
// proposed name NextPointName), asks its name ("n ﾃﾝﾒｲ= name"; Enter takes the
// proposal, "^" stands for a leading blank) and, when the name is not the
// number's own text, its number (" ﾃﾝﾊﾞﾝ="; Enter takes the proposal, a text
// that is no number is a new name). A name other points bear is listed, and the
// lowest of them is proposed, so accepting it replaces that point; a new name
// gets PointCount + 1. A number outside 0 to PointCapacity or with a fraction is
// refused ("点番が許容範囲を超えています", "chord.wav") and the question starts
// again, so nothing is ever stored outside the table. Answers: P passes (nothing
// stored, the list line as ZD says), Q leaves for the result menu.
// By ZD: 1 prints only, 2 prints and registers, 3 registers, 4 stores nothing
// (StoredPointNumber := Epsilon).
// Leaves StoredPointNumber, CurrentPointNumber, NextPointNumber (the number after
// the stored one, at most PointCapacity), PointCount (raised to the stored
// number), NewPointList, Answer (the stored name); the work point's X and Y as
// passed in, WorkPointZ 0 after a stored point.
void StorePoint(App& app);
