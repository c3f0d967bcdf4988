#include "area/parcel_outline.h"

#include "core/app.h"
#include "core/sound.h"
#include "runtime/console.h"

namespace {

constexpr int kAreaLineLayer = 6;

void AppendVertex(App& app, double point) {
  cad::Lines& l = app.lines;
  l.LineVertexCount += 1;
  const double k = l.LineVertexCount;
  l.LinePointNumber(k) = static_cast<int16_t>(point);
  l.LinePointName(k) = app.points.PointName(point);
  l.LineType(k) = static_cast<int16_t>(l.CurrentLineType);
  l.LineLayer(k) = kAreaLineLayer;
  l.LineArc(k).clear();
  l.CurrentLineType = 0;
}

}  // namespace

void AddParcelOutlineAsAreaLines(App& app) {
  cad::Lines& l = app.lines;
  const points::Store& p = app.points;
  const bool closed = app.area.ParcelKind != "2";
  // A counted loop: entry 0 is taken even when the list is empty.
  const double vertices = p.SelectionIndex < 1 ? 1 : p.SelectionIndex;
  if (l.LineVertexCount + vertices + (closed ? 1 : 0) > cad::kLineCapacity) {
    PlaySound(app, "chord.wav");
    RtColor(2);
    RtPrintStr("結線の表が一杯です。面積結線を追加できません", true);
    RtColor(7);
    return;
  }
  l.CurrentLineType = 9;
  for (double i = 0; i < vertices; i += 1) AppendVertex(app, p.SelectionList(i));
  if (closed) AppendVertex(app, p.SelectionList(0));
}
