// The printed plan: the drawing put on the open printer page to scale, with
// its registered lines, arcs and contour labels, the selected points with
// marks, names, heights and codes, the parcel and triangle labels, the paper
// grid and the frame. The page is addressed in tenths of a millimetre, x to the
// right from the printable area's left edge and y downward from its top.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/graphics.h"

struct App;

// Draws the page with the print settings in force (asks the ink first while
// PrintSettingsGiven is 0). It may run several times on one page.
void DrawPrintPage(App& app);
// The straight segment ending at vertex PrintVertex in PrintLineColour with the
// page's current pen, or the height labels of a contour segment (layer 10).
void PrintLineSegment(App& app);
// The printer's pen for the line type in LineTypeCode: "0" solid, "1" "2"
// dotted, "3" "4" dashed, "5" "6" dash-dot, "7" "8" dash-dot-dot; any other
// text keeps the pen.
void SetPrinterLineStyle(App& app);
// The legend of the line types in the main window, as the pens print them.
void ShowLineTypeLegend(App& app);
// The rotated page positions of JoinFromPoint and JoinToPoint (their page y is
// the page height less the ...Up value).
void PointPairToPage(App& app);
// The dotted grid of GridInterval metres with its " X=" and " Y=" labels, cut
// to the paper; nothing for an interval not above 0.
void DrawPaperGrid(App& app);

namespace cad {

// Ground (X north, Y east) to the page: a = (Y - Y0) k, b = (X - X0) k turned
// by the rotation (degrees, anticlockwise on paper) about the paper's
// bottom-left corner; Rotated gives (u, v), v the height above the bottom
// edge, ToPage (u, pageHeight - v).
struct PageTransform {
  double originX = 0, originY = 0, k = 1, rotation = 0, pageHeight = 0;
  RtPoint Rotated(double x, double y) const;
  RtPoint ToPage(double x, double y) const;
};
PageTransform PageTransformOf(const App& app);
// The paper's height and width in page units.
double PageHeightOf(const App& app);
double PageWidthOf(const App& app);

// The grid spacing the scale suggests (the largest threshold not above S);
// 0 below 1:1.
double GridIntervalForScaleOf(double scaleDenominator);
// The number of grid lines the grid tries: every multiple of the interval five
// paper sizes either side of the origin, both ways.
double GridLineCount(double interval, double scale, double paperWidth, double paperHeight);

// A contour segment's height labels: at every whole metre of height between its
// ends, the distance along the chord from its start and the text (the height
// when a multiple of 5, else its last digit).
struct ContourLabel {
  double distance;
  std::string text;
  double height;
};
std::vector<ContourLabel> ContourLabelsOf(double startZ, double endZ, double chordLength);
std::string ContourLabelText(double height);

// The point pass's texts.
std::string OwnMarkSymbol(std::string_view markDigit);  // empty: the general mark
std::string PrintedPointName(const std::string& name, const std::string& separator);
std::string PrintedHeight(double z, double decimals);  // empty: none printed
std::string PrintedPointInfo(const std::string& attribute);
// The characters of a CP932 text, one by one.
std::vector<std::string> CharactersOf(std::string_view text);

// Font sizes in points from the text size s: point texts, parcel labels,
// triangle numbers, survey items.
struct LabelFonts {
  int point, parcel, triangle, item;
};
LabelFonts LabelFontsOf(double s);
// A land-survey item as the printed label shows it: column 5 "(cell)", 7
// "(cell㎡)" without blanks, 8 "cell㎡" without blanks, others the cell.
std::string SurveyItemText(int column, const std::string& cell);

}  // namespace cad
