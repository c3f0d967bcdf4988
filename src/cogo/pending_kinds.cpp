// The radial observation from the instrument station.
#include "cogo/pending_kinds.h"

#include "core/app.h"
#include "core/routines.h"

Jump MachineRadiation(App& app) {
  cogo::State& c = app.cogo;
  fieldbook::State& f = app.fieldbook;
  traverse::State& t = app.traverse;
  c.RadiationStarted = 1;
  app.points.LegDirection = c.InstrumentOrientation;
  app.points.FromPointX = c.InstrumentStationX;
  app.points.FromPointY = c.InstrumentStationY;
  f.ObservationInstrumentHeight = c.SetupInstrumentHeight;
  t.ObservationStationHeight = c.InstrumentStationZ;
  f.ObservationTargetHeight = f.ObservationInstrumentHeight;
  t.StationInstrumentHeight = f.ObservationInstrumentHeight;
  t.DistancePromptFlag = 0;
  return {EntryOf(Routines().TraverseObservationHeader)};
}
