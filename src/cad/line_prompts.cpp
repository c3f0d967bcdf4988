// Appending a vertex while points are connected, the layer and line-type
// prompts and the line file in the text editor.
#include "cad/line_prompts.h"

#include <cmath>
#include <string>

#include "cad/line_drawing.h"
#include "cad/line_editor.h"
#include "cad/state.h"
#include "core/app.h"
#include "core/sound.h"
#include "files/file_dialogs.h"
#include "files/line_file.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/programs.h"
#include "ui/input.h"
#include "ui/layout.h"
#include "ui/navigator.h"
#include "ui/view.h"

namespace {

constexpr int kNoSegment = 9;
constexpr int kGuideEditor = 273;
constexpr int kGuideLineType = 278;

// The segment ending at vertex i joins points q and p, in either direction.
bool JoinsSamePoints(const cad::Lines& l, int i, int q, int p) {
  const int before = l.LinePointNumber(i - 1), at = l.LinePointNumber(i);
  return (before == q && at == p) || (at == q && before == p);
}

// Deletes and erases every segment that the new one from q to p replaces.
void RemoveReplacedSegments(App& app, int q, int p) {
  cad::Lines& l = app.lines;
  const int count = RtWhole(l.LineVertexCount);
  for (int i = 1; i <= count; ++i) {
    if (l.LineLayer(i) != l.CurrentLayer && l.LineEraseMode != 1) continue;
    if (!JoinsSamePoints(l, i, q, p)) continue;
    l.LineType(i) = kNoSegment;
    l.SegmentVertex = i;
    l.SegmentStartPoint = q;
    l.SegmentEndPoint = p;
    l.LineDrawColour = app.settings.RG;
    app.view.LineTypeCode = "0";
    SetLineStyleFromCode(app);
    DrawLineSegment(app);
    l.LineDrawColour = l.CurrentLayer;
    l.LineArc(i).clear();
  }
}

}  // namespace

namespace cad {

bool LineTableHasRoom(const Lines& lines) { return lines.LineVertexCount + 1 <= kLineCapacity; }

bool AppendVertex(Lines& lines, int point, const std::string& name, int type, int layer) {
  if (!LineTableHasRoom(lines)) return false;
  lines.LineVertexCount += 1;
  const double k = lines.LineVertexCount;
  lines.LinePointNumber(k) = RtInt16(point);
  lines.LinePointName(k) = name;
  lines.LineType(k) = RtInt16(type);
  lines.LineLayer(k) = RtInt16(layer);
  lines.LineArc(k).clear();  // an entry above the count may keep an old arc text
  return true;
}

}  // namespace cad

void ReportLineTableFull(App& app) {
  RtPrintStr(" 結線データが一杯です(" + RtStr(cad::kLineCapacity).substr(1) +
                 "点)。これ以上結線できません",
             true);
  PlaySound(app, "chord.wav");
}

bool AppendLineVertex(App& app) {
  cad::Lines& l = app.lines;
  const points::Store& pts = app.points;
  if (pts.LineConnectMode != 1 || app.settings.ZEF != 1) return false;
  if (!cad::LineTableHasRoom(l)) {
    ReportLineTableFull(app);
    return false;
  }
  const int p = RtWhole(pts.CurrentPointNumber);
  const int q = l.LinePointNumber(l.LineVertexCount);
  RemoveReplacedSegments(app, q, p);
  return cad::AppendVertex(l, p, pts.PointName(p), RtWhole(l.CurrentLineType),
                           RtWhole(l.CurrentLayer));
}

void ShowColourChart(App&) {
  RtPrintStr("  ", false);
  for (int n = 0; n <= 14; n += 2) {
    RtColor(n / 2);
    RtPrintStr(RtNumText(n), false);
    RtColor(n / 2 + 8);
    RtPrintStr(RtNumText(n + 1), false);
  }
  RtColor(15);
}

void InputLayer(App& app) {
  cad::Lines& l = app.lines;
  const double guide = app.input.GuideNumber;
  for (;;) {
    ShowColourChart(app);
    RtPrintStr(" " + RtNumText(l.ChosenLayer), false);
    app.input.GuideNumber = guide;
    InputMenuChoice(app);
    if (app.input.Answer.empty()) {
      if (l.ChosenLayer >= cad::kFirstLayer && l.ChosenLayer <= cad::kLastLayer) return;
    } else {
      const double layer = app.input.AnswerValue == 0 ? 1 : std::round(app.input.AnswerValue);
      if (layer >= cad::kFirstLayer && layer <= cad::kLastLayer) {
        l.ChosenLayer = layer;
        return;
      }
    }
    // Every layer is a colour of the view and has its entry in LayerVisible.
    RtPrintStr(" レイヤーは1～15です", true);
    PlaySound(app, "chord.wav");
  }
}

void InputLineType(App& app) {
  cad::Lines& l = app.lines;
  RtPrintStr("      線種", true);
  RtColor(3);
  RtPrintStr("[ 0── 1 2---- 3 4－－－ 5 6─-─ 7 8─--─ 10:" + l.LineTypeAllText + " ] 10 ",
             false);
  RtColor(7);
  l.ChosenLineType = 10;
  app.input.GuideNumber = kGuideLineType;
  InputMenuChoice(app);
  if (!app.input.Answer.empty()) l.ChosenLineType = app.input.AnswerValue;
}

namespace {

// Writes the line file as a full save would, so that the editor shows the lines
// drawn since the last save. False (and said) when the write is refused.
bool SaveLinesForEditor(App& app, const std::string& path) {
  files::JobFiles& job = app.job;
  const double choice = job.FileMenuChoice, firstVertex = job.FirstVertexToSave,
               firstPoint = job.FirstPointToSave;
  job.FileMenuChoice = 1;
  job.FirstVertexToSave = 1;
  job.FirstPointToSave = 1;
  bool saved = true;
  try {
    RtFileGroup file;
    SaveConnectionLineFile(app);
    file.Commit();
  } catch (const RtError& error) {
    RtPrintStr("", true);
    RtPrintStr(" " + path + " を書き込めませんでした(エラー" + RtStr(error.number()) + ")。", true);
    RtPrintStr(" エディタは開きません。", true);
    PlaySound(app, "chord.wav");
    RtPrintStr(" メニューに戻ります", false);
    InputPointName(app);  // waits for Enter
    saved = false;
  }
  job.FileMenuChoice = choice;
  job.FirstVertexToSave = firstVertex;
  job.FirstPointToSave = firstPoint;
  return saved;
}

}  // namespace

Jump EditConnectionLinesInEditor(App& app) {
  const std::string path = app.shell.JobFolder + app.settings.ZA + ".SEN";
  // A file that could not be read at loading is opened as it is, to be mended:
  // writing the table over it would lose what it holds.
  if (!files::IsUnreadFile(app, path) && !SaveLinesForEditor(app, path)) {
    return {ConnectionLineEditor};
  }
  app.input.GuideNumber = kGuideEditor;
  ShowGuideNext(app);
  ReleaseTopmost(app);
  RtShell(app.settings.VZ, path, true, 8, rt::ProgramRole::kEditor);
  RestoreTopmost(app);
  LoadConnectionLineFile(app);
  return {ConnectionLineEditor};
}
