// The offset and height tool: one point of a cross-section worked out by
// walking across the line from a start position, changing a running offset
// and a running height with short commands until Enter accepts the position.
//
// Its questions are plain line inputs (no picks, no "%" escape); a number
// question answered with Enter alone reads 0, and a text that is no number is
// asked again.
#pragma once

#include <string_view>

struct App;

namespace cogo {

struct ToolPosition {
  double offset = 0;
  double height = 0;
};
// Along a gradient of g per cent for the horizontal length L: the offset
// follows the sign of L, the height changes by |L| × g / 100.
ToolPosition AlongGradient(ToolPosition from, double gradePercent, double length);
// Along the slope distance s at the vertical angle a (dd.mmss, above the
// horizontal): offset + s cos a, height + |s| sin a.
ToolPosition AlongSlope(ToolPosition from, double angleDms, double slopeDistance);
// To the height `height` by a slope of `ratio` horizontal to 1 vertical: the
// offset grows by the ratio times the height change, always outwards.
ToolPosition AlongRatio(ToolPosition from, double height, double ratio);

}  // namespace cogo

// A number by a plain line input with `prompt`: Enter alone reads 0; a text
// that is no number is refused and asked again.
double InputPlainNumber(std::string_view prompt);

// The tool's loop ("Tool=", guide 50) from ToolOffset (0), ToolOffsetMark (0)
// and the start height WorkPointZ = LineRunningHeight. Enter: CommandDistance
// := ToolOffset, LineRunningHeight := WorkPointZ, the report line
// (PrintPromptValue) and return. Q leaves for RepeatLastCommand.
void RunOffsetHeightTool(App& app);

// The status line(s) in colour 3: with ToolLevelDisplay -1 "IH=", " FS=" and
// "  tp="; always "(Z=" height "  L=" offset ")".
void ShowToolStatus(App& app);

// ToolOffset := 0; "Z=" of a height into WorkPointZ; 0 (or Enter) asks an
// existing point and takes its height.
void InputToolHeight(App& app);

// W: a slope ratio ("ﾜﾘ=", the last ratio as default; "%" goes back to the
// tool without a change) and then the first answered of "z=" (a height
// difference), "Z=" (a height), "F.S=" (a staff reading) or "Iz=" with "f="
// (a difference from the instrument and the target height); all four empty
// ask again from "ﾜﾘ=".
void ApplySlopeRatio(App& app);
