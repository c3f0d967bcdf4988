// Shared state of the longitudinal sections that other subsystems read.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/table.h"

namespace profile {

struct State {
  double ProfileMode = 0;
  double ProfileVerticalScale = 1000;
  double ProfileHorizontalScale = 1000;
  // 1 while a longitudinal-section job has been written and reloaded and the
  // main menu has not yet switched the section on.
  double ProfileSetupPending = 0;

  // The section's settings that travel in the job's connection-line file.
  double ProfileDatumLevel = 0;
  double ProfileDatumY = 0;
  double ProfileTickFactor = 0;
  double ProfileFreeHeight = 0;
  std::string ProfileTypeName;
  double ProfileStartMargin = 0;
  double ProfileEndMargin = 0;
  double ProfileLastRow = 0;
  double ProfileSettingsInitialised = 0;
  double ProfileStartChainage = 0;
  double ProfileEndChainage = 0;
  double ProfileDatumGap = 0;
  double ProfileRowSpacing = 0;
  double ProfileReservedValue = 0;
  double ProfileValueTextSize = 0;
  double ProfileValueTextWidth = 0;
  double ProfileScaleTop = 0;
  double ProfileLeaderLength = 0;
  double ProfileAuxPointInterval = 0;
  double ProfilePlusStakeNames = 0;
  double ProfileFlagNumbers = 0;
  // Working values of the section's drawing output, written into the file's
  // otherwise unused fields.
  double BandCentreY = 0;
  double BandOffset = 0;
  double BandStationX = 0;
  double GradeLineEnd = 0;
  double OrdinateInterval = 0;
  // The item table of a section, rows 0 to 32.
  RtTable<std::string> ProfileItemName{32};
  RtTable<int16_t> ProfileRowItem{32};
  RtTable<int16_t> ProfileRowHeight{32};
  RtTable<int16_t> ProfileItemDigits{32};
};

}  // namespace profile
