#include "points/table.h"

#include <string>

#include "core/app.h"
#include "core/point_names.h"
#include "core/sound.h"
#include "runtime/console.h"
#include "runtime/numtext.h"

void FindHighestUsedPoint(App& app) {
  points::Store& p = app.points;
  p.PointCount = 0;
  for (int i = RtWhole(p.PointCapacity); i >= 1; --i) {
    if (!IsFreePoint(app, i)) {
      p.PointCount = i;
      break;
    }
  }
  p.NextPointNumber = p.PointCount + 1;
}

void ReportPointNumberOutOfRange(App& app) {
  RtPrintStr("点番が許容範囲を超えています", true);
  PlaySound(app, "chord.wav");
}

void ReportPointNumberInUse(App& app, double number) {
  RtPrintStr("点番" + RtStr(number) + " は使用中です", true);
  PlaySound(app, "chord.wav");
}

bool AppendToNewPointList(App& app, double number) {
  points::Store& p = app.points;
  // Entries from index PointCapacity on are the per-point marks.
  if (p.NewPointCount >= p.PointCapacity) {
    RtPrintStr("新点リストが一杯です", true);
    PlaySound(app, "chord.wav");
    return false;
  }
  p.NewPointList(p.NewPointCount) = RtInt16(number);
  p.NewPointCount += 1;
  return true;
}

double FirstFreePointFrom(App& app, double number) {
  const points::Store& p = app.points;
  if (number < 1 || number != static_cast<double>(static_cast<long long>(number))) return 0;
  double n = number;
  while (n <= p.PointCapacity && !IsFreePoint(app, RtWhole(n))) n += 1;
  if (n > p.PointCapacity) return 0;
  if (n != number) ReportPointNumberInUse(app, number);
  return n;
}
