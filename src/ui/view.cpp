// The drawing primitives of the dynamic view: points with their symbol, name,
// code and height, the cross mark of the point in hand and the line to it, the
// pen of a connection-line type, the route's IP polyline and the grid lines.
//
// Texts are placed as the view places them everywhere: a one-dot point at the
// anchor makes it the graphics position, and the text printed there has its
// top-left corner at the anchor and moves the position on past itself.
#include "core/point_names.h"
#include "ui/view.h"

#include <cmath>
#include <limits>
#include <string>

#include "core/app.h"
#include "core/numeric.h"
#include "runtime/errors.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "runtime/window_id.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;
constexpr int kForeground = -1;  // a dot in the view's current text colour

int Colour(double colour) { return RtWhole(colour); }

// `text` with its top-left corner at (x, y), after a one-dot anchor there in
// the view's current text colour.
void TextAt(double x, double y, const std::string& text) {
  RtPset(kView, x, y, kForeground);
  RtPrintToWindow(kView, text, false);
}

// Strictly inside the view: a point on an edge is not drawn.
bool InsideView(const App& app, double x, double y) {
  const ui::ViewState& v = app.view;
  return v.ViewOriginX < x && x < v.ViewOriginX + v.ViewHeight * v.ViewScale * v.VerticalRatio &&
         v.ViewOriginY < y && y < v.ViewOriginY + v.ViewWidth * v.ViewScale;
}

// The free code of an attribute: from character 3 on when its mark is a digit,
// else from character 2 on (the mark character is then part of the code); at
// most 20 characters.
std::string AttributeCode(const std::string& attribute, const std::string& markText) {
  const bool markIsDigit = markText.size() == 1 && rt::IsDigit(markText[0]);
  return RtMid(attribute, markIsDigit ? 3 : 2, 20);
}

// A disc of radius 2 view units: at 0.1 mm a unit is about a third of a pixel,
// so the disc is its filled square, drawn whatever the view's pen.
void DrawDisc(double sx, double sy, int colour) {
  constexpr double r = 2;
  RtLine(kView, sx - r, sy - r, sx + r, sy + r, colour, RtLineShape::FilledBox, -1, 0);
}

// The mark symbol above the point and the code to its lower right.
void DrawMarkAndCode(App& app, const std::string& attribute, double sx, double sy, double offset) {
  ui::ViewState& v = app.view;
  RtColor(kView, static_cast<int>(std::floor(v.PointDrawColour / 2)));
  v.PointMarkText = RtMid(attribute, 2, 1);
  MarkCodeToSymbol(app);
  TextAt(sx - offset, sy - offset, v.MarkSymbol);
  RtColor(kView, 4);
  TextAt(sx + 1.3 * offset, sy + offset, AttributeCode(attribute, v.PointMarkText));
}

// The cross of a point in hand: an anchor dot in colour 0 left of and above
// (sx, sy), "+" in `crossColour` and `name` after it in `nameColour`.
// `background` -1 keeps the view's text background.
void PrintCross(const App& app, double sx, double sy, int crossColour, int nameColour,
                const std::string& name, int background) {
  const double offset = ui::LabelOffsetInForce(app);
  RtPset(kView, sx - 0.3 * offset, sy - offset, 0);
  RtColor(kView, crossColour, background);
  RtPrintToWindow(kView, "+", false);
  RtColor(kView, nameColour, background);
  RtPrintToWindow(kView, name, false);
}

// The view position of the point whose number a table holds.
double PointViewX(const App& app, double number) {
  return ViewUnitX(app, app.points.PointY(number));
}
double PointViewY(const App& app, double number) {
  return ViewUnitY(app, app.points.PointX(number));
}

// Rows of the route table read by the IP polyline.
constexpr int kFirstIpNumberRow = 2;
constexpr int kStartPointRow = 5;
constexpr int kFirstIpRow = 6;
constexpr int kRowsPerIp = 4;
constexpr double kLastIpRadius = 9999;

}  // namespace

namespace ui {

std::string MarkSymbolOf(std::string_view code) {
  static constexpr std::string_view kSymbols[] = {"◇", "□", "△", "○", "§", "×", "＋", "＊"};
  if (code.size() == 1 && code[0] >= '2' && code[0] <= '9')
    return std::string(kSymbols[code[0] - '2']);
  return "・";
}

double LabelOffsetInForce(const App& app) {
  const ViewState& v = app.view;
  return v.LabelOffset != 0 ? v.LabelOffset : (v.ViewFontSize + v.ViewFontStep) * double(1.43f);
}

}  // namespace ui

// ---- Points ----

void DrawPoint(App& app) {
  // A free number is no point (it would stack default names at ground (0, 0)),
  // nor is a deleted one. A number outside the table is error 9.
  const std::string& attribute = app.points.PointAttribute(app.view.PointToDraw);
  if (attribute == "NULL" || IsFreePoint(app, RtWhole(app.view.PointToDraw))) return;
  app.view.PointDrawColour = app.settings.RG == 15 ? 0 : 11;
  app.view.PointNameColour = 1;
  DrawPointInCallerColours(app);
}

void DrawPointHighlighted(App& app) {
  app.view.PointDrawColour = 5;
  app.view.PointNameColour = 3;
  DrawPointInCallerColours(app);
}

void DrawPointInCallerColours(App& app) {
  const ui::ViewState& v = app.view;
  const points::Store& p = app.points;
  const double i = v.PointToDraw;
  const double x = p.PointX(i);
  const double y = p.PointY(i);
  if (!InsideView(app, x, y)) return;
  const double sx = ViewUnitX(app, y);
  const double sy = ViewUnitY(app, x);
  const double offset = ui::LabelOffsetInForce(app);
  const shell::Settings& s = app.settings;
  if (s.ZEG == -1) DrawDisc(sx, sy, Colour(v.PointDrawColour));
  if (s.ZEE == 1) {
    // The anchor dot takes the colour in force before the name's.
    RtPset(kView, sx + offset, sy - offset, kForeground);
    RtColor(kView, Colour(v.PointNameColour));
    RtPrintToWindow(kView, p.PointName(i), false);
  }
  if (s.ZEG == 1) DrawMarkAndCode(app, p.PointAttribute(i), sx, sy, offset);
  if (s.ZEI == 1 && p.PointZ(i) != 0) {
    RtSymbol(kView, sx + 0.3 * offset, sy - 3 * offset, FormatDecimals(p.PointZ(i), 2), 1, 1, 0,
             Colour(v.HeightTextColour));
  }
}

void MarkCodeToSymbol(App& app) { app.view.MarkSymbol = ui::MarkSymbolOf(app.view.PointMarkText); }

// ---- The cross mark and the line to it ----

void DrawCrossWithName(App& app) {
  ui::ViewState& v = app.view;
  v.PointDrawColour = 2;
  // A view reset forgets the cross by putting it at (0, 0): recoloured there,
  // the old name would show in the view's top-left corner.
  const bool forgotten = v.LastCrossScreenX == 0 && v.LastCrossScreenY == 0;
  if (v.ViewClearedFlag != 0) {
    v.ViewClearedFlag = 0;
  } else if (!forgotten) {
    // The previous cross stays as an old one.
    PrintCross(app, v.LastCrossScreenX, v.LastCrossScreenY, 6, 3, v.LastCrossName,
               Colour(app.settings.RG));
  }
  DrawCrossWithNameNoErase(app);
}

void DrawCrossWithNameNoErase(App& app) {
  ui::ViewState& v = app.view;
  v.LastCrossScreenX = ViewUnitX(app, app.points.WorkPointY);
  v.LastCrossScreenY = ViewUnitY(app, app.points.WorkPointX);
  PrintCross(app, v.LastCrossScreenX, v.LastCrossScreenY, 2, Colour(v.PointDrawColour),
             app.input.Answer, -1);
  v.LastCrossName = app.input.Answer;
}

void DrawLineToPoint(App& app) {
  app.view.LineToPointColour = 9;
  DrawLineToPointInColour(app);
}

void DrawLineToPointInColour(App& app) {
  RtSetLineStyle(kView, ui::kPenSolid);
  DrawCrossWithName(app);
  const ui::ViewState& v = app.view;
  const points::Store& p = app.points;
  RtLine(kView, ViewUnitX(app, p.FromPointY), ViewUnitY(app, p.FromPointX), v.LastCrossScreenX,
         v.LastCrossScreenY, Colour(v.LineToPointColour), RtLineShape::Line, -1, 0);
}

// ---- Pens, the route's IP polyline, the grid ----

void SetLineStyleFromCode(App& app) {
  const std::string& code = app.view.LineTypeCode;
  if (code.size() != 1 || code[0] < '0' || code[0] > '9') return;
  using namespace ui;
  static constexpr int kStyles[] = {kPenSolid,      kPenDot,     kPenDot,     kPenDash,
                                    kPenDash,       kPenDashDot, kPenDashDot, kPenDashDotDot,
                                    kPenDashDotDot, kPenNull};  // by the digit
  RtSetLineStyle(kView, kStyles[code[0] - '0']);
}

double RadiusOfArcText(const std::string& arc) {
  const std::size_t start = arc.find_first_not_of(' ');
  if (start == std::string::npos) return 0;
  const std::string number = arc.substr(start, arc.find(' ', start) - start);
  try {
    return RtVal(number);
  } catch (const RtError& error) {
    if (error.number() != kErrOverflow) throw;
    const double infinite = std::numeric_limits<double>::infinity();
    return number.starts_with('-') ? -infinite : infinite;
  }
}

void DrawRouteIpLines(App& app) {
  const RtTable<double>& value = app.route.RouteValue;
  if (app.route.RouteIpDisplay == 0) return;
  RtSetLineStyle(kView, ui::kPenSolid);
  int previous = kStartPointRow;
  int current = kFirstIpRow;
  for (;;) {
    RtLine(kView, PointViewX(app, value(previous)), PointViewY(app, value(previous)),
           PointViewX(app, value(current)), PointViewY(app, value(current)), 7);
    // The segment's end is the graphics position: the IP's number goes there.
    RtColor(kView, app.points.WorkPointY == value(previous) ? 2 : 4);
    const double ipNumber = std::floor((current - value(kFirstIpNumberRow)) / kRowsPerIp + 0.5);
    RtPrintToWindow(kView, RtNumText(ipNumber), false);
    const bool last = value(current + 1) == kLastIpRadius;
    if (last || (value(current + kRowsPerIp) == 0 && value(current + 2 * kRowsPerIp) == 0)) return;
    previous = current;
    current += kRowsPerIp;
  }
}

void DrawViewGrid(App& app) {
  const ui::ViewState& v = app.view;
  const double g = v.ViewGridSpacing;
  const double across = g / v.ViewScale;
  const double down = g / (v.ViewScale * v.VerticalRatio);
  // Nothing to step by: no lines rather than a loop without end.
  if (!(across > 0) || !(down > 0) || !std::isfinite(across) || !std::isfinite(down)) return;
  const double nudge = double(1e-9f);
  const int colour = Colour(v.ViewGridColour);
  // The first line lies at or left of the left edge, at most a step away. At an
  // origin so far out that its multiples of the spacing have lost their digits
  // it lands anywhere: such a grid has no place on the view and is left out,
  // rather than stepped towards the view line by line for ever.
  const double firstX =
      (std::floor(v.ViewOriginY / g + nudge) * g - v.ViewOriginY) / v.ViewScale;
  if (firstX >= -2 * across) {
    for (double x = firstX; x <= v.ViewWidth; x += across) {
      RtLine(kView, x, 0, x, v.ViewHeight, colour);
    }
  }
  // The first line lies at or below the bottom edge (ViewScale itself added in
  // view units).
  const double firstY = v.ViewHeight -
                        (std::floor(v.ViewOriginX / g + nudge) * g - v.ViewOriginX) /
                            (v.ViewScale * v.VerticalRatio) +
                        v.ViewScale;
  if (firstY <= v.ViewHeight + v.ViewScale + 2 * down) {
    for (double y = firstY; y >= 0; y -= down) RtLine(kView, 0, y, v.ViewWidth, y, colour);
  }
}
