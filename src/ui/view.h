// The small drawing routines of the dynamic view that every calculation and
// every redraw shares. Each is a routine without arguments: the caller sets the
// named inputs (in ViewState, the point store and the settings) right before the
// call, and the routine draws at once and leaves its results there.
#pragma once

#include <string>
#include <string_view>

#include "ui/redraw.h"
#include "ui/tool_palette.h"
#include "ui/transform.h"

struct App;

// One point of the point table, PointToDraw, when it lies strictly inside the
// view: a disc (ZEG -1) or its mark symbol and code (ZEG 1), its name (ZEE 1)
// and its height (ZEI 1, height not 0).
// DrawPoint: in the normal colours (PointDrawColour 11, 0 on white; names 1); a
// free or deleted number is no point and is not drawn.
void DrawPoint(App& app);
// In the highlight colours (PointDrawColour 5, names 3).
void DrawPointHighlighted(App& app);
// In the caller's PointDrawColour and PointNameColour.
void DrawPointInCallerColours(App& app);

// The cross mark of the point in hand at the work point, with Answer beside it:
// turns the previous cross old (colour 6, name 3) unless the view was just
// cleared (ViewClearedFlag), then draws the new one ("+" in 2, the name in
// PointDrawColour := 2).
void DrawCrossWithName(App& app);
// The new cross and name only, the name in the caller's PointDrawColour.
void DrawCrossWithNameNoErase(App& app);

// DrawCrossWithName, then a solid line from the from-point to the cross in
// colour 9 (DrawLineToPoint) or in the caller's LineToPointColour.
void DrawLineToPoint(App& app);
void DrawLineToPointInColour(App& app);

// The view's pen for the connection-line type in LineTypeCode: "0" solid, "1"
// "2" dotted, "3" "4" dashed, "5" "6" dash-dot, "7" "8" dash-dot-dot, "9" none;
// any other text leaves the pen as it is.
void SetLineStyleFromCode(App& app);

// The signed radius of a connection-line vertex's arc text: the number before
// its first blank (the side digit follows the blank); 0 for no arc. A radius
// with more digits than any number holds is infinite: such an arc has no circle
// to draw.
double RadiusOfArcText(const std::string& arc);

// MarkSymbol := the symbol of the mark code in PointMarkText.
void MarkCodeToSymbol(App& app);

// The route's IP polyline with the IP numbers, while RouteIpDisplay is not 0.
void DrawRouteIpLines(App& app);

// Grid lines ViewGridSpacing metres apart over the whole view, in ViewGridColour
// with the view's current pen.
void DrawViewGrid(App& app);

// The base-line marker of the station commands.
void DrawStationMarker(App& app);

namespace ui {
// Pen styles of the view's lines.
inline constexpr int kPenSolid = 0;
inline constexpr int kPenDash = 1;
inline constexpr int kPenDot = 2;
inline constexpr int kPenDashDot = 3;
inline constexpr int kPenDashDotDot = 4;
inline constexpr int kPenNull = 5;

// The symbol text of a mark code: "◇" for "2", "□" "3", "△" "4", "○" "5", "§" "6",
// "×" "7", "＋" "8", "＊" "9", and "・" for anything else.
std::string MarkSymbolOf(std::string_view code);
// The offset of names and marks from their point: LabelOffset once the input
// routine's redraw has set it, else the value that redraw gives it.
double LabelOffsetInForce(const App& app);
}  // namespace ui
