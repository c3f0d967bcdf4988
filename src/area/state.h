// Shared state of the area and parcel commands that other subsystems read or reset.
#pragma once

#include <string>

#include "runtime/table.h"

namespace area {

struct State {
  double SelectionPolylineOn = 0;
  double ParcelVertexPickMode = 0;
  double AreaTableMode = 0;
  double AreaReportStyle = 0;
  double LabelCount = 0;
  double LotNumberPickEnabled = 0;
  RtTable<std::string> SurveyCsvField{40};  // fields of the land survey record in hand
};

}  // namespace area
