// NOT AVAILABLE YET: the grade line, the plan-curve band and the line-type
// rows of the section's drawing.
#include "profile/curve_band.h"
#include "profile/grade_line.h"
#include "profile/line_type_rows.h"

namespace profile {

void ResetCurveBand(SectionPlot&, int, int) {}
void WriteCurveBandStation(SectionPlot&, int) {}
void WriteProfileGradeLine(SectionPlot&) {}
bool IsLineTypeRowKind(int kind) { return kind >= 16 && kind <= 25; }
int LineTypeOfRowKind(int) { return 0; }
void FindLineTypeHeight(SectionPlot& plot, int, int) { plot.RowValueText.clear(); }
void FindLineTypeGradient(SectionPlot& plot, int, int) { plot.RowValueText.clear(); }

}  // namespace profile
