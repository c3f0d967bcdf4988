// The parcel division: its menu with the parcel shown in clockwise order, and
// the three cuts (parallel to the base line by area or by distance, through the
// base point by area) whose crossing points are registered.
#pragma once

#include "core/control.h"

struct App;

// Area menu choice 5 and division choice 4: the parcel chooser of the coordinate
// area report, which hands the finished parcel to the division menu.
Jump SelectParcelToDivide(App& app);

// Puts the parcel in hand into clockwise order (reversing an anticlockwise one),
// lists its vertex names, closes the list with a copy of vertex 0 and shows
// "分割対象  地番＝ " with the land number and the area (DivisionParcelArea).
void ShowDivisionTarget(App& app);

// The division menu. It takes the report's vertex count only when the report
// hands it a parcel; a parcel of more than 999 vertices is refused.
Jump ParcelDivisionMenu(App& app);

// "分割面積=" (choices 5 and 7; a negative answer is taken from the parcel's
// area) and "基準からの距離=" (choice 6); each asks again after its result or
// " 計算出来ません", and Enter alone goes back to the menu.
Jump DivideParcelByArea(App& app);
Jump DivideParcelByDistance(App& app);

namespace area {
// The largest parcel the division takes: SelectionList entries from 1000 on
// are its working space.
inline constexpr int kMaxDivisionVertices = 999;
}  // namespace area
