#include "area/parcel_edit.h"

#include <cmath>
#include <string>

#include "area/parcel_deletion.h"
#include "area/parcel_division.h"
#include "area/parcel_file.h"
#include "area/parcel_outline.h"
#include "area/parcel_register.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/sound.h"
#include "points/point_input.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/navigator.h"
#include "ui/redraw.h"

namespace area {

std::optional<int> FindVertex(const std::vector<int>& list, int number) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i] == number) return static_cast<int>(i);
  }
  return std::nullopt;
}

std::vector<int> InsertVertexAfter(std::vector<int> list, int p, int number) {
  list.insert(list.begin() + p + 1, number);
  return list;
}

std::vector<int> ExcludeVertex(std::vector<int> list, int p) {
  list.erase(list.begin() + p);
  return list;
}

}  // namespace area

namespace {

constexpr int kParcelFile = 4;

std::vector<int> VertexList(const App& app) {
  std::vector<int> list;
  for (int i = 0; i < app.points.SelectionIndex; ++i) list.push_back(app.points.SelectionList(i));
  return list;
}

// The list back into SelectionList with its closing copy of vertex 0.
void SetVertexList(App& app, const std::vector<int>& list) {
  points::Store& p = app.points;
  for (size_t i = 0; i < list.size(); ++i) p.SelectionList(static_cast<long long>(i)) = static_cast<int16_t>(list[i]);
  p.SelectionIndex = static_cast<double>(list.size());
  if (!list.empty()) p.SelectionList(static_cast<long long>(list.size())) = static_cast<int16_t>(list[0]);
}

bool Abandoned(const App& app) { return app.input.RawAnswer == "%"; }

// The vertex designated (FindParcelVertex); "画地の点ではありません" otherwise.
std::optional<int> DesignatedVertex(App& app) {
  area::State& a = app.area;
  const std::optional<int> p = area::FindVertex(VertexList(app), static_cast<int>(app.points.CurrentPointNumber));
  a.ParcelVertexFound = p ? 1 : 0;
  if (!p) {
    RtPrintStr("画地の点ではありません", true);
    PlaySound(app, "chord.wav");
    return std::nullopt;
  }
  a.FoundVertexIndex = *p;
  return p;
}

void ShowEditedParcel(App& app) {
  ShowDivisionTarget(app);
  RedrawView(app);
}

Jump ChangeParcelVertex(App& app) {
  for (;;) {
    app.area.ParcelVertexPickMode = 1;
    app.input.GuideNumber = 288;
    ShowGuide(app);
    RtPrintStr("変更点", true);
    InputPoint(app);
    if (Abandoned(app)) return {ParcelEditMenu};
    const std::optional<int> p = DesignatedVertex(app);
    if (!p) continue;
    RtPrintStr("変更後", true);
    app.input.GuideNumber = 272;
    InputPoint(app);
    if (Abandoned(app)) return {ParcelEditMenu};
    std::vector<int> list = VertexList(app);
    list[*p] = static_cast<int>(app.points.CurrentPointNumber);
    SetVertexList(app, list);
    ShowEditedParcel(app);
  }
}

Jump InsertParcelVertex(App& app) {
  for (;;) {
    app.area.ParcelVertexPickMode = 1;
    RtPrintStr("挿入位置", true);
    InputPoint(app);
    if (Abandoned(app)) return {ParcelEditMenu};
    const std::optional<int> p = DesignatedVertex(app);
    if (!p) continue;
    if (app.points.SelectionIndex >= area::kMaxDivisionVertices) {
      RtPrintStr(" 999点を超える画地にはできません", true);
      PlaySound(app, "chord.wav");
      return {ParcelEditMenu};
    }
    RtPrintStr("挿入点", true);
    app.input.GuideNumber = 271;
    InputPoint(app);
    // An abandoned insert leaves the list as it was.
    if (Abandoned(app)) return {ParcelEditMenu};
    SetVertexList(app, area::InsertVertexAfter(VertexList(app), *p, static_cast<int>(app.points.CurrentPointNumber)));
    ShowEditedParcel(app);
  }
}

Jump ExcludeParcelVertex(App& app) {
  for (;;) {
    app.area.ParcelVertexPickMode = 1;
    RtPrintStr("除外点", true);
    InputPoint(app);
    if (Abandoned(app)) return {ParcelEditMenu};
    const std::optional<int> p = DesignatedVertex(app);
    if (!p) continue;
    // The parcel keeps at least one vertex.
    if (app.points.SelectionIndex <= 1) {
      RtPrintStr("最後の点は除外できません", true);
      PlaySound(app, "chord.wav");
      continue;
    }
    SetVertexList(app, area::ExcludeVertex(VertexList(app), *p));
    ShowEditedParcel(app);
  }
}

// How many parcels of "K.D" carry the land number (as stored).
int BlocksOfLot(App& app, const std::string& lot) {
  int count = 0;
  for (const area::StoredParcel& parcel : area::ParseParcelFields(area::ReadParcelFileFields(app))) {
    if (parcel.lot == lot) ++count;
  }
  return count;
}

Jump RegisterParcel(App& app) {
  area::State& a = app.area;
  points::Store& p = app.points;
  RtPrintStr("地番= ", false);
  app.input.GuideNumber = 139;
  a.LotNumberPickEnabled = 1;
  InputPointName(app);
  a.LotNumberPickEnabled = 0;
  if (app.input.Answer.empty()) return {ParcelEditMenu};
  // Stored as every reader of the file finds it: cut to 20 bytes, no comma.
  const std::string lot = area::StoredLotNumber(app.input.Answer);
  if (lot.find(',') != std::string::npos) {
    RtColor(2);
    RtPrintStr("地番に , は使えません", true);
    RtColor(7);
    return {ParcelEditMenu};
  }
  a.CurrentLotNumber = lot;
  RtPrintStr(" 画地の種類選択    1:閉合  2:開放  " + a.ParcelKind, false);
  app.input.GuideNumber = 0;
  InputMenuChoice(app);
  if (!app.input.Answer.empty()) {
    const std::string kind = RtTrim(app.input.Answer);
    if (kind.find(',') == std::string::npos) a.ParcelKind = kind;
  }
  RtPrintStr("", true);
  a.ParcelLabelsLoaded = 0;
  RtClose(kParcelFile);
  RtOpen(kParcelFile, app.shell.DataFolder + std::string(core::kParcelWorkFileName), RtFileMode::Append);
  RtPrintToFile(kParcelFile, area::ParcelHeadRecord(a.ParcelNumber, lot, a.ParcelKind));
  // A counted loop: entry 0 is written even for an empty list.
  double i = 0;
  do {
    const double number = p.SelectionList(i);
    RtPrintToFile(kParcelFile, area::BoundaryPointRecord(number, area::StoredPointName(p.PointName(number))));
    i += 1;
  } while (i <= p.SelectionIndex - 1);
  RtPrintToFile(kParcelFile, "D99,");
  RtClose(kParcelFile);
  a.ParcelNumber += 1;
  AddParcelOutlineAsAreaLines(app);
  // The older parcels of this land number are those the file itself holds
  // besides the one just appended (the labels may be older than the file).
  for (int older = BlocksOfLot(app, lot) - 1; older > 0; --older) {
    RtPrintStr("同じ地番があります。前画地削除 [Y,N]Y", false);
    PlaySound(app, "chord.wav");
    app.input.GuideNumber = 17;
    InputPointName(app);
    if (RtUcase(app.input.Answer) == "N") continue;
    DeleteParcelFromFile(app);
    a.ParcelLabelsLoaded = 0;
    a.CurrentLotNumber = lot;
    PlaySound(app, "recycle.wav");
  }
  return {ParcelEditMenu};
}

Jump EditParcelFile(App& app) {
  EditParcelFileInEditor(app);
  return {ParcelEditMenu};
}

}  // namespace

Jump ParcelEditMenu(App& app) {
  area::State& a = app.area;
  a.ParcelVertexPickMode = 0;
  ShowDivisionTarget(app);
  a.ParcelVertexFound = 0;
  RtPrintStr(" 1:点変更  2:点挿入  3:点除外  4:画地登録  5:ｴﾃﾞｨﾀ ", false);
  app.input.GuideNumber = 138;
  InputMenuChoice(app);
  RtPrintStr("", true);
  switch (static_cast<int>(std::round(app.input.AnswerValue))) {
    case 1: return {ChangeParcelVertex};
    case 2: return {InsertParcelVertex};
    case 3: return {ExcludeParcelVertex};
    case 4: return {RegisterParcel};
    case 5: return {EditParcelFile};
    default: return {ParcelDivisionMenu};
  }
}
