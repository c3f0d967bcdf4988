#include "transfer/dxf_import.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "cad/line_prompts.h"
#include "core/app.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "files/file_dialogs.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "transfer/dxf_import_entities.h"
#include "transfer/dxf_import_reader.h"
#include "transfer/link.h"
#include "transfer/start_number.h"
#include "transfer/transfer_menu.h"
#include "ui/input.h"

namespace transfer {

namespace {

// Slots of the layer list: names to read from 1, names to leave out from 17.
constexpr int kFirstReadSlot = 1;
constexpr int kLastListedSlot = 16;
constexpr int kFirstLeftOutSlot = 17;
constexpr int kLastSlot = 32;

}  // namespace

std::vector<std::string> FillDxfLayerList(const std::vector<std::string>& names, double mode,
                                          std::array<std::string, 33>& slots,
                                          std::vector<std::string>& overflow) {
  std::vector<std::string> shown;
  if (mode == 3 || mode == 4) return shown;
  int fill = kFirstReadSlot;
  for (const std::string& name : names) {
    if (mode == 5 && std::find(slots.begin() + kFirstLeftOutSlot, slots.end(), name) != slots.end()) {
      continue;
    }
    slots[fill] = name;
    fill = std::min(fill + 1, kLastListedSlot);
    if (shown.size() >= kLastListedSlot - 1) overflow.push_back(name);
    shown.push_back(name);
  }
  return shown;
}

}  // namespace transfer

namespace {

constexpr int kDxfFile = 1;
// The pause that lets a message be read before the menu comes back (10 ms units).
constexpr double kMessagePause = 200;
constexpr double kDefaultScale = 1000;

// The colour and mode of the n-th listed layer name (from 1).
void ListColour(std::size_t place) {
  static constexpr int kColours[16] = {0, 7, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15};
  if (place > 16) {
    RtColor(1, -1, 1);
  } else {
    RtColor(kColours[place - 1], -1, place % 2 == 1 ? 1 : 4);
  }
}

void CursorUp() { RtLocate(RtPos(), std::max(0, RtCsrlin() - 1)); }

// Erases the layer list, then relists it.
void RelistDxfLayers(App& app, const transfer::DxfDrawing& drawing) {
  transfer::State& t = app.transfer;
  RtPrintStr("レイヤー 一覧", true);
  const std::vector<std::string> shown =
      transfer::FillDxfLayerList(drawing.layers, t.DxfReadMode, t.DxfLayerName, t.DxfOverflowLayers);
  for (std::size_t place = 1; place <= shown.size(); ++place) {
    ListColour(place);
    RtPrintStr(" " + shown[place - 1] + " ", false);
    RtColor(7, -1, 4);
    RtPrintStr(" ", false);
  }
}

void ListDxfLayers(App& app, const transfer::DxfDrawing& drawing) {
  app.transfer.DxfLayerName = {};
  app.transfer.DxfOverflowLayers.clear();
  RelistDxfLayers(app, drawing);
}

// Says why the drawing cannot be imported, then back to the transfer menu.
[[noreturn]] void RefuseDrawing(const std::string& why) {
  RtColor(6);
  RtPrintStr("", true);
  RtPrintStr("  " + why, true);
  RtColor(7);
  RtWait(kMessagePause);
  JumpTo(EntryOf(Routines().RepeatLastCommand));
}

std::string ReadWholeFile(const std::string& path) {
  RtOpen(kDxfFile, path, RtFileMode::Input);
  const long size = RtLof(kDxfFile);
  if (size > INT_MAX) {
    RtClose(kDxfFile);
    RefuseDrawing("DXFファイルが大きすぎます");
  }
  std::string bytes = size > 0 ? RtInputChars(kDxfFile, static_cast<int>(size)) : "";
  RtClose(kDxfFile);
  return bytes;
}

// Modes 3 and 4: up to 15 names typed into slots 1 to 15 (mode 3) or 17 to 31
// (mode 4); Enter ends the input.
void InputLayerNames(App& app, const transfer::DxfDrawing& drawing) {
  transfer::State& t = app.transfer;
  CursorUp();
  ListDxfLayers(app, drawing);
  const bool selection = t.DxfReadMode == 3;
  int index = selection ? 1 : 17;
  CursorUp();
  RtPrintStr(std::string(52, ' '), false);
  CursorUp();
  for (;;) {
    if (selection) {
      RtPrintStr("抜き出しレイヤー番号", false);
      RtPrintNum(index, false);
      RtPrintStr("  ", false);
    } else {
      RtPrintStr("間引きレイヤー", false);
    }
    app.input.GuideNumber = 321;
    InputMenuChoice(app);
    if (app.input.Answer.empty() || index == 16 || index == 32) break;
    t.DxfLayerName[index] = app.input.AnswerCopy;
    ++index;
    CursorUp();
  }
  if (selection) {
    for (int k = 1; k <= 16; ++k) RtPrintStr(t.DxfLayerName[k] + ",", false);
    return;
  }
  t.DxfReadMode = 5;
  RtCls();
  RelistDxfLayers(app, drawing);
}

// The scale denominator: Enter takes 1/1000; 0, a negative value or a text
// that is no number is asked again.
double InputImportScale(App& app) {
  for (;;) {
    RtPrintStr("[1,10,20,30,50,100,200,250,300,400,500,600,1200,2000,5000] ", true);
    RtPrintStr("縮尺＝1/1000 ", false);
    app.input.GuideNumber = 316;
    InputPointName(app);
    if (app.input.Answer.empty()) return kDefaultScale;
    if (app.input.AnswerValue > 0 && std::isfinite(app.input.AnswerValue)) return app.input.AnswerValue;
    RtColor(2);
    RtPrintStr("  縮尺は 0 より大きい数で入れてください", true);
    RtColor(7);
  }
}

// The messages after the entities: what was passed over and why.
bool ReportImport(const transfer::DxfImportSummary& s, const transfer::DxfDrawing& drawing,
                  double mode) {
  std::vector<std::string> lines;
  if (!s.passedOver.empty()) {
    std::string line = "  読み込まなかった図形";
    for (const auto& [kind, count] : s.passedOver) line += "  " + kind + " " + std::to_string(count);
    lines.push_back(line);
  }
  if (s.overflowEntities > 0) {
    lines.push_back("  16 番目以降の " + std::to_string(s.overflowLayers) + " レイヤーの " +
                    std::to_string(s.overflowEntities) +
                    (mode == 1 ? " 図形はレイヤー 2 にしました" : " 図形は読み込みませんでした"));
  }
  if (drawing.replacedCharacters > 0) {
    lines.push_back("  Shift-JIS にない " + std::to_string(drawing.replacedCharacters) +
                    " 文字を ? にしました");
  }
  if (s.pointTableFull) lines.push_back("  点番 9999 を超えるので,ここで読込を終わります");
  if (s.lineTableFull) lines.push_back("  結線データが一杯なので,ここで読込を終わります");
  if (lines.empty()) return false;
  RtColor(2);
  for (const std::string& line : lines) RtPrintStr(line, true);
  RtColor(7);
  return true;
}

}  // namespace

Jump DxfImport(App& app) {
  transfer::State& t = app.transfer;
  ui::InputState& in = app.input;
  t.DxfReadMode = 0;
  const std::string path = ChooseSideFile(app, ShowOpenFileDialog, ".DXF");
  if (path.empty()) return {EntryOf(Routines().TransferMenu)};
  const transfer::DxfDrawing drawing = transfer::ReadDxfDrawing(ReadWholeFile(path));
  if (!drawing.refusal.empty()) RefuseDrawing(drawing.refusal);

  app.lines.ChosenLayer = 1;
  RtCls();
  ListDxfLayers(app, drawing);
  RtColor(7);
  RtPrintStr("", true);
  RtPrintStr(" 1:普通読込  2:1ﾚｲﾔｰ  3:ﾚｲﾔｰ選抜  4:ﾚｲﾔｰ間引き ", false);
  in.GuideNumber = 320;
  InputMenuChoice(app);
  t.DxfReadMode = in.Answer.empty() ? 0 : transfer::MenuChoiceOf(in.AnswerValue);
  if (t.DxfReadMode == 2) {
    RtPrintStr("読込レイヤーを選択してください", true);
    in.GuideNumber = 0;
    InputLayer(app);
  } else if (t.DxfReadMode == 3 || t.DxfReadMode == 4) {
    InputLayerNames(app, drawing);
  } else if (t.DxfReadMode != 1) {
    return {EntryOf(Routines().RepeatLastCommand)};
  }

  t.DxfImportScale = InputImportScale(app) / 1000;

  points::Store& p = app.points;
  app.shell.PointNamePrefix = "D";
  app.shell.PointNameNumber = p.PointCount;
  NextPointName(app);
  t.ImportPointName = in.Answer;
  RtPrintStr("自動点名[Q]= " + t.ImportPointName, false);
  in.GuideNumber = 154;
  InputPointName(app);
  if (!in.Answer.empty()) t.ImportPointName = in.Answer;
  if (RtUcase(in.Answer) == "Q") return {EntryOf(Routines().ShowResultMenu)};

  AskRegistrationStartNumber(app);
  in.Answer = t.ImportPointName;
  t.ImportFirstNumber = t.RegistrationNumber;

  PointReceiver receiver(app);
  const transfer::DxfImportSummary summary =
      transfer::ImportDxfEntities(app, drawing, receiver, [&](const std::string& kind) {
        RtLocate(9, RtCsrlin());
        RtPrintStr(kind + "   ", false);
        RtPrintZone();
        RtPrintNum(t.RegistrationNumber, false);
      });
  RtPrintStr("", true);
  if (ReportImport(summary, drawing, t.DxfReadMode)) RtWait(kMessagePause);
  receiver.Finish();
}
