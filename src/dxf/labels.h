// The labels of the label table in a plot run: triangle numbers in a circle on
// "三斜番号", parcel numbers on "地番" with the land survey table's items that
// the output scene marks, line by line below them on "地番外".
#pragma once

#include <string>
#include <vector>

#include "dxf/records.h"

struct App;

namespace dxf {

// A triangle number "^n" centred on the paper point (x, y) inside its circle,
// for the text size `size`; the whole number after the "^" is shown.
void WriteTriangleNumber(Sink& out, const std::string& label, double x, double y, double size);
// A parcel number centred on (x, y), then its item lines (empty ones keep their
// place); items are already in the form the label shows.
void WriteParcelLabel(Sink& out, const std::string& label, const std::vector<std::string>& items,
                      double x, double y, double size);

}  // namespace dxf

// Every label of the label table at its mapped place, with the text size in
// force; the items of the row that the label filter lets through, searched
// among the table's data rows.
void WriteLabelsToDxf(App& app);
