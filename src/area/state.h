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
  std::string ParcelKind;  // of the parcel in hand: "2" open, else closed
  // The parcel and triangle labels, entries 0 to LabelCount - 1; the area menu
  // dimensions the table (a text beginning with "^" is a triangle number).
  double LabelCount = 0;
  RtTable<double> LabelX;
  RtTable<double> LabelY;
  RtTable<std::string> LabelText;
  double LotNumberPickEnabled = 0;
  RtTable<std::string> SurveyCsvField{40};  // fields of the land survey record in hand
};

}  // namespace area
