// Kinds 7 and 8 of the coordinate transformations: chosen points written as a
// SIMA longitudinal section and as SIMA cross sections (CP932, CR LF). The
// section points hold the distance along the section in Y and the height in
// X, so every record gives Y before X.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/control.h"

struct App;

namespace cogo {

// The name field: the name without its leading blanks (half- and full-width),
// cut to 16 bytes where no double-byte character is split, padded with blanks
// to 16 bytes.
std::string SimaSectionName(std::string_view name);

// The records of one point; nothing when a coordinate does not fit its field
// ("######.###", for the longitudinal height "#####.###"): such a value would
// be written as "%" and the number, which no reader takes.
std::optional<std::string> SimaLongitudinalRecord(std::string_view name, double x, double y, double z);
std::optional<std::string> SimaCentreRecord(std::string_view name, double x, double y, double z);
std::optional<std::string> SimaSectionPointRecord(std::string_view name, double x, double y);

}  // namespace cogo

// Sorts SelectionList from position `first` to SelectionLast ascending by
// PointY, exchanging on equal Y as well, unless `answer` is "N" (either case).
void SortSelectionByY(App& app, std::string_view answer, int first);

// The save dialog (".SIM"), the sort question, the block of the section's
// points, then G00, Z00 "縦断面", H00, one H01 per point and H99; then "横断面
// SIMAへ行きますか[Y,N]Y ": "N" ends the file, anything else goes on with cross
// sections in the same file. A point whose coordinates do not fit the record
// is named and nothing is written (the file is removed). The print buffer is
// open for appending again when the export ends.
Jump ExportSimaLongitudinal(App& app);

// The save dialog (".SIM"), the sort question, Z00 "横断面" and I00, then
// section after section ("中心測点＋横断測点", the centre point first, the rest
// sorted by Y): I01 for the centre and I02 for the others, until an empty
// selection writes I99 and ends the file. A section with a point whose
// coordinates do not fit is named and left out.
Jump ExportSimaCrossSection(App& app);
