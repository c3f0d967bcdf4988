// The set-up of a traverse block of the field-book calculation: the reference
// section of the report, the station and back-sight found by the names of the
// station record, and the station header.
#pragma once

struct App;

// With ZD 2 or less: "_" unless the station record is record 1, the print mode
// asked once per calculation (PrintModeAsked), "基準点  " (ended in the simple
// mode, left open otherwise). The station ParsedStationName is looked up by
// name: found, it becomes the from-point with its height (and, for a closed
// traverse, the tie point); missing (" ｱﾘﾏｾﾝ "), the user designates it, and
// an abandoned designation passes the block over (RegistrationChoice 0). A
// block with an instrument height asks a missing station height. The
// back-sight "ｵｳﾀﾞﾝ   " selects the cross-section mode (readings are
// azimuths); any other name is looked up and its direction orients the circle,
// or, missing, the user designates it or types the direction. Then
// PrintCalculationStationHeader. ObservationRunning is 1 meanwhile.
void SetUpCalculationReport(App& app);

// With ZD 2 or less an empty line (simple mode) or seven blanks left open, the
// station header (PrintStationHeader), the column header in the column modes
// (not for a connecting traverse, nor with ZD 5); then ObservationRunning and
// PrintingReferencePoints 0 and StationReferenceAzimuth := LegDirection.
void PrintCalculationStationHeader(App& app);

// A block without a station cannot be computed: the user is told so and its
// records are passed over up to the next station or run start
// (RegistrationChoice 0).
void PassBlockOver(App& app);
