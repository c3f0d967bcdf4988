// Bulk edits of the names and marks of chosen points. Each asks a selection,
// edits its points, and asks again until the selection comes back empty.
#pragma once

#include <string>

#include "core/control.h"

struct App;

// Coordinate input mode 8. Each pass: "変更対象", SelectPoints, the text to
// replace ("置換前文字＝ ", offering the stem of the last "-", "+" or "="
// answer) and the replacement ("置換後文字＝ "); every chosen point's name gets
// the replacement in place of the first occurrence of the text, or in front
// when the text is empty, and is printed before and after. An empty selection
// normalises every name, brings the connection lines' copies of the names up
// to date (RefreshLineVertexNames) and goes on to NormalizeNamesThenPlot.
Jump ReplacePointNameText(App& app);

// Coordinate input mode 7 and the connection-line editor's choice 8. Each pass
// shows the marks (ZEG := 1), offers the tool palette (LineConnectMode := 2),
// asks a selection and gives every chosen point the mark CurrentMark (an empty
// attribute first becomes "90"), printing its name and the mark. An empty
// selection goes on to RepeatLastCommand.
Jump ChangeMarks(App& app);

// LinePointName(i) := PointName(LinePointNumber(i)) for every vertex 1 to
// LineVertexCount whose number lies in the table.
void RefreshLineVertexNames(App& app);

namespace points {

// The name with `replacement` in place of the first occurrence of `search`,
// found character by character (a trail byte of a double-byte character is
// never the start of a match), the rest of the name after it kept whole; the
// name unchanged without an occurrence; `replacement` + name for an empty
// `search`.
std::string ReplacedPointName(const std::string& name, const std::string& search,
                              const std::string& replacement);

// The attribute with the mark digit `mark` as its character 2: the line-type
// character and the whole code after the mark are kept; an empty attribute is
// "90" (not joined, mark 0) first.
std::string AttributeWithMark(const std::string& attribute, double mark);

}  // namespace points
