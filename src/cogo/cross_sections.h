// Cross sections from points surveyed in plan along a section line (the base
// line), and sections placed one above another.
#pragma once

#include "core/control.h"

struct App;

namespace cogo {

// The new point of a point `along` the section line, `offset` across it, at
// `height`: in the axis-exchanged mode 1 X := height + DH, Y := along, Z := 0
// (the section drawn as a profile in the plan); in any other mode X := along +
// DH, Y := offset, Z := height.
struct SectionPoint {
  double x = 0;
  double y = 0;
  double z = 0;
};
SectionPoint CrossSectionPointOf(double along, double offset, double height, double axisMode, double placement);

}  // namespace cogo

// Transformation kind 9: the attributes to their start (mode 1, pitch and DH
// 0), then the menu.
Jump CrossSectionConversion(App& app);
// " 1:基準設定  2:方向変更  3:基点移動  4:属性変更  5:変換開始 ": the base-line tools
// (which come back here), the attributes, a run. The section line is straight
// and starts at chainage 0. While a tool or a run works, points are
// registered without report lines (ZD 3); ZD is as before whatever way they
// end. Any other answer: the result menu.
Jump CrossSectionConversionMenu(App& app);
// "ZX->XY[0,1]" and, unless the mode is 0, "配置ﾋﾟｯﾁ= ".
Jump EditCrossSectionAttributes(App& app);
// "配置 DH=" once DH is not 0, the origin and direction lines of the report,
// then batches of selected points, each from a start number: every point
// converted along the section line and written as a new point with its name
// and attribute, a report line and a screen line each. A batch that would pass
// the table's end is refused, one over points in use asked first. An empty
// selection ends the run ("_") and raises DH by the pitch.
Jump RunCrossSectionConversion(App& app);

// Transformation kind 10: "ｲﾄﾞｳﾋﾟｯﾁ=", then per section "ｲﾄﾞｳDH=" (offering
// the pitch, then DH + pitch) and the points selected moved by DH in X. An
// empty selection ends in the result menu.
Jump CrossSectionPlacement(App& app);
