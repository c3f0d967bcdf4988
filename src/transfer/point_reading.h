// What the digitizer and the bitmap reading share: the automatic name of the
// next point, and the store of each position read as a point.
#pragma once

#include <string>
#include <string_view>

struct App;

namespace transfer {

// The attribute of a point read off a drawing: no mark and no line type, never
// what the slot held before.
inline constexpr std::string_view kReadPointAttribute = "";

// Proposes the name after the last split name (NextPointName), prints `prompt`
// and the proposal, and asks with guide 154. Returns false for "Q" or "q";
// otherwise `name` is the answer, or the proposal for Enter alone.
bool AskReadingName(App& app, std::string_view prompt, std::string& name);

// True when RegistrationNumber lies in the table; otherwise tells that the
// table ends at 9999 and returns false, so that nothing is stored past it.
bool RoomForReadPoint(App& app);

// Stores WorkPointX and WorkPointY as point RegistrationNumber with `name`,
// height 0 and the read points' attribute, marks it with its name in the view,
// plays "ding.wav", raises PointCount to it and RegistrationNumber by one.
// Returns the number stored.
int StoreReadPoint(App& app, const std::string& name);

// The name that follows `name` (SplitPointName, then NextPointName): P9, P10.
std::string NameAfter(App& app, const std::string& name);

}  // namespace transfer
