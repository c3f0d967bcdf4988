// Shared state of the area and parcel commands that other subsystems read or reset.
#pragma once

namespace area {

struct State {
  double SelectionPolylineOn = 0;
  double ParcelVertexPickMode = 0;
  double AreaTableMode = 0;
  double AreaReportStyle = 0;
  double LabelCount = 0;
  double LotNumberPickEnabled = 0;
};

}  // namespace area
