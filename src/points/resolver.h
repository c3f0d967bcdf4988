// The point reference resolver: turns the answer of a point question into a
// point number of the point table, lets the user choose when the answer is not
// enough (same-named points, the names by hundreds, the coordinate table screen),
// and carries out the command letters every point question shares.
//
// Every entry takes the answer in Answer and leaves the number of the point found
// in WorkPointY, where callers read it at once. With the point found go Answer :=
// its name, LastPointAnswer := the answer it was found from, PointToDraw, and
// LastPointX/Y := its coordinates; the point is drawn highlighted (not while
// BrowseKey holds a carriage return).
//
// An answer that names no point prints "ｱﾘﾏｾﾝ" (not for an empty answer) and
// leaves WorkPointY := CurrentPointNumber with PointNotFound := Epsilon; with
// PointReaskFlag not 0 the resolver asks "NO. " again by itself until a point is
// found. The answers Q, W and Z do not return: they jump to RepeatLastCommand,
// SearchPointArea and PlotAllPoints. The answer I registers a new point typed by
// its coordinates and returns its number.
#pragma once

struct App;

// The full entry: the answer "P" (either case) leaves Epsilon in WorkPointY and
// returns at once; every other answer as ResolvePointNumberOrName.
void ResolvePointReference(App& app);
// PointNotFound := 0, then the answer as a number (a first digit 1 to 9 and a
// value within the table, in use or not), a name prefix followed by "=" (the
// names are listed and the question counts as unanswered), or a command, or a
// name compared exactly ("^" standing for a leading blank).
void ResolvePointNumberOrName(App& app);
// The caller sets Answer to "L" and WorkPointY to the number at which the
// coordinate table screen opens; the number of the row chosen there comes back
// in WorkPointY, with the same companions as a name found.
void ResolvePointFromList(App& app);
