// The outline of the parcel in hand as area lines of the connection-line table.
#pragma once

struct App;

// Appends the vertices of SelectionList 0 to SelectionIndex - 1 (entry 0 alone
// when SelectionIndex is 0) as one polyline on layer 6, the area lines: the
// first entry type 9, the others type 0, and for a closed parcel (ParcelKind
// not "2") vertex 0 once more to close it. CurrentLineType is left 0. An outline
// that would pass the table's capacity is refused whole with a message.
void AddParcelOutlineAsAreaLines(App& app);
