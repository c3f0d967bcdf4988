// Connecting points. A polyline starts with a vertex of type 9 and goes on
// with a vertex for each point named; the arc commands change the last segment
// in place, so the next segment always starts at the last vertex of the table.
#include "cad/connect_points.h"

#include <cmath>
#include <string>

#include "cad/line_drawing.h"
#include "cad/line_prompts.h"
#include "cad/state.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "core/sound.h"
#include "points/point_input.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "ui/input.h"
#include "ui/navigator.h"
#include "ui/view.h"

namespace {

constexpr int kNoSegment = 9;
constexpr int kGuideFirstPoint = 26;
constexpr int kGuideNextPoint = 27;
constexpr int kGuideRadius = 29;
constexpr int kGuideShortOrLong = 30;
// The single-precision 1e-20 that keeps a distance from being 0.
constexpr double kTiny = double(1e-20f);
// Below this sine of the turn at E the three points count as one line.
constexpr double kCollinearSine = 1e-9;

// The azimuth (degrees from +X towards +Y, 0 to 360) from A to B at distance d.
double AzimuthOf(double ax, double ay, double bx, double by, double d) {
  double a = ArcCosDegrees((bx - ax) / d);
  if (by - ay < 0) a = 360 - a;
  return a;
}

void WriteToPrintBuffer(const std::string& line) { RtPrintToFile(core::kPrintBuffer, line); }

bool LastEntryIsSegment(const cad::Lines& l) {
  const int type = l.LineType(l.LineVertexCount);
  return l.LineVertexCount >= 2 && type >= 0 && type <= 8;
}

// The two ends of the last segment.
int StartOfLast(const cad::Lines& l) { return l.LinePointNumber(l.LineVertexCount - 1); }
int EndOfLast(const cad::Lines& l) { return l.LinePointNumber(l.LineVertexCount); }

void EraseStraightLast(App& app) {
  cad::Lines& l = app.lines;
  l.SegmentStartPoint = StartOfLast(l);
  l.SegmentEndPoint = EndOfLast(l);
  EraseLineSegment(app);
}

void RefuseArc(App& app, const std::string& why) {
  RtPrintStr(" " + why, true);
  PlaySound(app, "chord.wav");
}

// The answer "%" with "３点円" armed: the last segment becomes an arc of the radius
// typed. "%" or 0 at "R=" leaves the segment as it was. Returns whether the arc
// was made.
bool MakeArcByRadius(App& app) {
  cad::Lines& l = app.lines;
  points::Store& p = app.points;
  RtPrintStr("R=", false);
  const int here = RtWhole(p.CurrentPointNumber);
  p.FromPointX = p.PointX(here);
  p.FromPointY = p.PointY(here);
  app.input.GuideNumber = kGuideRadius;
  InputDistance(app);
  const double radius = app.input.RawAnswer == "%" ? 0 : app.input.AnswerValue;
  const int s = StartOfLast(l), e = EndOfLast(l);
  if (radius == 0) {
    RtPrintStr(" 円弧は取り消しました", true);
    return false;
  }
  if (!cad::RadiusFitsChord(radius, p.PointX(s), p.PointY(s), p.PointX(e), p.PointY(e))) {
    RefuseArc(app, "半径が弦の半分より小さいので円弧にできません");
    return false;
  }
  double longArc = 0;
  if (s != e) {
    RtPrintStr("[ 0:小 1:大 ] 0 ", false);
    app.input.GuideNumber = kGuideShortOrLong;
    InputMenuChoice(app);
    longArc = app.input.AnswerValue;
  }
  l.LineArc(l.LineVertexCount) = cad::RadiusArcText(radius, longArc);
  return true;
}

// A point designated with "３点円" armed: the last segment becomes the arc through
// it; the point itself is not added.
bool MakeArcThroughPoint(App& app) {
  cad::Lines& l = app.lines;
  const points::Store& p = app.points;
  const int s = StartOfLast(l), e = EndOfLast(l);
  const std::optional<std::string> arc = cad::ThreePointArcText(
      p.PointX(s), p.PointY(s), p.PointX(e), p.PointY(e), p.WorkPointX, p.WorkPointY);
  if (!arc) {
    RefuseArc(app, "3点が一直線上にあるか重なっているので円弧にできません");
    return false;
  }
  l.LineArc(l.LineVertexCount) = *arc;
  RtPrintStr("R=" + *arc, true);
  return true;
}

// Draws the last entry's segment again and reports it.
void DrawAndReportLast(App& app) {
  cad::Lines& l = app.lines;
  l.SegmentVertex = l.LineVertexCount;
  l.SegmentStartPoint = StartOfLast(l);
  l.SegmentEndPoint = EndOfLast(l);
  l.LineDrawColour = l.CurrentLayer;
  app.view.LineTypeCode = std::to_string(l.LineType(l.LineVertexCount) % 10);
  SetLineStyleFromCode(app);
  DrawLineSegment(app);
  WriteToPrintBuffer(RtNumText(l.CurrentLineType));
}

void ReportLinesHidden() {
  RtPrintStr(" 結線が非表示です。表示にしてから結線してください", true);
}

enum class Next { Point, Polyline, Leave };

// One answer after the first point of a polyline.
Next NextPoint(App& app) {
  cad::Lines& l = app.lines;
  app.input.GuideNumber = kGuideNextPoint;
  ShowGuide(app);
  InputExistingPoint(app);
  const bool arc = app.input.ArcInputMode == 1;
  if (app.input.RawAnswer == "%" && !arc) {
    RtPrintStr("", true);
    WriteToPrintBuffer("");
    return Next::Polyline;
  }
  if (app.settings.ZEF != 1) {
    // Hidden while the command ran (the function key): nothing more is stored.
    ReportLinesHidden();
    return Next::Leave;
  }
  if (arc) {
    if (!LastEntryIsSegment(l)) {
      RefuseArc(app, "円弧にする線がありません");
      return Next::Point;
    }
    const bool made = app.input.RawAnswer == "%" ? MakeArcByRadius(app) : MakeArcThroughPoint(app);
    if (!made) return Next::Point;
    EraseStraightLast(app);
  } else if (!AppendLineVertex(app)) {
    return cad::LineTableHasRoom(l) ? Next::Point : Next::Leave;
  }
  DrawAndReportLast(app);
  return Next::Point;
}

}  // namespace

namespace cad {

std::string RadiusArcText(double radius, double longArc) {
  const double r = longArc != 0 ? -radius : radius;
  return RtStr(RoundTo6Decimals(r)) + RtStr(RoundTo6Decimals(longArc));
}

bool RadiusFitsChord(double radius, double sx, double sy, double ex, double ey) {
  if (radius == 0 || !std::isfinite(radius)) return false;
  return std::fabs(radius) >= std::hypot(ex - sx, ey - sy) / 2;
}

std::optional<std::string> ThreePointArcText(double sx, double sy, double ex, double ey,
                                             double tx, double ty) {
  const double dET = std::hypot(tx - ex, ty - ey) + kTiny;
  const double c = std::hypot(ex - sx, ey - sy) + kTiny;
  const double dST = std::hypot(tx - sx, ty - sy);
  if (dET <= kTiny || c <= kTiny || dST == 0) return std::nullopt;
  const double a1 = AzimuthOf(ex, ey, tx, ty, dET);
  const double a0 = AzimuthOf(sx, sy, ex, ey, c);
  const double sine = SinDegrees(a1 - a0);
  if (std::fabs(sine) < kCollinearSine) return std::nullopt;
  const double radius = dST / sine / -2;
  const double mx = sx + CosDegrees(a0) * c / 2, my = sy + SinDegrees(a0) * c / 2;
  const bool shortArc = c / 2 > std::hypot(tx - mx, ty - my);
  return RtStr(radius) + (shortArc ? " 0" : " 1");
}

}  // namespace cad

Jump ConnectPoints(App& app) {
  cad::Lines& l = app.lines;
  points::Store& p = app.points;
  Call(Routines().ResetRunState, app);
  l.CurrentLineType = 0;
  for (;;) {
    p.LineConnectMode = 1;
    app.input.GuideNumber = kGuideFirstPoint;
    ShowGuide(app);
    InputExistingPoint(app);
    if (app.input.RawAnswer == "%") return {EntryOf(Routines().RepeatLastCommand)};
    if (app.settings.ZEF != 1) {
      ReportLinesHidden();
      return {EntryOf(Routines().ShowResultMenu)};
    }
    const int first = RtWhole(p.CurrentPointNumber);
    if (!cad::AppendVertex(l, first, p.PointName(first), kNoSegment, RtWhole(l.CurrentLayer))) {
      ReportLineTableFull(app);
      return {EntryOf(Routines().ShowResultMenu)};
    }
    WriteToPrintBuffer(RtNumText(kNoSegment));
    Next next = Next::Point;
    while (next == Next::Point) next = NextPoint(app);
    if (next == Next::Leave) return {EntryOf(Routines().ShowResultMenu)};
  }
}
