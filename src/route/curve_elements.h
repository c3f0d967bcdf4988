// The elements of a curve at an IP: each clothoid's values, the tangent
// lengths and total length, and the circular arc; their window and report
// lines; and route menu 4, the curve-elements screen that changes IA, R, A1
// and A2 key by key.
#pragma once

#include <string>
#include <vector>

#include "core/control.h"

struct App;

namespace route {

// The rounding factors of the settings the elements are rounded with; a
// distance or coordinate factor of 0 leaves ΔR and XM unrounded.
struct Rounding {
  double distance = 1000;    // T
  double coordinate = 1000;  // TN
  double route = 1000;       // DistanceRounding
};

// One clothoid of signed parameter a ending at radius r (r ≠ 0, a ≠ 0).
struct ClothoidElements {
  double a = 0;
  double length = 0;          // L = a² / r
  double x = 0, y = 0;        // end in the local frame (y signed)
  double chord = 0;           // So
  double tangent = 0;         // τ, signed degrees
  double polarDirection = 0;  // polar angle + the direction handed in
  double sigma = 0;           // polar angle σ from arccos(X / So), degrees
  double shift = 0;           // ΔR, rounded by T
  double centreX = 0;         // XM, rounded by TN
  double centreY = 0;         // YM = ΔR + R
  double shortTangent = 0;    // TK
  double longTangent = 0;     // TL
  double normalFoot = 0;      // T
  double normalLength = 0;    // N
};
ClothoidElements ClothoidElementsOf(double a, double r, double direction, const Rounding& k);

// The curve for IA (decimal degrees), R, A1, A2. `included` (dd.mmss) only
// signs the clothoid parameters: above 180 the entry one positive.
struct CurveElementsResult {
  bool hasEntry = false, hasExit = false;
  ClothoidElements entry, exit;  // all 0 when absent
  double tangent1 = 0, tangent2 = 0, totalLength = 0;  // T1, T2, cL (with clothoids)
  double centralAngle = 0;  // θ of the arc (IA without clothoids), degrees
  double tangentLength = 0, arcLength = 0, secant = 0;  // TL, CL, SL of the arc
  double longChord = 0, middleOrdinate = 0;
  bool hasNc = false;
  double nc = 0;
};
CurveElementsResult CurveElementsOf(double ia, double r, double a1, double a2, double included,
                                    double entryDirection, double exitDirection, const Rounding& k);

// Why the screen cannot compute this curve, or "" when it can: clothoids need
// R above 0 and IA above 0 and below 180.
std::string CurveElementsRefusal(double iaDegrees, double r, double a1, double a2);

Rounding RoundingOf(const App& app);

// The report lines (print buffer) of a clothoid curve: the entry block, the IA
// line, the arc block and the exit block, as ShowCurveElements writes them.
std::vector<std::string> CurveReportLines(App& app, double ia, double r, double a1, double a2,
                                          const CurveElementsResult& e);

}  // namespace route

// IA (IntersectionAngle, decimal degrees while it runs), CurveRadius,
// ClothoidA1/A2 and IncludedAngle: the elements into the shared results
// (CurveTangent1/2 as CurveTangent, TotalCurveLength, TangentLength, ArcLength,
// ArcCentralAngle, Entry…, Clothoid… of the exit), the window lines (fixed rows
// while CurveElementsScreen is 1) and the report lines.
void ShowCurveElements(App& app);
// The circular arc alone, labelled IA, at the cursor and into the report.
void ShowCircleElements(App& app);

// Route menu 4: the curve-elements screen.
Jump CurveElements(App& app);
