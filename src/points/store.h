// The job's points and the shared state of point input, selection and registration.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/table.h"

namespace points {

inline constexpr int kPointCapacity = 9999;

struct Store {
  double PointCapacity = kPointCapacity;
  double AreaTableCapacity = 2000;

  // The point table, numbers 1 to PointCapacity (index 0 is never a point).
  RtTable<std::string> PointName{kPointCapacity};
  RtTable<double> PointX{kPointCapacity};
  RtTable<double> PointY{kPointCapacity};
  RtTable<double> PointZ{kPointCapacity};
  RtTable<std::string> PointAttribute{kPointCapacity};

  double PointCount = 0;
  double NextPointNumber = 1;
  double CurrentPointNumber = 1;
  double LastPointX = 0;
  double LastPointY = 0;

  // The point in hand.
  double WorkPointX = 0;
  double WorkPointY = 0;
  double WorkPointZ = 0;
  double SavedWorkPointX = 0;
  double SavedWorkPointY = 0;
  double DesignatedPointZ = 0;
  // The from-point, from which lines, directions and distances are taken.
  double FromPointX = 0;
  double FromPointY = 0;

  // Selections: entries 0 to SelectionLast; negative means empty.
  RtTable<int16_t> SelectionList{kPointCapacity};
  double SelectionLast = -1;
  double SelectionIndex = 0;

  // Points registered since the command began, and the undo snapshot.
  RtTable<int16_t> NewPointList{2 * kPointCapacity};
  double NewPointCount = 0;
  double PointCountBeforeCalc = 0;

  double PointInputMode = 0;
  double PointReaskFlag = 1;
  double CoordinateDisplayMode = 1;
  double CurrentMark = 0;
  double LineConnectMode = 0;
};

}  // namespace points
