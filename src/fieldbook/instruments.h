// The measurements of the total station and the digital level on the
// instrument port, as the field-book input calls them.
#pragma once

struct App;

// One total-station measurement with TargetCommand ("@", "S", "^"): leaves
// RecordBuffer(0), MeasuredDistance, MeasuredVerticalAngle,
// MeasuredHorizontalAngle, VerticalAngleText, CommFailureFlag and
// DistancePromptFlag = 0.
// TEMPORARY: the instrument link is not built yet; it says so, stores nothing
// new and leaves CommFailureFlag = 1, so every caller takes it as a failure.
void MeasureWithTotalStation(App& app);

// One digital-level measurement: leaves LevelReply, the staff reading
// (ObservationTargetHeight), MeasuredDistance, CommFailureFlag and
// DistancePromptFlag = 0.
// TEMPORARY: as MeasureWithTotalStation, not available yet; CommFailureFlag = 1.
void MeasureWithBarcodeLevel(App& app);
