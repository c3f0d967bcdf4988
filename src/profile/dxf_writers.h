// The single records of a longitudinal section in the DXF drawing: LINE,
// TEXT and CIRCLE on the four section layers, and a whole table column for a
// chainage of the grade line. Each writer reads the SectionPlot's values as
// the caller set them.
#pragma once

#include "profile/section_plot.h"

namespace profile {

// The section's paper position (mm) of a chainage and of a height, by the
// drawing's scale, origin and vertical ratio; the drawing's rotation does not
// turn the section.
double SectionPaperX(const SectionPlot& plot, double chainage);
double SectionPaperY(const SectionPlot& plot, double height);

// LINE from (ProfileLineX1, ProfileLineY1) to (ProfileLineX2, LineEndY).
void WriteProfileFrameLine(SectionPlot& plot);  // on "縦断枠"
void WriteProfilePlanLine(SectionPlot& plot);   // on "計画線"
// LINE on "計画線" between the ground positions of the grade segment
// (GradeFromChainage, GradeFromHeight)-(GradeToChainage, GradeToHeight).
void WritePlanSegment(SectionPlot& plot);
// TEXT of RowValueText at (StationPaperX, LineStartY) with ProfileTextHeight,
// ProfileTextWidth and ProfileTextAngle, in full-width characters.
void WriteProfileFrameText(SectionPlot& plot);  // on "縦断枠"
void WriteProfileValueText(SectionPlot& plot);  // on "縦断値"
// RowValueText as the value of the current row at the current station.
void WriteRowValueText(SectionPlot& plot);
// LINE on "縦断線" from (StationPaperX, LineStartY) to (StationPaperX, LineEndY).
void WriteStationLine(SectionPlot& plot);
// CIRCLE on "計画線" inscribed in row `row`, standing on LineEndY.
void WritePlanCircle(SectionPlot& plot, int row);
// A whole table column at ProfileChainage.
void WriteStationColumns(SectionPlot& plot);

// Row value sizing of row `row`: RowCharCount and RowTextOffset.
void SizeRowValue(SectionPlot& plot, int row);
// `value` with `digits` decimals right-aligned in INT(RowCharCount)
// characters, as the row's value text. A value wider than its field is
// marked rather than cut to its last digits: the field is filled with "*"
// (only the sign's blank may go). A field of no character gives "".
std::string RowValueTextOf(const SectionPlot& plot, double value, double digits);
// The same for a field of INT(width) characters.
std::string FieldTextOf(double value, double digits, double width);

}  // namespace profile
