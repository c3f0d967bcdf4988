// The field-book calculation: the walk over the records of the electronic
// field book, computing its traverse blocks and levelling runs in the
// continuous, single or manual kind.
#pragma once

#include "core/control.h"

struct App;

// Field-book menu choice 2: ReportTitle := "電子野帳計算", then all that
// StartFieldBookCalculation does.
Jump FieldBookCalculation(App& app);

// Traverse-kinds menu choice 10 (ReportTitle as it was): the print buffer
// emptied, "計算 1:連続  2:単独  3:手動 " (Enter alone goes back to the calling
// menu); the continuous kind asks one start number. Then records 1 to
// FieldBookCount, each by its first character: a kind digit; a station "*"
// (its menu in the single and manual kinds, then the kind's station step); a
// levelling run start "*_" (its registration menu); a note "N" copied into
// the report; sights "'" (label "H=") and turns "T" (label "h=") computed and
// registered; levelling readings. A 0 at a station's or run's menu passes the
// records over up to the next station or run start. "ｹｲｻﾝ ｵﾜﾘ" and
// "chimes.wav" end it, back to the calling menu (ReturnToCallingMenu).
Jump StartFieldBookCalculation(App& app);

// The station steps of the three kinds. Continuous: the set-up from the
// record's names and the closure of a connecting or closed block. Single: the
// same with a start number asked for the block. Manual: the station and
// back-sight by hand (InputBasePoint; an abandoned station passes the block
// over), the instrument height offered from the record, the station header;
// nothing registered.
void RunContinuousCalculation(App& app);
void RunSingleCalculation(App& app);
void RunManualStation(App& app);
