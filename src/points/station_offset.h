// The work point along the base line or base arc of the job, and the reduced
// distance of an inclined sight.
#pragma once

struct App;

// WorkPointX := the station (the base point's chainage BaseChainage added),
// WorkPointY := the offset (see plane::AlongBaseOf); StationOffset := the offset,
// PolarDistance and PolarAngle as the conversion left them. WorkPointZ is left alone.
void ConvertToStationOffset(App& app);

// The reduced horizontal distance of the sight in hand, when it was inclined (a
// MeasuredVerticalAngle other than 90 + VV) and its distance was not typed as a
// horizontal one (DistancePromptFlag 0): "L=" and RoundDistance(HorizontalDistance)
// as a line of the main window, and with ZD 2 or less indented by 15 blanks as a
// line of the print buffer.
void PrintDistanceLine(App& app);
