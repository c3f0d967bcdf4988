#include "points/station_offset.h"

#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/plane.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"

void ConvertToStationOffset(App& app) {
  points::Store& p = app.points;
  const cogo::State& base = app.cogo;
  const plane::AlongBase along = plane::AlongBaseOf(p.WorkPointX - base.BasePointX, p.WorkPointY - base.BasePointY,
                                                    base.BaseAzimuth, base.BaseRadius);
  p.PolarDistance = along.distance;
  p.PolarAngle = along.angle;
  p.WorkPointX = along.station + base.BaseChainage;
  p.WorkPointY = p.StationOffset = along.offset;
}

void PrintDistanceLine(App& app) {
  const traverse::State& t = app.traverse;
  // The reading is compared as typed (dd.mmss) with that of a horizontal sight.
  if (app.fieldbook.MeasuredVerticalAngle == 90 + app.settings.VV || t.DistancePromptFlag != 0) return;
  const double distance = RoundDistance(app, app.points.HorizontalDistance);
  RtPrintUsingNum("L=######.###", {distance}, true);
  if (app.settings.ZD <= 2) RtPrintToFile(core::kPrintBuffer, RtFormatUsing("               L=#######.###", {distance}));
}
