#include "points/station_offset.h"

#include "core/app.h"
#include "core/plane.h"

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
