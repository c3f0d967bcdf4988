// The registration runs as a small state machine: its commands lead back to
// earlier steps (the question again, the point converted again, the whole
// registration from the moved point), and each step names the one that follows,
// so that no answer nests a registration inside another.
#include "points/registration.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "cad/state.h"
#include "core/app.h"
#include "core/columns.h"
#include "core/constants.h"
#include "core/plane.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "core/sound.h"
#include "points/geometry.h"
#include "points/local_public.h"
#include "points/point_input.h"
#include "points/point_list_line.h"
#include "points/resolver.h"
#include "points/station_offset.h"
#include "points/table.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/view.h"

namespace {

using core::kPrintBuffer;

enum class Step {
  Start,     // the point as passed in (or as "+" moved it) becomes the pending point
  Convert,   // its local values when asked for, the proposed name; ZD 1 prints only
  Question,  // the point shown, its name asked
  SameName,  // same-named points listed, the view brought up to date, the commands
  NameForm,  // the name's form, the number question, the range check
  Store,     // the connection line, the point stored
  End,       // the work point back, the stake-out report
  Return,    // the traverse name-only case: back at once
};

// What the registration carries from its question to the later steps.
struct Registration {
  std::string proposed;  // the name the question offered
};

bool IsDigit1To9(char c) { return c >= '1' && c <= '9'; }

// The decimal text of a whole number without blanks ("9" for line type 9).
std::string DigitsOf(double n) { return RtTrim(RtStr(n)); }

// The command line of the name and number questions.
void ShowCommandLine(const App& app) { ShowOptionLineAt(app, 34, "[[=],P,M,L,/,=,*,+,Q]"); }

// ---- Steps 1 to 4 ----

Step Start(App& app) {
  points::Store& p = app.points;
  p.ForcedPointNumber = 0;
  p.PendingPointX = p.LastPointX = p.WorkPointX;
  p.PendingPointY = p.LastPointY = p.WorkPointY;
  p.StationOffset = 0;
  return Step::Convert;
}

Step Convert(App& app) {
  if (app.points.CoordinateDisplayMode == -1) ConvertToStationOffset(app);
  NextPointName(app);
  if (app.settings.ZD != 1) return Step::Question;
  PrintPointCoordinates(app);
  PrintPointListLine(app);
  return Step::End;
}

// ---- Steps 5 to 12: the question ----

// With ZE 4 the public point is also shown and listed by its station and offset.
void ShowAlongBaseLine(App& app) {
  points::Store& p = app.points;
  ConvertToStationOffset(app);
  p.CoordinateDisplayMode = -1;
  DrawAndPrintPointCoordinates(app);
  PrintPointListLine(app);
  p.WorkPointX = p.PendingPointX;
  p.WorkPointY = p.PendingPointY;
  p.CoordinateDisplayMode = 1;
}

// The name question; Enter alone takes the proposal.
void AskName(App& app, const std::string& proposed) {
  ui::InputState& in = app.input;
  RtPrintStr(RtStr(app.points.StoredPointNumber) + " ﾃﾝﾒｲ= " + proposed + " ", false);
  in.GuideNumber = 12;
  InputText(app);
  if (in.Answer.empty()) in.Answer = proposed;
}

Step Question(App& app, Registration& r) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  const traverse::State& t = app.traverse;
  p.StoredPointNumber = p.NextPointNumber;
  if (app.settings.ZE == 4 && p.CoordinateDisplayMode == 1) ShowAlongBaseLine(app);
  DrawAndPrintPointCoordinates(app);
  ShowCommandLine(app);
  p.PointInputMode = 1;
  if (t.TraverseInputKind == 0) {
    p.LineConnectMode = 2;  // the input routine offers the line palette
    DrawCrossWithNameNoErase(app);
  }
  r.proposed = in.Answer;
  AskName(app, r.proposed);
  CaretToSpaceInAnswer(app);
  if (t.TraverseInputKind != 0 && t.ObservationRunning != 1) {
    // The traverse input asks only the name, for the calculation to come.
    SplitPointNameTail(app);
    PlaySound(app, "chord.wav");
    return Step::Return;
  }
  if (RtUcase(in.Answer) != "Q" && app.settings.ZD == 4) {
    p.StoredPointNumber = app.shell.Epsilon;
    PrintPointListByMode(app);
    return Step::End;
  }
  return Step::SameName;
}

// ---- Steps 13 to 16: same-named points and the commands ----

// Lists the points that bear the name in Answer; StoredPointNumber := the lowest
// of them, or PointCount + 1 when none does.
void FindSameName(App& app) {
  points::Store& p = app.points;
  const std::string& name = app.input.Answer;
  const int count = RtWhole(p.PointCount);
  double lowest = 0;
  for (int i = 1; i <= count; ++i) {
    if (p.PointName(i) != name) continue;
    RtColor(5);
    RtPrintUsingNum("##### ﾆ &              & #######.### #######.### #####.### ｱﾘ",
                    {double(i), name, p.PointX(i), p.PointY(i), p.PointZ(i)}, false);
    RtColor(7);
    RtPrintStr("", true);
    if (lowest == 0) lowest = i;
  }
  p.StoredPointNumber = lowest != 0 ? lowest : p.PointCount + 1;
}

// The proposed name painted over in the background colour, the answer written there.
void ShowAnswerAtPoint(App& app, const std::string& proposed) {
  ui::InputState& in = app.input;
  ui::ViewState& v = app.view;
  const std::string answer = in.Answer;
  in.Answer = proposed;
  v.PointDrawColour = v.BackgroundShade;
  DrawCrossWithNameNoErase(app);
  in.Answer = answer;
  v.PointDrawColour = 2;
  DrawCrossWithNameNoErase(app);
}

// "L": the number chosen on the coordinate table screen, opened at the number
// proposed; its point's name becomes the proposal.
void PickNumberFromTable(App& app) {
  points::Store& p = app.points;
  p.PreviousWorkPointX = p.WorkPointX;
  p.PreviousWorkPointY = p.WorkPointY;
  const double z = p.WorkPointZ;
  p.WorkPointY = p.StoredPointNumber;
  app.input.Answer = "L";
  ResolvePointFromList(app);
  p.ForcedPointNumber = p.NextPointNumber = p.WorkPointY;
  p.WorkPointX = p.PreviousWorkPointX;
  p.WorkPointY = p.PreviousWorkPointY;
  p.WorkPointZ = z;
}

// The point put on the base line or arc, in the local system or with ZE 4
// (otherwise it stays where it is); ProjectionOffset := how far it moved.
void ProjectToBaseLine(App& app) {
  points::Store& p = app.points;
  const cogo::State& base = app.cogo;
  if (p.CoordinateDisplayMode == 1 && app.settings.ZE != 4) return;
  const plane::OnBase on = plane::OntoBaseOf(p.PendingPointX - base.BasePointX, p.PendingPointY - base.BasePointY,
                                             base.BaseAzimuth, base.BaseRadius);
  p.WorkPointX = base.BasePointX + on.dx;
  p.WorkPointY = base.BasePointY + on.dy;
  p.ProjectionOffset = on.moved;
}

// "+": the height changed by the "z=" typed, the point moved onto the base.
void MoveOntoBase(App& app) {
  points::Store& p = app.points;
  p.HeightIncrement = 0;
  RtPrintStr("z=", false);
  app.input.GuideNumber = 194;
  InputPointName(app);
  p.HeightIncrement = app.input.AnswerValue;
  p.WorkPointZ += p.HeightIncrement;
  ProjectToBaseLine(app);
}

// "=" (guidance 1) and "/" (report only, -1): the stake-out report to the point
// in public coordinates, labelled with the answer; then the proposal again.
void ReportStakeOut(App& app, double guidance) {
  points::Store& p = app.points;
  p.WorkPointX = p.PendingPointX;
  p.WorkPointY = p.PendingPointY;
  p.CoordinateDisplayMode = 1;
  app.view.GuidanceMode = guidance;
  Call(Routines().ReverseTraverseToPoint, app);
  NextPointName(app);
  if (guidance == 1) RtPrintStr("ﾓﾄﾞﾘﾏｼﾀ", true);
}

// "text=": the name after that of the highest-numbered point whose name begins
// with the text; "ｱﾘﾏｾﾝ" when none does, the text typed then proposed as it is.
void SearchNamePrefix(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  const double length = double(in.Answer.size()) - 1;
  const std::string key = RtLeft(in.Answer, length);
  for (int i = RtWhole(p.PointCount); i >= 1; --i) {
    if (RtLeft(p.PointName(i), length) != key) continue;
    in.Answer = p.PointName(i);
    SplitPointName(app);
    NextPointName(app);
    return;
  }
  RtPrintStr("ｱﾘﾏｾﾝ", true);
}

Step TakeCommand(App& app) {
  points::Store& p = app.points;
  const std::string answer = app.input.Answer;
  const std::string upper = RtUcase(answer);
  if (upper == "P") {
    PrintPointListByMode(app);
    return Step::End;
  }
  if (upper == "L") {
    PickNumberFromTable(app);
    return Step::Question;
  }
  if (answer == "+") {
    MoveOntoBase(app);
    return Step::Start;
  }
  if (answer == "*") {
    p.CoordinateDisplayMode = -p.CoordinateDisplayMode;
    p.WorkPointX = p.PendingPointX;
    p.WorkPointY = p.PendingPointY;
    return Step::Convert;
  }
  if (answer == "=" || answer == "/") {
    ReportStakeOut(app, answer == "=" ? 1 : -1);
    return Step::Question;
  }
  if (!answer.empty() && answer.back() == '=') {  // never a trail byte: those start at 0x40
    SearchNamePrefix(app);
    return Step::Question;
  }
  if (upper == "Q") JumpTo(EntryOf(Routines().ShowResultMenu));
  return Step::NameForm;
}

Step SameName(App& app, const Registration& r) {
  points::Store& p = app.points;
  // The observation loop's "*" puts its last point back without these steps.
  if (app.traverse.ObservationCommand == "*") return Step::NameForm;
  FindSameName(app);
  if (p.ForcedPointNumber != 0) p.StoredPointNumber = p.ForcedPointNumber;
  ShowAnswerAtPoint(app, r.proposed);
  p.PointInputMode = 0;
  return TakeCommand(app);
}

// ---- Steps 17 to 19: the number ----

// The number question, asked when the name is not the number's own text. False
// when the text typed is no number: it is then the new answer, to be taken from
// the same-name step again.
bool AskNumber(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  if (RtStr(p.StoredPointNumber) == in.Answer) return true;
  ShowCommandLine(app);
  const std::string name = in.Answer;
  RtPrintStr(name + " ﾃﾝﾊﾞﾝ=" + RtStr(p.StoredPointNumber) + " ", false);
  in.GuideNumber = 13;
  InputText(app);
  const std::string typed = in.Answer;
  const double value = in.AnswerValue;
  in.Answer = name;
  if (!typed.empty()) p.StoredPointNumber = value;
  if (p.StoredPointNumber != 0) return true;
  in.Answer = typed;
  p.StoredPointNumber = p.NextPointNumber;
  return false;
}

bool IsStorableNumber(const App& app, double n) {
  return n >= 0 && n <= app.points.PointCapacity && n == std::floor(n);
}

Step NameForm(App& app) {
  std::string& answer = app.input.Answer;
  if (!answer.empty() && IsDigit1To9(answer[0])) answer.insert(0, " ");
  if (!AskNumber(app)) return Step::SameName;
  if (!IsStorableNumber(app, app.points.StoredPointNumber)) {
    ReportPointNumberOutOfRange(app);
    return Step::Question;  // asked again, the name typed now proposed
  }
  return Step::Store;
}

// ---- Steps 20 to 23: storing ----

void AppendRegisteredLineVertex(App& app, double point, const std::string& name, double type) {
  cad::Lines& lines = app.lines;
  lines.LineVertexCount += 1;
  const double k = lines.LineVertexCount;
  lines.LinePointNumber(k) = RtInt16(point);
  lines.LinePointName(k) = name;
  lines.LineType(k) = RtInt16(type);
  lines.LineLayer(k) = RtInt16(lines.CurrentLayer);
  lines.LineArc(k).clear();
}

// The palette's line type and mark become the point's attribute, and a segment
// of that type joins the point the command registered before (for its first,
// point PointCount) to the number about to be stored. Type 9 is no segment; a
// full line table is said, and the point is stored all the same.
void JoinToPreviousPoint(App& app) {
  points::Store& p = app.points;
  cad::Lines& lines = app.lines;
  ui::ViewState& v = app.view;
  v.LineTypeCode = DigitsOf(lines.CurrentLineType);
  p.PendingPointAttribute = v.LineTypeCode + DigitsOf(p.CurrentMark);
  SetLineStyleFromCode(app);
  if (lines.CurrentLineType == 9) return;
  const double from = p.PreviousRegisteredPoint != 0 ? p.PreviousRegisteredPoint : p.PointCount;
  if (from < 1 || from == p.StoredPointNumber) return;  // nothing to join
  if (lines.LineVertexCount + 2 > cad::kLineCapacity) {
    RtPrintStr("接続線が一杯です。線は追加しません", true);
    PlaySound(app, "chord.wav");
    return;
  }
  AppendRegisteredLineVertex(app, from, p.PointName(from), 9);
  AppendRegisteredLineVertex(app, p.StoredPointNumber, app.input.Answer, lines.CurrentLineType);
  RtLine(RtWindowId::View, ViewUnitX(app, p.PointY(from)), ViewUnitY(app, p.PointX(from)),
         ViewUnitX(app, p.WorkPointY), ViewUnitY(app, p.WorkPointX), RtWhole(lines.CurrentLayer));
}

// The note of a radiation record on what the registration changed: "(" the
// offset moved, to the millimetre, "/" the height added ")"; empty when neither.
std::string ProjectionNote(const points::Store& p) {
  if (p.ProjectionOffset == 0 && p.HeightIncrement == 0) return "";
  const double offset = std::floor(p.ProjectionOffset * 1000 + 0.5) / 1000;
  return "(" + RtStr(offset) + "/" + RtStr(p.HeightIncrement) + ")";
}

// The observation of the point stored at NextPointNumber logged in the field
// book at the record of that number: the sight's columns, the name in 9, the note
// and the station heading (first point of a set-up) or the reference to it.
void WriteRadiationRecord(App& app) {
  points::Store& p = app.points;
  fieldbook::State& f = app.fieldbook;
  cogo::State& c = app.cogo;
  const double n = p.NextPointNumber;
  if (f.FieldBookCount < n) f.FieldBookCount = n;
  Call(Routines().FormatObservationFields, app);
  if (c.RadiationRecordState == 0) c.RadiationReferenceText = points::RadiationReferenceOf(n);
  if (c.RadiationRecordState == 1) c.RadiationStationText = c.RadiationReferenceText;
  c.RadiationRecordState = 1;
  f.FieldBookRecord(n) = f.DistanceColumn + f.VerticalColumn + f.HorizontalColumn + f.ObservationHeightField + " " +
                         columns::PadTo(app.input.Answer, 9) + ProjectionNote(p) + c.RadiationStationText;
}

// Writes the point at NextPointNumber under the name in Answer.
void StoreAtNextNumber(App& app) {
  points::Store& p = app.points;
  const double n = p.NextPointNumber;
  AppendToNewPointList(app, n);
  p.PointName(n) = app.input.Answer;
  p.PointAttribute(n) = p.PendingPointAttribute;
  p.PointZ(n) = p.WorkPointZ;
  p.PointX(n) = p.WorkPointX;
  p.PointY(n) = p.WorkPointY;
  p.WorkPointZ = 0;
  PlaySound(app, "ding.wav");
  if (n > p.PointCount) {
    p.PointCount = n;
    SplitPointNameTail(app);  // the next proposal follows the stored name
  }
  p.PreviousRegisteredPoint = n;
}

void ReportAndStore(App& app) {
  points::Store& p = app.points;
  const shell::Settings& s = app.settings;
  if (s.ZD == 1) RtPrintToFile(kPrintBuffer, app.input.Answer);
  PrintPointListByMode(app);
  const double command = app.shell.LastMainMenuChoice;
  if (s.ZD <= 2 && (command == 2 || command == 3)) RtPrintToFile(kPrintBuffer, "");
  if (s.ZD != 1) {
    StoreAtNextNumber(app);
    if (app.fieldbook.ZJ == 1 && app.cogo.RadiationStarted == 1) WriteRadiationRecord(app);
  }
  if (p.NextPointNumber < p.PointCapacity) p.NextPointNumber += 1;
}

void PutBackPendingPoint(App& app) {
  points::Store& p = app.points;
  p.WorkPointX = p.PendingPointX;
  p.WorkPointY = p.PendingPointY;
  p.LineConnectMode = 0;
}

void End(App& app) {
  PutBackPendingPoint(app);
  Call(Routines().ReportStoredPointByZe, app);
}

Step Store(App& app) {
  points::Store& p = app.points;
  if (p.LineConnectMode == 2) JoinToPreviousPoint(app);
  p.CurrentPointNumber = p.NextPointNumber = p.StoredPointNumber;
  ReportAndStore(app);
  return Step::End;
}

void RunRegistration(App& app) {
  Registration r;
  Step step = Step::Start;
  for (;;) {
    switch (step) {
      case Step::Start:
        step = Start(app);
        break;
      case Step::Convert:
        step = Convert(app);
        break;
      case Step::Question:
        step = Question(app, r);
        break;
      case Step::SameName:
        step = SameName(app, r);
        break;
      case Step::NameForm:
        step = NameForm(app);
        break;
      case Step::Store:
        step = Store(app);
        break;
      case Step::End:
        End(app);
        return;
      case Step::Return:
        return;
    }
  }
}

// The entries that store without a question never replace the table's last
// point once it is in use: a command registering past the end would otherwise
// overwrite it point after point.
bool MayStoreAtNextNumber(App& app) {
  const points::Store& p = app.points;
  const double n = p.NextPointNumber;
  if (n < 1 || !IsStorableNumber(app, n)) {
    ReportPointNumberOutOfRange(app);
    return false;
  }
  if (n == p.PointCapacity && !IsFreePoint(app, RtWhole(n))) {
    ReportPointNumberInUse(app, n);
    return false;
  }
  return true;
}

}  // namespace

void StorePoint(App& app) {
  points::Store& p = app.points;
  // Kept through a restart of "+", for the radiation record's note.
  p.ProjectionOffset = 0;
  p.HeightIncrement = 0;
  RunRegistration(app);
}

void StorePointAt(App& app) {
  points::Store& p = app.points;
  p.CurrentPointNumber = p.NextPointNumber = p.StoredPointNumber;
  PrintStoredPoint(app);
}

void PrintStoredPoint(App& app) {
  if (!MayStoreAtNextNumber(app)) {
    PutBackPendingPoint(app);
    return;
  }
  ReportAndStore(app);
  End(app);
}

void RewriteStoredPoint(App& app) {
  if (!IsStorableNumber(app, app.points.NextPointNumber) || app.points.NextPointNumber < 1) {
    ReportPointNumberOutOfRange(app);
    PutBackPendingPoint(app);
    return;
  }
  ReportAndStore(app);
  End(app);
}

std::string points::RadiationReferenceOf(double number) {
  const std::string digits = DigitsOf(number);
  const std::string padded = "   " + digits;
  return padded.substr(padded.size() - std::max<size_t>(3, digits.size())) + "=";
}
