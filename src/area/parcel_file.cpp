#include "area/parcel_file.h"

#include <cmath>

#include "area/labels.h"
#include "area/survey_items.h"
#include "area/survey_table.h"
#include "core/app.h"
#include "core/constants.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "runtime/windows.h"

namespace area {
namespace {

constexpr int kParcelFile = 4;
constexpr int kStoredLotBytes = 20;

bool ValidPoint(const App& app, double n) {
  return n == std::floor(n) && app.points.PointName.Contains(static_cast<long long>(n));
}

}  // namespace

std::string StoredLotNumber(std::string_view lot) { return rt::CutBytes(lot, kStoredLotBytes); }

std::string ParcelHeadRecord(double parcelNumber, std::string_view lot, std::string_view kind) {
  return "D00," + RtNumText(parcelNumber) + "," + StoredLotNumber(lot) + "," + std::string(kind) + ",";
}

std::string BoundaryPointRecord(double pointNumber, std::string_view storedName) {
  return "B01," + RtNumText(pointNumber) + "," + std::string(storedName) + ",";
}

std::string StoredPointName(std::string_view pointName) {
  const size_t first = pointName.find_first_not_of(' ');
  return std::string(first == std::string_view::npos ? std::string_view() : pointName.substr(first));
}

std::vector<std::string> ReadParcelFileFields(App& app) {
  RtClose(kParcelFile);
  std::vector<std::string> fields;
  const std::string path = app.shell.DataFolder + std::string(core::kParcelWorkFileName);
  if (!RtFileExists(path)) return fields;
  RtOpen(kParcelFile, path, RtFileMode::Input);
  std::string field;
  while (!RtEof(kParcelFile)) {
    RtInputVars(kParcelFile, field);
    fields.push_back(RtTrim(field));
  }
  RtClose(kParcelFile);
  return fields;
}

int WalkVertex(const App& app, const StoredVertex& v) {
  const points::Store& p = app.points;
  const std::string name = RtTrim(v.name);
  if (ValidPoint(app, v.number) && p.PointName(v.number) == name) return static_cast<int>(v.number);
  for (int k = 1; k <= p.PointCount && p.PointName.Contains(k); ++k) {
    if (p.PointName(k) == name) return k;
  }
  return ValidPoint(app, v.number) ? static_cast<int>(v.number) : -1;
}

int SearchVertex(const App& app, const StoredVertex& v) {
  const points::Store& p = app.points;
  std::string name = RtTrim(v.name);
  if (RtVal(name) != 0) name = " " + name;
  for (int k = static_cast<int>(p.PointCount); k >= 0; --k) {
    if (p.PointName.Contains(k) && p.PointName(k) == name) return k;
  }
  return ValidPoint(app, v.number) ? static_cast<int>(v.number) : -1;
}

}  // namespace area

namespace {

void ListLotNumber(const std::string& lot, bool compact) {
  if (compact) {
    RtPrintStr(lot + ",", false);
  } else {
    RtPrintStr(lot, false);
    RtPrintZone();
  }
}

}  // namespace

void ReadParcelFile(App& app) {
  area::State& a = app.area;
  const std::vector<area::StoredParcel> parcels = area::ParseParcelFields(area::ReadParcelFileFields(app));
  const bool rebuild = a.ParcelLabelsLoaded == 0;
  if (rebuild) a.LabelCount = 0;
  const bool compact =
      a.ParcelsListedLastWalk / 4 > RtWindowOuterHeight(RtWindowId::Main) / 18 - 4;
  a.ParcelNumber = 1;
  for (const area::StoredParcel& parcel : parcels) {
    a.RecordLotNumber = parcel.lot;
    a.ParcelNumber += 1;
    ListLotNumber(parcel.lot, compact);
    WriteSurveyRowOfParcel(app);
    if (!rebuild) continue;
    double sumX = 0, sumY = 0, count = 0;
    for (const area::StoredVertex& v : parcel.boundary) {
      const int n = area::WalkVertex(app, v);
      if (n < 0) continue;
      sumX += app.points.PointX(n);
      sumY += app.points.PointY(n);
      count += 1;
    }
    // A parcel without a vertex of the table has no place for its label, and a
    // full table takes no more: the parcel is still listed and can be chosen.
    if (count == 0 || !a.LabelX.Contains(static_cast<long long>(a.LabelCount))) continue;
    a.LabelX(a.LabelCount) = sumX / count;
    a.LabelY(a.LabelCount) = sumY / count;
    a.LabelText(a.LabelCount) = parcel.lot;
    a.LabelCount += 1;
  }
  a.ParcelsListedLastWalk = a.ParcelNumber;
  if (RtPos() != 0) RtPrintStr("", true);
  DrawParcelLabels(app);
  a.ParcelLabelsLoaded = 1;
  // The area was counted when the chooser was entered; it is shown at most once.
  if (a.CumulativeParcelArea == 0 || a.ParcelDeletionMode == 1) {
    a.ParcelArea = 0;
    return;
  }
  const std::string lot = a.CurrentLotNumber.empty() ? "" : area::StoredLotNumber(a.CurrentLotNumber.substr(1));
  RtColor(5);
  RtPrintUsingNum("地番＝&          &面積=########.##㎡  累積=########.##㎡####筆",
                  {lot, a.ParcelArea, a.CumulativeParcelArea, a.CumulativeParcelCount}, true);
  RtColor(7);
  a.ParcelArea = 0;
}
