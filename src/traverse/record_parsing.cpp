#include "traverse/record_parsing.h"

#include "core/app.h"
#include "core/columns.h"
#include "core/numeric.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

double traverse::RecordFieldValue(std::string_view field) { return RtVal(RtTrim(std::string(field))); }

double traverse::ReducedReadingOf(double readingDms, double zeroDms) {
  if (zeroDms == 0) return readingDms;
  constexpr double kTurnedSense = 999;
  double degrees = zeroDms == kTurnedSense ? -DmsToDegrees(readingDms) : DmsToDegrees(readingDms) - DmsToDegrees(zeroDms);
  if (degrees < 0) degrees += 360;
  return DegreesToDms(degrees);
}

std::string traverse::WithoutTrailingBlanks(std::string_view name) {
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return std::string(name);
}

namespace {

const std::string& RecordAtCursor(const App& app) {
  return app.fieldbook.FieldBookRecord(RtWhole(app.traverse.FieldBookRecordIndex));
}

}  // namespace

void GetRecordTypeChar(App& app) { app.traverse.FieldBookRecordKind = RtLeft(RecordAtCursor(app), 1); }

void ParseObservationRecord(App& app) {
  traverse::State& t = app.traverse;
  fieldbook::State& f = app.fieldbook;
  const std::string& record = RecordAtCursor(app);
  f.MeasuredDistance = traverse::RecordFieldValue(columns::Columns(record, 2, 9));
  f.MeasuredVerticalAngle = traverse::RecordFieldValue(columns::Columns(record, 10, 18));
  f.MeasuredHorizontalAngle =
      traverse::ReducedReadingOf(traverse::RecordFieldValue(columns::Columns(record, 19, 27)), t.ZeroDirectionAngle);
  f.ObservationTargetHeight = traverse::RecordFieldValue(columns::Columns(record, 28, 34));
  if (t.FieldBookRecordKind != "T") {
    app.points.PendingPointAttribute = f.FieldBookAttribute(RtWhole(t.FieldBookRecordIndex));
  }
  t.LookupName = columns::Columns(record, 36, 43);
  StripTrailingBlanks(app);
  app.input.Answer = t.LookupName;
}

void StripTrailingBlanks(App& app) { app.traverse.LookupName = traverse::WithoutTrailingBlanks(app.traverse.LookupName); }

void FindPointByName(App& app) {
  points::Store& p = app.points;
  StripTrailingBlanks(app);
  p.CurrentPointNumber = 0;
  const int count = RtWhole(p.PointCount);
  for (int i = 1; i <= count; ++i) {
    if (p.PointName(i) == app.traverse.LookupName) {
      p.CurrentPointNumber = i;
      return;
    }
  }
}

void LoadCurrentPoint(App& app) {
  points::Store& p = app.points;
  const double n = p.CurrentPointNumber;
  p.WorkPointX = p.PointX(n);
  p.WorkPointY = p.PointY(n);
  p.DesignatedPointZ = p.PointZ(n);
  app.input.Answer = p.PointName(n);
}

double LastRecordOfBlock(const App& app, double first) {
  const double limit = app.traverse.FieldBookRecordLimit;
  double last = first;
  while (last < limit) {
    const std::string kind = RtLeft(app.fieldbook.FieldBookRecord(RtWhole(last + 1)), 1);
    if (kind == "*" || (kind.size() == 1 && kind[0] >= '1' && kind[0] <= '9')) break;
    last += 1;
  }
  return last;
}
