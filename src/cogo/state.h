// Shared state of the coordinate calculations and stake-out that other
// subsystems read or reset.
#pragma once

#include <string>

namespace cogo {

struct State {
  double ToolLevelDisplay = 1;
  double CarryGradeHeight = 0;
  double InstrumentAxisHeight = 0;

  // The instrument station of the stake-out set-up.
  double InstrumentStationX = 0;
  double InstrumentStationY = 0;
  double InstrumentStationZ = 0;
  double InstrumentOrientation = 0;
  double SetupInstrumentHeight = 0;
  std::string StationName;
  std::string BacksightName;

  // The base line of the station and offset commands.
  double BasePointX = 0;
  double BasePointY = 0;
  double BaseAzimuth = 0;
  double BaseRadius = 0;
  double BaseChainage = 0;
};

}  // namespace cogo
