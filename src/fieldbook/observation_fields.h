// The fixed-width column texts of a sight, from which every observation record
// of the field book is assembled.
#pragma once

struct App;

// The sight in hand as column texts (columns::DecimalWindow): DistanceColumn
// "'" and 8 characters (4 before the point, 3 decimals), VerticalColumn and
// HorizontalColumn 9 (4 before, 4 decimals), ObservationHeightField the target
// height or staff reading, 3 before the point and 3 decimals (7 characters) in
// the traverse mode, 4 decimals (8) in the level modes.
void FormatObservationFields(App& app);
