// Point registration: the road by which a computed point enters the point table.
#pragma once

#include <string>

struct App;

// Registers the work point (public coordinates; with CoordinateDisplayMode -1
// its station and offset along the base line are registered). Shows it (its
// coordinate line, its cross and the proposed name NextPointName; with ZE 4 also
// its station and offset), asks its name ("n ﾃﾝﾒｲ= name"; Enter takes the
// proposal, "^" stands for a leading blank) and, when the name is not the
// number's own text, its number (" ﾃﾝﾊﾞﾝ="; Enter takes the proposal, a text
// that is no number is a new name). A name other points bear is listed, and the
// lowest of them is proposed, so accepting it replaces that point; a new name
// gets PointCount + 1. A number outside 0 to PointCapacity or with a fraction is
// refused ("点番が許容範囲を超えています", "chord.wav") and the question starts
// again, so nothing is ever stored outside the table.
//
// Commands of the name question: P passes (nothing stored, the list line as ZD
// says); L picks the number from the coordinate table screen; "+" asks "z=",
// adds it to the height and, in the local system or with ZE 4, moves the point
// onto the base line or arc; "*" offers it in the other system; "=" and "/" the
// stake-out report to it, with and without guidance; "text=" proposes the name
// after that of the highest-numbered point whose name begins with the text; Q
// leaves for the result menu.
//
// While no traverse kind is set, the point is joined by a connection line of the
// palette's type to the point the command registered before (for the first, to
// point PointCount). With a traverse kind set outside the radial observation only
// the name is asked and nothing is stored ("chord.wav"); in the observation's "*"
// case the point goes back under NextPointNumber without the same-name step and
// the commands. By ZD: 1 prints only, 2 prints and registers, 3 registers, 4
// stores nothing (StoredPointNumber := Epsilon).
//
// Leaves StoredPointNumber, CurrentPointNumber, NextPointNumber (the number after
// the stored one, at most PointCapacity), PointCount (raised to the stored
// number), NewPointList, Answer (the stored name); the work point's X and Y as
// passed in (after "+" the moved point), WorkPointZ 0 after a stored point. With
// ZE 1 or 2 the stake-out report follows.
void StorePoint(App& app);

// Stores the work point under the number StoredPointNumber and the name Answer
// without a question: CurrentPointNumber := NextPointNumber := StoredPointNumber,
// then all that PrintStoredPoint does.
void StorePointAt(App& app);
// Stores the work point at NextPointNumber under the name Answer with the
// attribute PendingPointAttribute, writes its list line as ZD says, lists the
// number in NewPointList and steps NextPointNumber on; the work point's X and Y
// are then PendingPointX and PendingPointY. A number outside the table, or the
// last number of the table while a point holds it, stores nothing: the user is
// told so.
void PrintStoredPoint(App& app);
// The same for a point written back over itself at NextPointNumber, its own
// number: the last number of the table is taken while a point holds it, for
// that point is the one being rewritten.
void RewriteStoredPoint(App& app);

namespace points {
// The reference of a radiation record to the first record of its station: the
// record's number right-aligned in three characters, then "=" ("  5=" for 5).
// A number of four digits keeps them all ("1234="), so that no reference points
// to another record; readers take the number before the "=".
std::string RadiationReferenceOf(double number);
}  // namespace points
