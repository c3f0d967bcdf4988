#include "dxf/added_lines.h"

#include <cmath>

#include "cad/drawing.h"
#include "cad/line_prompts.h"
#include "core/app.h"
#include "core/sound.h"
#include "dxf/dxf_menu.h"
#include "dxf/head.h"
#include "dxf/line_writer.h"
#include "points/selection.h"
#include "runtime/console.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "ui/input.h"
#include "ui/view.h"

namespace {

constexpr int kGuideLineType = 231;
constexpr int kGuideLayer = 232;
constexpr int kGuideConfirm = 233;

bool IsDrawnLineType(double number) { return number >= 0 && number <= 8 && number == std::floor(number); }

void Refuse(App& app, std::string_view message) {
  RtPrintStr(message, true);
  PlaySound(app, "chord.wav");
}

// The line type of the pass; false when the answer leaves the choice.
bool AskLineType(App& app) {
  dxf::State& d = app.dxf;
  ui::InputState& in = app.input;
  // A type the lines cannot take (9 left by the plot's last vertex) is no default.
  if (!IsDrawnLineType(d.DxfLineTypeNumber)) d.DxfLineTypeNumber = 0;
  for (;;) {
    RtPrintStr("[EXIT= 9 ] ｾﾝｼｭ=" + RtNumText(d.DxfLineTypeNumber), false);
    in.GuideNumber = kGuideLineType;
    InputMenuChoice(app);
    if (in.AnswerCopy == "9") return false;
    if (in.Answer.empty()) return true;
    if (IsDrawnLineType(in.AnswerValue)) {
      d.DxfLineTypeNumber = in.AnswerValue;
      return true;
    }
    Refuse(app, " 線種は0～8です");
  }
}

// The layer of the pass; false for "99", back to the line type.
bool AskLayer(App& app) {
  dxf::State& d = app.dxf;
  ui::InputState& in = app.input;
  ShowColourChart(app);
  RtPrintStr("[1ﾓﾄﾞﾙ= 99] ﾚｲﾔｰ=" + RtNumText(d.CurrentLineLayer), false);
  in.GuideNumber = kGuideLayer;
  InputPointName(app);
  RtColor(7);
  if (in.Answer == "99") return false;
  if (!in.Answer.empty()) d.CurrentLineLayer = in.AnswerValue;
  if (d.CurrentLineLayer == 0) d.CurrentLineLayer = 1;
  return true;
}

// The preview confirmed; a rejected one is erased from the view.
bool Confirmed(App& app) {
  dxf::State& d = app.dxf;
  ui::InputState& in = app.input;
  RtPrintStr("OK [NO= 9,YES= ENT]", false);
  in.GuideNumber = kGuideConfirm;
  InputPointName(app);
  if (in.Answer != "9" && in.Answer != "NO=") return true;
  const double layer = d.CurrentLineLayer;
  d.CurrentLineLayer = 0;
  DrawListedPointsPolyline(app);
  d.CurrentLineLayer = layer;
  return false;
}

void WriteListedLines(App& app) {
  dxf::State& d = app.dxf;
  const points::Store& p = app.points;
  GetLineTypeName(app);
  for (int k = 1; k <= p.SelectionLast; ++k) {
    SetPaperLineFromPoints(app, p.SelectionList(k - 1), p.SelectionList(k));
    // Not a connection segment: no test of the lines before the current work.
    d.DxfLineVertex = 0;
    WriteDxfLine(app);
  }
}

}  // namespace

void SetLineStyleFromNumber(App&, double number) {
  if (!IsDrawnLineType(number)) return;
  static constexpr int kStyles[] = {ui::kPenSolid,   ui::kPenDash,    ui::kPenDash,
                                    ui::kPenDot,     ui::kPenDot,     ui::kPenDashDot,
                                    ui::kPenDashDot, ui::kPenDashDotDot, ui::kPenDashDotDot};
  RtSetLineStyle(RtWindowId::View, kStyles[static_cast<int>(number)]);
}

Jump AddLinesToDxf(App& app) {
  dxf::State& d = app.dxf;
  points::Store& p = app.points;
  for (;;) {
    ReopenDxfForAppend(app);
    RtColor(3);
    RtPrintStr("[ 0──  1----  2,3,4－－－  5,6─-─  7,8─--─ ]", true);
    RtColor(7);
    if (!AskLineType(app)) return {ReturnToDxfMenu};
    if (!AskLayer(app)) continue;
    p.SelectionLast = -1;
    SelectPoints(app);
    if (p.SelectionLast < 1) {
      Refuse(app, " 線には2点以上が要ります");
      continue;
    }
    SetLineStyleFromNumber(app, d.DxfLineTypeNumber);
    DrawListedPointsPolyline(app);
    if (!Confirmed(app)) continue;
    WriteListedLines(app);
  }
}
