#pragma once

#include <string>

namespace shell {

// Settings of the job (read from and written to the settings file).
struct Settings {
  // Steps per metre of the rounding of distances, coordinates and heights.
  double T = 1000;
  double TN = 1000;
  double TZ = 1000;
  // Steps per metre of route values; replaced by the route settings in use.
  double DistanceRounding = 1000;
};

// Input and output of FormatAngle, shared like the program's other routines.
struct SharedNumbers {
  double AngleToFormat = 0;
  std::string FormattedAngle;
};

}  // namespace shell
