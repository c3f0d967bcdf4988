// Settings of the job, kept in the settings file, and the program shell's own
// shared state.
#pragma once

#include <string>
#include <string_view>

namespace shell {

// The program's version, as the title and krn --version show it.
inline constexpr std::string_view kVersionText = "Ver6.061";

struct Settings {
  std::string ZA;  // job name (base name of the job's files)
  double ZD = 2;   // computed points: 1 print, 2 print and register, 3 register, 4 manual
  double ZE = 0;   // 0 normal, 1 stake, 2 stake priority, 3 three-dimensional, 4 xy+
  // Steps per metre of the rounding of coordinates, heights and distances.
  double TN = 1000;
  double TZ = 1000;
  double T = 1000;
  double VV = 0;     // reading of a horizontal sight: 0 or 90
  double ZAKE = 0;   // coordinate system number
  double GAMEN = 0;  // window layout 0, 1 or 2
  double RG = 0;     // background of the dynamic view: 0 black, 15 white
  // Display switches of the view: 1 shown, -1 hidden.
  double ZEH = 1;  // grid
  double ZEE = 1;  // point names
  double ZEI = -1; // heights
  double ZEG = 1;  // marks and codes
  double ZEF = 1;  // connection lines
  double COX = 1;  // serial port 1-5
  std::string VZ = "NOTEPAD.EXE";  // text editor
  std::string VX;                  // CAD program
  double MOX = 0;                  // saved mouse calibration ratio; 0 = none
};

// Input and output of FormatAngle, shared like the program's other routines.
struct SharedNumbers {
  double AngleToFormat = 0;
  std::string FormattedAngle;
};

// What start-up finds and the main loop carries from one command to the next.
struct ShellState {
  std::string CommandLine;
  std::string VersionText{kVersionText};
  std::string ProgramFolder;  // ends in the folder separator
  std::string StartFolder;
  std::string JobFolder;      // ends in the folder separator
  std::string DataFolder;     // ends in the folder separator
  double OldWindowsFlag = 0;
  std::string PlaySoundPrefix;   // " play " + Windows folder + media folder
  std::string StartSoundCommand;

  // Main menu and dispatch.
  double LastMainMenuChoice = 0;
  double MainMenuEnterFlag = 0;
  double SearchMarkPending = 0;
  double SearchPointX = 0;
  double SearchPointY = 0;
  std::string SearchPointName;
  double DistanceDecimals = 3;
  double DefaultHeightDifference = 2e-8;
  double PlanViewFlag = 0;
  double Epsilon = 1e-8;
  double SimpleInputActive = 0;
  double SimpleInputSavedZE = 0;
  double SimpleInputSavedZD = 0;

  // Error handling.
  double CommFailureFlag = 0;

  // Status header.
  double ScaleFactor = 1;
  double RestoreVVPending = 0;
  double SavedVV = 0;
  double SavedZE = 0;
  std::string HeightLabel = "h=";

  // Point-name helpers.
  std::string PointNamePrefix = "T.";
  double PointNameNumber = 0;

  // Settings screen: its rows, each followed by " /", and the layout to go back to.
  std::string SettingsListText;
  double SavedLayout = 0;
};

}  // namespace shell
