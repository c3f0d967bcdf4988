// The frame of a longitudinal section in the DXF drawing: the datum line and
// its text, the item table's lines and row names, the height scale, the scale
// triangle and the station flags, all on the frame layer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "profile/section_plot.h"

struct App;

namespace profile {

// The height scale's tick step as a factor: 0.2 (a tick a metre, long every
// 5 m), or 0.1 (ticks every 10 m only) when scale x ratio reaches 400.
double TickFactorOf(double scaleTimesRatio);
enum class Tick { None, Short, Long };
// The tick at height h with factor f (long ones are labelled); the height
// rounding of the settings decides what counts as a whole multiple.
Tick TickOf(const App& app, double h, double f);
// The ticks of the scale from the datum level + 1 m up, metre by metre, to
// the pass that reaches the top (at most 10000 passes): heights and kinds.
struct ScaleTick {
  double height = 0;
  Tick tick = Tick::None;
};
std::vector<ScaleTick> ScaleTicksOf(const App& app, double datumLevel, double top, double f);

// A station flag's text: with flag numbers, "NO." and the station number, and
// "+", the plus distance and two blanks when off a full station; then up to
// 100 characters of the point's code (its attribute from character 3).
std::string FlagTextOf(double chainage, std::string_view attribute, double interval, bool numbers,
                       double plusDecimals);
// A flag's leader length: its text's bytes x height x width x factor, + 5 mm.
double FlagLengthOf(std::string_view text, double height, double width, double textWidthFactor);
// A flag is raised above the previous one when it stands closer to it than the
// previous text's length, on either side.
bool FlagRaised(double previousX, double x, double previousLength);

// The row name's width factor: 5 mm over its characters (a double-byte one
// counting one), times the text mode's factor; 0 for an empty name.
double RowNameWidthOf(std::string_view name, double textWidthFactor);

// Writes the whole frame of the section.
void WriteSectionFrame(SectionPlot& plot);

}  // namespace profile
