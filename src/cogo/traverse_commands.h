// The traverse-line command loop: one typed answer at a "how far" question of
// the line and circle extensions (and of the route's clothoid and width
// stakes) is a value — a distance, possibly converted by a letter — or a
// command that changes the line or does a side task.
//
// An answer is an optional number followed by one command character: the
// number is the value the text begins with, the command its last character.
#pragma once

#include <string>
#include <string_view>

struct App;

namespace cogo {

struct ParsedTraverseCommand {
  double value = 0;     // the number the text begins with, 0 when none
  std::string command;  // its last character, a-z upper-cased; a double-byte
                        // character whole (it matches no command)
};
ParsedTraverseCommand ParseTraverseCommandText(std::string_view text);

// Whether a value answer carries the height along the line: always in the
// three-dimensional mode, otherwise only when its last character is not a
// digit, "/" or ":" (an answer converted by S or V, or "25.").
bool CarriesHeight(double ze, std::string_view command);

// The slope distance s along a gradient of g per cent, reduced to the
// horizontal: s × cos(atan(g / 100)).
double HorizontalOfSlope(double slopeDistance, double gradePercent);

// A direction (decimal degrees) turned by a dd.mmss angle (0 turns by 90), back
// into 0 up to 360.
double TurnedDirection(double direction, double turnDms);

}  // namespace cogo

// TraverseCommandValue and CommandDistance := the number TraverseCommand begins
// with; TraverseCommand := its last character, upper-cased.
void ParseTraverseCommand(App& app);

// Carries out TraverseCommand (never empty: callers test that first).
// TraverseCommandHandled 1: a command was done (B new back-sight, H bisect,
// "/" and "=" reverse traverses, K intersection, "+" and "-" local and public
// coordinates, C offsets on and off, "*" radial cross-section, "%" gradient and
// ZE 3, A turn). 0: a value — CommandDistance (S and V convert it, P takes the
// offset and height tool's), WorkPointZ and LineRunningHeight carried by the
// gradient as CarriesHeight says, and the report line (PrintPromptValue). Q
// leaves for RepeatLastCommand.
void RunTraverseCommand(App& app);
// WorkPointZ := 0 and CarryGradeHeight := 1, then RunTraverseCommand.
void RunTraverseCommandWithGrade(App& app);

// The offset question after a staked point: "W=" with "[P,*,/,+,-,=,K,Q]"
// (guide 187) through the input routine with the marker from BasePointX/Y
// along BaseAzimuth (the caller's), so a pick answers with the offset across
// the line. BaseRadius, BaseChainage := 0; PromptText := "W=";
// TraverseCommand := the answer.
void PromptTraverseCommand(App& app);
// LineGradePercent := 0, LineRunningHeight := DesignatedPointZ, then
// PromptTraverseCommand.
void PromptTraverseCommandAtPoint(App& app);
