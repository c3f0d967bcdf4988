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

  // The area menu and the figures the area commands share.
  double AreaTablesDimensioned = 0;  // 1 once the label and survey tables exist
  // The land survey table, SurveyTable(row)(column): rows 0-2000, columns 0-16.
  RtTable<RtTable<std::string>> SurveyTable;
  double DivisionPending = 0;        // 1: a finished figure goes on to the division
  double ParcelWalkIndex = 0;        // the SelectionList index LoadNextParcelVertex loaded last
  double LoadedVertexAlong = 0;
  double LoadedVertexOffset = 0;
  double ParcelDeletionMode = 0;
  std::string RememberedLotNumber;
  double SurveyExtractInParcelOrder = 0;

  // The current parcel and the chooser's totals.
  std::string CurrentLotNumber;
  double ParcelSource = 0;  // 0 no parcel, 1 a new one being registered, 2 a registered one
  double ParcelTriangleState = 0;
  double TriangleBlockStart = 0;
  double TriangleBlockEnd = 0;
  double ParcelArea = 0;
  double CumulativeParcelArea = 0;
  double CumulativeParcelCount = 0;
  // 1 once the chooser has taken up a parcel in this command: the next one
  // starts a new page of the report.
  double ParcelPageBreakDue = 0;
  std::string SurveyLotNumber;

  // The coordinate area report: the vertices taken so far and the area S kept
  // up to date from their rounded coordinates.
  double AreaVertexCount = 0;
  struct ReportArea {
    double Sum = 0;
    double S = 0;
    double FirstX = 0;
    double FirstY = 0;
    double SecondX = 0;
    double BeforeX = 0;  // the vertex before the last one
    double BeforeY = 0;
  } ReportAreaStore;
  // The first vertex of the figure as it stands, not rounded.
  double FirstVertexX = 0;
  double FirstVertexY = 0;

  // The answer as StripLastCharOfAnswer left it.
  std::string LastStrippedAnswer;

  // Heron and base-and-height triangles.
  double HeronAreaValue = 0;
  double HeronTotal = 0;
  double TriangleBase = 0;
  double TriangleHeight = 0;
  double DoubleAreaSum = 0;
  double TriangleNumber = 0;
  double TriangleRounding = 100;
  double TotalsIndent = 0;

  // The parcel work file's walk and search, and the chooser's series.
  double ParcelNumber = 1;  // after a whole walk: the number a new parcel gets
  std::string RecordLotNumber;
  double ParcelSeriesMode = 0;
  std::string SeriesLotPrefix;
  double LastSeriesParcelNumber = 0;
  double ParcelsListedLastWalk = 0;  // the previous walk's final ParcelNumber
  // The land survey table's rows in use (0 while no table has been read) and
  // the item switches of the view.
  double SurveyTableRowCount = 0;
  double SurveyItemsOnScreen = 0;
  double ParcelLabelFilter = 0;
  double LabelItemOffset = 0;
  // The coordinate triangles: the report style and the next stored triangle.
  double TriangleReportStyle = 0;
  double StoredTriangleIndex = 0;
  // The parcel division: the land number and area of the parcel shown, the
  // menu's choice (rounded), the wanted area, the trials and the cut line's
  // offset from the base line; 1 while the menu is entered from the coordinate
  // area report, the only time it takes the report's vertex count.
  std::string DivisionLotNumber;
  double DivisionParcelArea = 0;
  double DivisionChoice = 0;
  double DivisionTargetArea = 0;
  double DivisionRoundCount = 0;
  double DivisionCutOffset = 0;
  double DivisionFromReport = 0;
  double FoundVertexIndex = 0;

  // The land survey table's other scene switches (0 on, -9 off) and the extract.
  double SurveyItemsOnPlot = 0;
  double SurveyItemsInList = 0;
  double SurveyExtractSeparator = 0;
  double SurveyExtractItem = 0;
  std::string SurveyExtractValue;
  std::string ParcelAttributeText;
};

}  // namespace area
