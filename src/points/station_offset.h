// The work point along the base line or base arc of the job.
#pragma once

struct App;

// WorkPointX := the station (the base point's chainage BaseChainage added),
// WorkPointY := the offset (see plane::AlongBaseOf); StationOffset := the offset,
// PolarDistance and PolarAngle as the conversion left them. WorkPointZ is left alone.
void ConvertToStationOffset(App& app);
