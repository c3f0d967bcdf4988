// One sight of the field-book calculation: an observation record "'" (a side
// shot) or a turn record "T" (the sight to the next station), reduced to a
// point, adjusted in the closure's passes, reported and registered.
#pragma once

#include <string>

struct App;

namespace traverse {

// The angle correction a leg actually gets when the share `share` (degrees) is
// added to the orientation `azimuth` (degrees): the difference of the two
// directions each cut to whole seconds, in degrees.
double AppliedAngleCorrectionOf(double azimuth, double share);

// The compass-rule share of a leg of horizontal length `leg`: the misclosure in
// proportion to the leg's part of the total length of the turn legs; none when
// the legs add up to nothing.
double CompassShareOf(double misclosure, double totalLength, double leg);

// The line type of the connection drawn to a registered point: the value of the
// attribute's first character, 9 (no segment) for an empty attribute.
int VertexLineTypeOf(const std::string& attribute);

// Ends the calculation after the current record with `message` and
// "chord.wav" (a full table): the walk goes on from the book's last record and
// the points registered so far stay.
void StopCalculation(App& app, const std::string& message);

}  // namespace traverse

// The record at FieldBookRecordIndex (FieldBookRecordKind "'" or "T"):
// parsed (ParseObservationRecord), its observation line printed, the sight
// reduced from the station (ComputeFromStation) — a turn of a connecting or
// closed block gets the angle share in the closure's pass 2 and the angle and
// compass-rule corrections with their report columns in pass 3 — and
// registered: with ZD 5 nothing; the tie record printed with ZD 1 and never
// registered; otherwise in the continuous and single kinds under
// NewPointStartNumber (a number in use is skipped) with the record's name and
// attribute, a connection vertex on layer 1 for a new highest point whose name
// no lower point bears; the manual kind and ZD 1 register nothing. A turn moves
// the station onto the point: orientation the back direction, the computed
// height, the instrument height of bytes 45-51, "ﾀ-ﾝ ". A full point or line
// table ends the calculation (FieldBookRecordIndex := FieldBookRecordLimit)
// with a message; the points so far stay.
void ProcessFieldBookObservation(App& app);
