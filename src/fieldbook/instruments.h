// The conversations with the total station and the digital level on the
// instrument port (setting COX): each opens the port, sends one request, reads
// at most one reply and closes it again. A reply that does not come in time
// leaves CommFailureFlag = 1 and the previous reply in place; every caller tests
// the flag and the reply's error marks (TotalStationFailed, LevelFailed) and
// discards a failed reading.
#pragma once

#include <string>

struct App;

// One digital-level conversation ("LM"): leaves LevelReply, the staff reading
// (ObservationTargetHeight), MeasuredDistance and CommFailureFlag; shows the
// reply. Tests nothing.
void QueryDigitalLevel(App& app);

// Announces a level measurement, runs QueryDigitalLevel and reports a failure;
// DistancePromptFlag = 0.
void MeasureWithBarcodeLevel(App& app);

// Clears CommFailureFlag, opens the port for a measurement (file 3, 20 s) and
// sets StopCode and TriggerCode (NUL for TargetCommand "S", else DC1); the port
// stays open. ReopenTotalStationPort leaves the flag as it is.
void OpenTotalStationPort(App& app);
void ReopenTotalStationPort(App& app);

// One total-station measurement with TargetCommand ("@", "S", "^"): leaves
// RecordBuffer(0), MeasuredDistance, MeasuredVerticalAngle,
// MeasuredHorizontalAngle, VerticalAngleText, CommFailureFlag,
// DistancePromptFlag = 0 and possibly a new ObservationTargetHeight.
void MeasureWithTotalStation(App& app);

// One angle request (NUL): leaves RecordBuffer(0), ObservedVerticalAngle and
// TargetHorizontalAngle; a time-out sets CommFailureFlag, nothing else is tested.
void ReadInstrumentAngles(App& app);

// The stop code, and the end of an angle tracking (DC3, then the stop code),
// each in a conversation of its own.
void SendTotalStationStop(App& app);
void SendTrackingEnd(App& app);

// The failure tests of the callers. An angle reading failed when it timed out,
// its reply holds an "E" anywhere, or its zenith angle is 0.
bool TotalStationFailed(const App& app);
bool AngleReadingFailed(const App& app);
bool LevelFailed(const App& app);

namespace fieldbook {

// The file number of the instrument port while a conversation runs.
inline constexpr int kPortFile = 3;

// The values of a total-station reply: slope distance (metres, from whole
// millimetres in columns 1-8), vertical and horizontal angle (dd.mmss, columns
// 9-16 and 17-24).
struct TotalStationReading {
  double distance = 0;
  double vertical = 0;
  double horizontal = 0;
};
TotalStationReading ParseTotalStationReply(const std::string& reply);

// The values of a level reply: the staff reading in columns 4-12 and the
// distance in the 9 characters after the first comma (rounded to 6 decimals);
// a reply without a comma has no distance (0).
struct LevelReading {
  double staff = 0;
  double distance = 0;
};
LevelReading ParseLevelReply(const std::string& reply);

}  // namespace fieldbook
