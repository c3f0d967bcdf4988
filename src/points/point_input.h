// The point question that nearly every calculation asks for each of its input
// points, and the option lines printed before point questions.
//
// The caller prints a short label and calls InputPoint. Afterwards it tests
// RawAnswer first:
// - "%": the question was abandoned (Enter alone at "NO." or at the X question);
//   the work point is as before the call, DesignatedPointZ 0.
// - empty: a point was designated. An existing point: the work point holds its
//   X, Y and height, DesignatedPointZ its height, Answer its name,
//   CurrentPointNumber and LastPointX/Y are set and it is appended to
//   NewPointList. A point typed by its coordinates: the work point holds them
//   (the typed height with ZE 3), Answer is empty.
// - "=": a point was measured from the instrument station (the relative entry)
//   and TargetHeight is the set-up's instrument height again.
// The answer Q and the resolver's exits Q, W and Z do not return.
// With ZD 2 or less the designated point's report line is written (by
// PointInputMode: 0 the numbered line, 1 the plain list line).
#pragma once

#include <string_view>

struct App;

// Saves the work point (SavedWorkPoint and InputSavedPoint, PreviousWorkPointZ)
// and asks as PointInputMode says: 0 an existing point, 1 its coordinates. The
// answer P switches PointInputMode, which the next question keeps.
void InputPoint(App& app);
// The question for an existing point, without saving the work point. While a
// selection is pending (SelectionIndex <= SelectionLast) its next entry is taken
// without asking; the answer O makes a new selection.
void InputExistingPoint(App& app);
// The question for a point's coordinates ("X=", "Y=", "Z=" with ZE 3), without
// saving the work point. A text at the X question that reads as no number is
// taken as a point reference, as at "NO.".
void InputNewPointByCoordinates(App& app);
// Designates and shows the point whose number the caller put into WorkPointY,
// as when it is answered.
void ShowSelectedPoint(App& app);

// An option line: `options` from `column` of the current row, then PointCount
// (whole) in colour 5; the text colour 7 again and the cursor back to column 0,
// where the question that follows is printed.
void ShowOptionLineAt(const App& app, int column, std::string_view options);
// The resolver's option line, "[M,L,J,I,Q]" and PointCount, at column 44.
void ShowPointOptionLine(App& app);
// The point question's option line, "[[=],P,M,L,J,I,O,=,Q]" and PointCount, at
// column 34; WorkPointY := CurrentPointNumber.
void ShowPointInputOptionLine(App& app);

// The coordinate table screen opened at NextPointNumber; the number chosen there
// comes back in TablePointNumber.
void ShowCoordinateTableFrom(App& app);
