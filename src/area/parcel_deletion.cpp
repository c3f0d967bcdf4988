#include "area/parcel_deletion.h"

#include "area/parcel_file.h"
#include "area/parcel_register.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/sound.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace area {
namespace {

std::vector<std::string> FieldsOf(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t comma = line.find(',', start);
    fields.push_back(RtTrim(line.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
}

std::string Field(const std::vector<std::string>& f, size_t i) { return i < f.size() ? f[i] : std::string(); }

}  // namespace

BlockDeletion DeleteParcelBlock(const std::vector<std::string>& lines, const std::string& lot) {
  BlockDeletion d;
  int position = 0;
  size_t i = 0;
  while (i < lines.size()) {
    const std::vector<std::string> head = FieldsOf(lines[i]);
    if (Field(head, 0) != "D00") {
      d.kept.push_back(lines[i++]);
      continue;
    }
    ++position;
    std::string stored = Field(head, 2);
    if (stored.empty()) stored = "*" + std::to_string(position);
    if (d.deleted || stored != lot) {
      d.kept.push_back(lines[i++]);
      continue;
    }
    d.deleted = true;
    d.kind = Field(head, 3);
    for (++i; i < lines.size(); ++i) {
      const std::vector<std::string> f = FieldsOf(lines[i]);
      const std::string& tag = Field(f, 0);
      if (tag == "D00") break;  // the block was left unfinished: the next one starts here
      if (tag == "D99") {
        ++i;
        break;
      }
      if (tag == "B01") {
        d.boundary[0].push_back(Field(f, 1));
        d.boundary[1].push_back(Field(f, 2));
      }
    }
  }
  return d;
}

}  // namespace area

namespace {

constexpr int kParcelFile = 4;
constexpr int kCopyFile = 7;
constexpr int kAreaLineLayer = 6;

// Switches off the first outline segment from point `from` to point `to`.
void SwitchOffSegment(App& app, int from, int to) {
  if (from < 0 || to < 0) return;
  cad::Lines& l = app.lines;
  for (double k = 1; k <= l.LineVertexCount; k += 1) {
    if (l.LinePointNumber(k - 1) == from && l.LinePointNumber(k) == to && l.LineType(k) == 0 &&
        l.LineLayer(k) == kAreaLineLayer) {
      l.LineType(k) = 9;
      return;
    }
  }
}

}  // namespace

void DeleteParcelCommand(App& app) {
  area::State& a = app.area;
  for (;;) {
    a.ParcelDeletionMode = 1;
    EditParcelRegister(app);
    const std::string lot =
        a.CurrentLotNumber.empty() ? std::string() : RtTrim(area::StoredLotNumber(a.CurrentLotNumber.substr(1)));
    if (lot.empty()) return;
    a.CurrentLotNumber = lot;
    DeleteParcelFromFile(app);
  }
}

void DeleteParcelFromFile(App& app) {
  area::State& a = app.area;
  const std::string path = app.shell.DataFolder + std::string(core::kParcelWorkFileName);
  const std::string copy = path + "D";
  RtClose(kParcelFile);
  RtClose(kCopyFile);
  if (RtFileExists(copy)) RtKill(copy);
  std::vector<std::string> lines;
  if (RtFileExists(path)) {
    RtOpen(kParcelFile, path, RtFileMode::Input);
    std::string line;
    while (!RtEof(kParcelFile)) {
      RtLineInputVar(kParcelFile, line);
      lines.push_back(line);
    }
    RtClose(kParcelFile);
  }
  const area::BlockDeletion d = area::DeleteParcelBlock(lines, a.CurrentLotNumber);
  if (!d.deleted) return;  // nothing to rewrite
  RtOpen(kCopyFile, copy, RtFileMode::Output);
  for (const std::string& line : d.kept) RtPrintToFile(kCopyFile, line);
  RtClose(kCopyFile);
  RtFileCopy(copy, path);
  RtKill(copy);

  int first = -1, previous = -1;
  for (size_t k = 0; k < d.boundary[0].size(); ++k) {
    const area::StoredVertex v{RtVal(d.boundary[0][k]), d.boundary[1][k]};
    const int n = area::SearchVertex(app, v);
    RtPrintNum(double(k + 1), false);
    RtPrintZone();
    RtPrintStr(d.boundary[1][k], true);
    if (k == 0) {
      first = n;
    } else {
      SwitchOffSegment(app, previous, n);
    }
    previous = n;
  }
  // An open parcel's outline has no closing segment.
  if (d.kind != "2") SwitchOffSegment(app, previous, first);
  RtColor(5);
  RtPrintStr(a.CurrentLotNumber + "を削除しました", true);
  RtColor(7);
  a.CurrentLotNumber = "\\";
  app.input.ViewRedrawPending = 1;
  PlaySound(app, "recycle.wav");
}
