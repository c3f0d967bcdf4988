// The radial observation from the instrument station of the stake-out and of
// the coordinate calculations (kind 13).
#pragma once

#include "core/control.h"

struct App;

// The instrument station (InstrumentStationX/Y/Z, InstrumentOrientation,
// SetupInstrumentHeight) becomes the observation station, its instrument
// height also the target height; the slope distance is asked first; the
// radiation's field-book log is switched on (RadiationStarted := 1). Then the
// traverse station loop from its header step, which returns by
// ObservationReturnMenu (set by the menu that chose the kind).
Jump MachineRadiation(App& app);
