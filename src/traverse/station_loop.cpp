#include "traverse/station_loop.h"

#include "cogo/base_inputs.h"
#include "core/app.h"
#include "core/columns.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "fieldbook/book.h"
#include "fieldbook/observation_fields.h"
#include "points/registration.h"
#include "points/station_offset.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "traverse/observation.h"
#include "traverse/report.h"
#include "traverse/station_setup.h"
#include "traverse/traverse_menu.h"
#include "ui/input.h"
#include "ui/navigator.h"

std::string traverse::StationRecordOf(const std::string& station, const std::string& backsight,
                                      double instrumentHeight) {
  return "*" + columns::PadTo(station, 17) + columns::PadTo(backsight, 17) + Format3Decimals(instrumentHeight);
}

std::string traverse::RadiationRecordOf(const SightColumns& c, const std::string& name) {
  return c.distance + c.vertical + c.horizontal + c.height + " " + columns::PadTo(name, 9);
}

std::string traverse::TurningRecordOf(const SightColumns& c, const std::string& name,
                                      const std::string& nextHeightText) {
  return "T" + c.distance.substr(1) + c.vertical + c.horizontal + c.height + " " + columns::PadTo(name, 9) +
         nextHeightText;
}

namespace {

// Appends a record to the field book; a full book refuses it (with its
// message) and the input goes back to the traverse kinds menu.
void AppendRecord(App& app, const std::string& record) {
  fieldbook::State& f = app.fieldbook;
  if (!RoomForRecords(app, 1)) JumpTo(TraverseKindsMenu);
  f.FieldBookCount += 1;
  f.FieldBookRecord(static_cast<int>(f.FieldBookCount)) = record;
}

// True when the name just given is now the point at the number stored.
bool SightWasRegistered(const App& app) {
  const points::Store& p = app.points;
  const double n = p.StoredPointNumber;
  if (app.traverse.TraverseInputKind != 0 || n < 1 || n > p.PointCount || n != static_cast<int>(n)) return false;
  return p.PointName(static_cast<int>(n)) == app.input.Answer;
}

// Open traverse: the station moves to the point just sighted, the circle's
// zero pointing back to the old station.
void MoveStationToSight(App& app) {
  points::Store& p = app.points;
  traverse::State& t = app.traverse;
  fieldbook::State& f = app.fieldbook;
  p.LegDirection = app.cogo.PolarAzimuth + 540;
  p.FromPointX = p.WorkPointX;
  p.FromPointY = p.WorkPointY;
  t.ObservationStationHeight = p.DesignatedPointZ;
  // The new station is oriented by its back-sight to the old one.
  t.UnorientedStation = 0;
  if (t.StationInstrumentHeight == 0) return;
  if (t.SightHeightComputed != 1) {
    // Without a height for the new station every later height would be
    // computed from 0: heights are switched off instead.
    RtPrintStr(" ｷｶｲﾃﾝ ﾉ ﾀｶｻ ｶﾞ ﾅｲﾉﾃﾞ ｺｳﾃｲ ｹｲｻﾝ ｦ ﾔﾒﾏｽ", true);
    t.StationInstrumentHeight = 0;
    f.ObservationInstrumentHeight = 0;
    return;
  }
  RtPrintStr("i=", false);
  app.input.GuideNumber = 5;
  InputPointName(app);
  f.ObservationInstrumentHeight = app.input.AnswerValue;
  if (app.settings.ZD <= 2) {
    RtPrintToFile(core::kPrintBuffer, RtFormatUsing("    i=##.###", {f.ObservationInstrumentHeight}), false);
  }
}

void RecordSight(App& app) {
  fieldbook::State& f = app.fieldbook;
  traverse::State& t = app.traverse;
  FormatObservationFields(app);
  t.NextInstrumentHeightText = t.StationInstrumentHeight == 0
                                   ? std::string()
                                   : Format3Decimals(RoundHeight(app, f.ObservationInstrumentHeight));
  const traverse::SightColumns c{f.DistanceColumn, f.VerticalColumn, f.HorizontalColumn, f.ObservationHeightField};
  AppendRecord(app, app.shell.HeightLabel == "h=" ? traverse::TurningRecordOf(c, t.StoredPointName,
                                                                              t.NextInstrumentHeightText)
                                                  : traverse::RadiationRecordOf(c, t.StoredPointName));
}

Jump LeaveStation(App& app) {
  switch (static_cast<int>(app.traverse.ObservationReturnMenu)) {
    case 1:
      app.input.AnswerCopy.clear();
      return {TraverseObservationLoop};
    case 2:
      // The stake-out menu is the menu of the last main-menu command.
      return {EntryOf(Routines().RepeatLastCommand)};
    case 3:
      return {TraverseKindsMenu};
    case 4:
      return {EntryOf(Routines().VariousCoordinateMenu)};
    default:
      return {EntryOf(Routines().ShowResultMenu)};
  }
}

}  // namespace

Jump StartTraverseObservation(App& app) {
  AppendRecord(app, app.input.AnswerCopy);
  app.navigator.MenuCellColumn = app.traverse.TraverseInputKind - 1;
  app.navigator.MenuCellRow = 0;
  ShowMenuPosition(app);
  return TraverseObservationLoop(app);
}

Jump TraverseObservationLoop(App& app) {
  app.output.ReportTitle = app.input.AnswerCopy;
  InputBasePoint(app);
  app.traverse.BacksightText = app.input.Answer;
  if (app.input.RawAnswer == "%") return {EntryOf(Routines().RepeatLastCommand)};
  InputInstrumentHeightIfNeeded(app);
  return TraverseObservationHeader(app);
}

Jump TraverseObservationHeader(App& app) {
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  PrintStationHeader(app);
  t.SightRegistered = 0;
  if (t.TraverseInputKind != 0) {
    AppendRecord(app, traverse::StationRecordOf(p.FromPointName, t.BacksightText,
                                                app.fieldbook.ObservationInstrumentHeight));
  }
  for (;;) {
    const int row = RtCsrlin();
    RtLocate(32, row);
    RtPrintStr("[H-h= P, @,S,^,M,*,V,Q]", false);
    RtLocate(0, row);
    ObservationLoop(app);
    if (t.ObservationCommand.empty()) return LeaveStation(app);
    PrintObservationLine(app);
    p.DesignatedPointZ = p.WorkPointZ;
    PrintDistanceLine(app);
    StorePoint(app);
    t.StoredPointName = app.input.Answer;
    t.SightRegistered = SightWasRegistered(app) ? 1 : 0;
    if (app.shell.HeightLabel == "h=") MoveStationToSight(app);
    if (t.TraverseInputKind != 0) RecordSight(app);
  }
}
