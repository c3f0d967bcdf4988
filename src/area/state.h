// Shared state of the area and parcel commands that other subsystems read or reset.
#pragma once

#include <string>

#include "runtime/table.h"

namespace area {

struct State {
  double SelectionPolylineOn = 0;
  // 0 makes the next reading of the parcel work file store the parcel labels anew.
  double ParcelLabelsLoaded = 0;
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
  // 1 when the point looked for is a vertex of the parcel in hand.
  double ParcelVertexFound = 0;
  // The parcel vertex LoadParcelVertexCyclic loaded last (a SelectionList index).
  double ParcelVertexIndex = 0;

  // The one running-area accumulator of the program (AddPointToRunningArea):
  // 0 the next point starts a figure, 1 one point taken, 2 two or more.
  double RunningAreaState = 0;
  double RunningArea = 0;  // signed area of the closed figure fed so far, m2
  struct RunningAreaPoints {
    double Sum = 0;  // cross terms of the points that have both neighbours
    double FirstX = 0;
    double FirstY = 0;
    double SecondX = 0;
    double TwoBackX = 0;
    double TwoBackY = 0;
    double LastX = 0;
    double LastY = 0;
  } RunningAreaStore;
  RtTable<std::string> SurveyCsvField{40};  // fields of the land survey record in hand

  // The three sides of the triangle in hand, metres; SideA may carry a sign
  // where it is a radius whose sign chooses the side (circle and circle).
  double SideA = 0;
  double SideB = 0;
  double SideC = 0;
  double SemiPerimeter = 0;
  double LongestSide = 0;
};

}  // namespace area
