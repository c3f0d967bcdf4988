// The point list line in the print buffer: the numbered prefix, and the line in
// the form of the report in progress (reverse traverse, traverse calculation, or
// the plain labelled coordinates).
#include "points/point_list_line.h"

#include <cmath>
#include <string>
#include <string_view>

#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "points/geometry.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace {

using core::kPrintBuffer;
// The plain coordinates start at this column of the print buffer's line.
constexpr int kPlainLineColumn = 15;
// The numbered prefix shows eight bytes of the name at least, and at most 99 more.
constexpr int kPrefixNameWidth = 8;
constexpr int kPrefixNameMax = kPrefixNameWidth + 99;
constexpr int kCodeColumnMax = 99;
constexpr std::string_view kBacksightMarker = "   (後視点)";

// Reverse-traverse columns.
enum ReverseColumn {
  kRevNumber = 0, kRevName = 1, kRevX = 2, kRevY = 3, kRevZ = 4, kRevDx = 5, kRevDy = 6,
  kRevDz = 7, kRevDirection = 8,
};
// Traverse-calculation columns.
enum CalcColumn {
  kCalcEa = 7, kCalcDirection = 8, kCalcDistance = 9, kCalcReducedDistance = 10, kCalcDx = 11,
  kCalcDy = 12, kCalcDz = 13, kCalcEx = 14, kCalcEy = 15, kCalcEz = 16, kCalcX = 17, kCalcY = 18,
  kCalcZ = 19, kCalcName = 20, kCalcMark = 21, kCalcCode = 22,
};

bool ColumnOn(const App& app, int c) { return app.traverse.ReportColumnOn(c) == 1; }
double Width(const App& app, int c) { return app.traverse.ReportColumnWidth(c); }

// A byte count from a width; a negative one is the argument error.
int ByteCount(double n) {
  const int count = RtWhole(n);
  if (count < 0) RtRaise(kErrIllegalArgument);
  return count;
}

// The first n bytes of the text (all of it when shorter). A cut through a
// double-byte character leaves a blank in place of its first byte, so the width
// stays n and no half character reaches the report.
std::string LeftBytes(std::string_view text, double n) {
  const int count = ByteCount(n);
  if (static_cast<std::size_t>(count) >= text.size()) return std::string(text);
  std::string cut = rt::CutBytes(text, count);
  cut.resize(static_cast<std::size_t>(count), ' ');
  return cut;
}

// The last n bytes of the text (all of it when shorter).
std::string RightBytes(std::string_view text, double n) { return RtRight(text, ByteCount(n)); }

// The number text without its blanks (" 12" gives "12").
std::string PlainNumber(double x) {
  std::string text = RtStr(x);
  if (!text.empty() && text.front() == ' ') text.erase(0, 1);
  return text;
}

bool IsPickedOrUnregistered(const std::string& answer) { return answer == "F" || answer == "P"; }

// A name column: two blanks, then the name padded with `padding` blanks and cut
// to the rest of the width.
std::string NameColumn(std::string_view name, int padding, double width) {
  return "  " + LeftBytes(std::string(name) + std::string(static_cast<std::size_t>(padding), ' '),
                          width - 2);
}

// A value right-aligned in its column, with the decimals the width leaves after
// seven bytes (nine for the X and Y coordinates).
std::string NumericColumn(double value, double width) {
  return FormatDecimalsRight(value, width - 7, width);
}
std::string CoordinateColumn(double value, double width) {
  return FormatDecimalsRight(value, width - 9, width);
}

// The coordinate differences from the from-point to the work point, each
// coordinate rounded first.
double RoundedDx(const App& app) {
  return RoundCoordinate(app, app.points.WorkPointX) - RoundCoordinate(app, app.points.FromPointX);
}
double RoundedDy(const App& app) {
  return RoundCoordinate(app, app.points.WorkPointY) - RoundCoordinate(app, app.points.FromPointY);
}

// --- The numbered prefix ---------------------------------------------------

bool ReportTakesPrefix(const App& app) {
  const traverse::State& t = app.traverse;
  return t.ReverseTraversePrintMode <= 1 && app.input.Answer != "P" &&
         (t.CalculationPrintMode <= 1 || t.PrintingReferencePoints == 1);
}

// "#### &      &@ ": the number, then the whole name padded to eight bytes (at
// most 107 bytes of it), then a blank. The name is written whole rather than
// split into its first eight bytes and the rest, so a double-byte character
// across byte 8 stays one character.
void WriteNumberedPrefix(const App& app) {
  const std::string& name = app.input.Answer;
  const std::string field = name.size() <= kPrefixNameWidth
                                ? LeftBytes(name + "        ", kPrefixNameWidth)
                                : LeftBytes(name, kPrefixNameMax);
  RtPrintToFile(kPrintBuffer, RtFormatUsing("#### @ ", {app.points.CurrentPointNumber, field}),
                false);
}

// --- Reverse-traverse form -------------------------------------------------

std::string ReverseNumberColumn(const App& app) {
  if (IsPickedOrUnregistered(app.input.Answer)) return "       ";
  const std::string number = PlainNumber(app.points.CurrentPointNumber);
  return RightBytes("        " + number, Width(app, kRevNumber));
}

std::string ReverseNameColumn(const App& app) {
  const double width = Width(app, kRevName);
  if (IsPickedOrUnregistered(app.input.Answer)) return LeftBytes(std::string(14, ' '), width);
  return NameColumn(app.input.Answer, 12, width);
}

// Blanks as wide as the columns 5 to 8 that are on, to set the backsight marker
// of a radiation under the direction column.
std::string BlanksOfColumns5To8(const App& app) {
  int blanks = 0;
  for (int c = kRevDx; c <= kRevDirection; ++c) {
    if (ColumnOn(app, c)) blanks += ByteCount(Width(app, c));
  }
  return std::string(static_cast<std::size_t>(blanks), ' ');
}

// The first point of a reverse traverse is written at once, as the backsight of
// a radiation or the start of an open traverse.
void WriteFirstReversePoint(App& app) {
  traverse::State& t = app.traverse;
  t.ReverseTraverseLegCount = 1;
  RtPrintToFile(kPrintBuffer, t.ReportLine, false);
  if (std::trunc(app.job.SubmenuChoice) == 5) {
    RtPrintToFile(kPrintBuffer, BlanksOfColumns5To8(app) + std::string(kBacksightMarker));
  } else {
    RtPrintToFile(kPrintBuffer, "");
  }
}

void StartReverseTraverseLine(App& app) {
  const points::Store& p = app.points;
  std::string& line = app.traverse.ReportLine;
  line.clear();
  if (ColumnOn(app, kRevNumber)) line += ReverseNumberColumn(app);
  if (ColumnOn(app, kRevName)) line += ReverseNameColumn(app);
  // The coordinates as they stand: the widths give the decimals.
  if (ColumnOn(app, kRevX)) line += CoordinateColumn(p.WorkPointX, Width(app, kRevX));
  if (ColumnOn(app, kRevY)) line += CoordinateColumn(p.WorkPointY, Width(app, kRevY));
  if (ColumnOn(app, kRevZ)) line += NumericColumn(p.WorkPointZ, Width(app, kRevZ));
  if (app.traverse.ReverseTraverseLegCount == 0) WriteFirstReversePoint(app);
  // The caller appends the further columns and writes the line.
  if (ColumnOn(app, kRevDx)) line += NumericColumn(RoundedDx(app), Width(app, kRevDx));
  if (ColumnOn(app, kRevDy)) line += NumericColumn(RoundedDy(app), Width(app, kRevDy));
}

// --- Traverse-calculation form ---------------------------------------------

bool IsObservationRecord(const App& app) { return app.traverse.FieldBookRecordKind == "'"; }

// The closure columns (ea, ex, ey, ez) hold blanks on the observation records of
// a connecting or closed traverse, and nothing at all otherwise.
void AppendClosureColumn(App& app, int c) {
  if (ColumnOn(app, c) && app.traverse.TraverseInputKind >= 3 && IsObservationRecord(app)) {
    app.traverse.ReportLine += RightBytes("       ", Width(app, c));
  }
}

void AppendObservationColumns(App& app) {
  const points::Store& p = app.points;
  const traverse::State& t = app.traverse;
  std::string& line = app.traverse.ReportLine;
  AppendClosureColumn(app, kCalcEa);
  if (ColumnOn(app, kCalcDirection)) {
    app.numbers.AngleToFormat = p.LegDirection;
    FormatAngle(app);
    line += RightBytes("        " + app.numbers.FormattedAngle, Width(app, kCalcDirection));
  }
  if (ColumnOn(app, kCalcDistance)) {
    line += NumericColumn(RoundDistance(app, t.UnscaledHorizontalDistance),
                          Width(app, kCalcDistance));
  }
  if (ColumnOn(app, kCalcReducedDistance)) {
    line += NumericColumn(RoundDistance(app, p.HorizontalDistance),
                          Width(app, kCalcReducedDistance));
  }
  if (ColumnOn(app, kCalcDx)) line += NumericColumn(RoundedDx(app), Width(app, kCalcDx));
  if (ColumnOn(app, kCalcDy)) line += NumericColumn(RoundedDy(app), Width(app, kCalcDy));
  if (ColumnOn(app, kCalcDz)) {
    line += NumericColumn(RoundHeight(app, p.WorkPointZ) - RoundHeight(app, t.StationPointZ),
                          Width(app, kCalcDz));
  }
  AppendClosureColumn(app, kCalcEx);
  AppendClosureColumn(app, kCalcEy);
  AppendClosureColumn(app, kCalcEz);
}

// MarkDigit := character 2 of the record's attribute; PointMarkText := its text
// in MarkSymbolTable, "" for anything but a digit.
void LookUpMark(App& app) {
  points::Store& p = app.points;
  const std::string& attribute =
      app.fieldbook.FieldBookAttribute(app.traverse.FieldBookRecordIndex);
  p.MarkDigit = RtMid(attribute, 2, 1);
  p.PointMarkText.clear();
  if (p.MarkDigit.size() == 1 && p.MarkDigit[0] >= '0' && p.MarkDigit[0] <= '9') {
    p.PointMarkText = std::string(MarkSymbolTable[static_cast<std::size_t>(p.MarkDigit[0] - '0')]);
  }
}

void CompleteTraverseLine(App& app) {
  const points::Store& p = app.points;
  const traverse::State& t = app.traverse;
  std::string& line = app.traverse.ReportLine;
  if (t.TraverseInputKind <= 2 || IsObservationRecord(app)) AppendObservationColumns(app);
  if (ColumnOn(app, kCalcX)) {
    line += CoordinateColumn(RoundCoordinate(app, p.WorkPointX), Width(app, kCalcX));
  }
  if (ColumnOn(app, kCalcY)) {
    line += CoordinateColumn(RoundCoordinate(app, p.WorkPointY), Width(app, kCalcY));
  }
  if (ColumnOn(app, kCalcZ)) {
    line += NumericColumn(RoundHeight(app, p.WorkPointZ), Width(app, kCalcZ));
  }
  if (ColumnOn(app, kCalcName)) line += NameColumn(t.TargetPointName, 8, Width(app, kCalcName));
  LookUpMark(app);
  if (ColumnOn(app, kCalcMark)) {
    line += LeftBytes("  " + p.PointMarkText + "        ", Width(app, kCalcMark));
  }
  if (ColumnOn(app, kCalcCode)) {
    const std::string& attribute = app.fieldbook.FieldBookAttribute(t.FieldBookRecordIndex);
    const double from = p.PointMarkText.empty() ? 2 : 3;
    line += "  " + LeftBytes(RtMid(attribute, from), kCodeColumnMax);
  }
  RtPrintToFile(kPrintBuffer, line);
}

// --- Plain form --------------------------------------------------------------

void WritePlainLine(App& app) {
  const points::Store& p = app.points;
  if (app.traverse.CalculationPrintMode <= 1) RtPrintTabToFile(kPrintBuffer, kPlainLineColumn);
  std::string text = RtFormatUsing("&&#######.###  &&#######.###",
                                   {p.CoordinateLabelX, RoundCoordinate(app, p.WorkPointX),
                                    p.CoordinateLabelY, RoundCoordinate(app, p.WorkPointY)});
  // The test looks at the height as it stands: a height that rounds to 0 still prints.
  if (p.WorkPointZ != 0) text += RtFormatUsing("  Z=#######.###", {RoundHeight(app, p.WorkPointZ)});
  RtPrintToFile(kPrintBuffer, text);
}

}  // namespace

void CheckPointListMode(App& app) {
  if (app.area.AreaTableMode == 1) return;
  if (ReportTakesPrefix(app)) WriteNumberedPrefix(app);
  PrintPointListLine(app);
}

void PrintPointListLine(App& app) {
  SetCoordinateLabels(app);
  PrintPointListLineSameLabels(app);
}

void PrintPointListLineSameLabels(App& app) {
  app.points.ListedPointName = app.input.Answer;
  const traverse::State& t = app.traverse;
  if (t.ReverseTraversePrintMode > 1) {
    StartReverseTraverseLine(app);
  } else if (t.CalculationPrintMode > 1 && t.PrintingReferencePoints == 0) {
    CompleteTraverseLine(app);
  } else {
    WritePlainLine(app);
  }
}
