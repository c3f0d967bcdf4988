// Numbers that more than one subsystem must agree on: table capacities, the
// numbered files every command shares, and the names of the work files.
#pragma once

#include <string_view>

namespace core {

// The job's points are numbered 1 to kPointCapacity.
inline constexpr int kPointCapacity = 9999;

// Numbered files. The print buffer stays open as file 5 while a command runs;
// a job file (point list, connection lines) is read and written as file 1; the
// settings file is file 4. The guide texts are read as file 5 at start-up,
// before the print buffer is opened.
inline constexpr int kJobFile = 1;
inline constexpr int kSettingsFile = 4;
inline constexpr int kPrintBuffer = 5;
inline constexpr int kGuideTextFile = 5;

// Work files in the data folder.
inline constexpr std::string_view kPrintBufferName = "PRINTR.DAT";
inline constexpr std::string_view kParcelWorkFileName = "K.D";
inline constexpr std::string_view kSurveyCsvName = "K.csv";
// Removed when the program ends.
inline constexpr std::string_view kWorkFilesRemovedAtExit[] = {kPrintBufferName, kParcelWorkFileName,
                                                              kSurveyCsvName};

}  // namespace core
