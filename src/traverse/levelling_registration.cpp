#include "traverse/levelling_registration.h"

#include "core/app.h"
#include "core/columns.h"
#include "core/constants.h"
#include "core/sound.h"
#include "points/table.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "traverse/field_book_observation.h"
#include "traverse/levelling_books.h"
#include "traverse/levelling_calculation.h"

namespace {

constexpr int kVertexLayer = 1;
constexpr int kAttributeColumn = 35;
constexpr int kAttributeLength = 99;

const std::string& RecordAtCursor(const App& app) {
  return app.fieldbook.FieldBookRecord(RtWhole(app.traverse.FieldBookRecordIndex));
}

// The lowest number whose stored name is `name`, 0 for none.
int FirstPointNamed(const App& app, const std::string& name) {
  const int count = RtWhole(app.points.PointCount);
  for (int i = 1; i <= count; ++i) {
    if (app.points.PointName(i) == name) return i;
  }
  return 0;
}

void ImportHeight(App& app, const std::string& name, double height, std::string& tail) {
  points::Store& p = app.points;
  const std::string& shown = app.traverse.LevelledPointName;
  RtPrintUsingNum(" &      &@ #####.### ", {shown, traverse::NameRestOf(shown), height}, false);
  const int i = FirstPointNamed(app, name);
  if (i == 0) {
    tail = RtFormatUsing("  &      &@", {shown, traverse::NameRestOf(shown)});
    RtPrintStr("", true);
    return;
  }
  const std::string& stored = p.PointName(i);
  RtPrintUsingNum("  --->  ##### &      &@ H= #####.### ",
                  {double(i), stored, traverse::NameRestOf(stored), p.PointZ(i)}, true);
  tail = RtFormatUsing(" (&      &@)", {shown, traverse::NameRestOf(shown)});
  p.PointZ(i) = height;
  PlaySound(app, "ding.wav");
  RtPrintStr("", true);
}

// The report's line is ended and the run's passes too.
void StopCalculation(App& app, const std::string& message) {
  RtPrintToFile(core::kPrintBuffer, "");
  traverse::StopCalculation(app, message);
  app.traverse.LevellingPass = traverse::kLevellingRunDone;
}

// Choices 3 and 4: false when a table is full.
bool RegisterNewPoint(App& app, const std::string& name, double height) {
  points::Store& p = app.points;
  traverse::State& t = app.traverse;
  cad::Lines& lines = app.lines;
  const double n = FirstFreePointFrom(app, t.NewPointStartNumber);
  if (n == 0) {
    StopCalculation(app, " 登録できる点番がありません。計算を終わります");
    return false;
  }
  const std::string& record = RecordAtCursor(app);
  const std::string lineType = columns::Columns(record, kAttributeColumn, kAttributeColumn);
  const bool noVertex = lineType == "A";
  if (!noVertex && lines.LineVertexCount + 1 > cad::kLineCapacity) {
    StopCalculation(app, " 結線データが一杯です。計算を終わります");
    return false;
  }
  if (!AppendToNewPointList(app, n)) {
    StopCalculation(app, " 新点リストが一杯です。計算を終わります");
    return false;
  }
  const double distance = RtVal(t.DistanceText);
  const bool xz = t.RegistrationChoice == 4;
  p.PointName(n) = name;
  p.PointX(n) = xz ? distance : height;
  p.PointY(n) = xz ? 0 : distance;
  p.PointZ(n) = xz ? height : 0;
  p.PointAttribute(n) =
      noVertex ? "" : columns::Columns(record, kAttributeColumn, kAttributeColumn + kAttributeLength - 1);
  if (n > p.PointCount) p.PointCount = n;
  t.NewPointStartNumber = n + 1;
  p.NextPointNumber = n < p.PointCapacity ? n + 1 : n;
  if (noVertex) return true;
  lines.LineVertexCount += 1;
  const double k = lines.LineVertexCount;
  lines.LinePointNumber(k) = RtInt16(n);
  lines.LinePointName(k) = name;
  lines.LineLayer(k) = kVertexLayer;
  lines.LineType(k) = RtInt16(RtTrim(lineType).empty() ? 9 : RtVal(lineType));
  lines.LineArc(k).clear();
  return true;
}

}  // namespace

std::string traverse::StoredNameOf(const std::string& name) {
  std::string trimmed = RtTrim(name);
  if (!trimmed.empty() && trimmed[0] >= '1' && trimmed[0] <= '9') trimmed.insert(0, " ");
  return trimmed;
}

void FindClosingPointHeight(App& app) {
  const points::Store& p = app.points;
  traverse::State& t = app.traverse;
  const std::string name = traverse::StoredNameOf(t.LevellingLookupName);
  const int count = RtWhole(p.PointCount);
  for (int i = 1; i <= count; ++i) {
    if (p.PointName(i) != name) continue;
    const std::string& stored = p.PointName(i);
    RtPrintUsingNum("##### &      &@ H= #####.### ", {double(i), stored, traverse::NameRestOf(stored), p.PointZ(i)},
                    true);
    t.DecidedClosingHeight = p.PointZ(i);
  }
}

bool StoreLevelledPoint(App& app) {
  traverse::State& t = app.traverse;
  const double height = traverse::MillimetreRounded(t.AdjustedHeight, t.MillimetreFactor);
  const std::string name = traverse::StoredNameOf(t.LevelledPointName);
  std::string tail;
  if (t.RegistrationChoice == 2) ImportHeight(app, name, height, tail);
  if ((t.RegistrationChoice == 3 || t.RegistrationChoice == 4) && !RegisterNewPoint(app, name, height)) return false;
  RtPrintToFile(core::kPrintBuffer, tail);
  return true;
}
