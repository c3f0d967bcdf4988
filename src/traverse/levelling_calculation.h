// The levelling runs of the field-book calculation.
#pragma once

struct App;

// A levelling run cannot be computed yet: NOT AVAILABLE YET. Both entries tell
// the user so, register nothing and leave FieldBookRecordIndex on the run's
// last record, so that the calculation goes on after the run.
void ParseHeightField(App& app);
void ComputeLevellingFieldBook(App& app);
