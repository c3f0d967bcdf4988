// The texts beside a plotted point: its name on "点名", its elevation on "標高"
// and its code on "コ-ド", in a column to the right of the point (the code
// above, the name level with it, the elevation below), upright on the paper.
#pragma once

#include <string>
#include <string_view>

#include "dxf/records.h"

struct App;

namespace dxf {

// The name as the drawing shows it: what follows the first separator (when
// it occurs), from byte `start` on, in full-width characters. A start inside a
// double-byte character begins at the character after it.
std::string NameTextOf(const std::string& name, const std::string& separator, double start);
// The elevation with `decimals` decimals, rounded half up on its absolute value;
// empty for a point without height (exactly 0).
std::string ElevationTextOf(double z, double decimals);
// The code: the attribute from byte 3 when byte 2 is a mark digit "0"-"9", else
// from byte 2; at most 99 bytes, as stored.
std::string CodeTextOf(std::string_view attribute);

// What the texts of one point show; an empty optional text is not written.
struct PointTexts {
  bool name = false, elevation = false, code = false;
  std::string nameText, elevationText, codeText;
};
// The records at the point (x, y), height z, text size `size`.
void WritePointTexts(Sink& out, const PointTexts& texts, double x, double y, Height z, double size);

}  // namespace dxf

// The texts of point `number` at WorkPointX, WorkPointY with the plot settings;
// WorkPointX and WorkPointY are left at the code text's place.
void WritePointTexts(App& app, dxf::Sink& out, int number);
