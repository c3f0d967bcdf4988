// The dynamic view: overlays and the drawing of points.
#pragma once

#include "ui/transform.h"

struct App;

void RedrawGraphicsView(App& app);
void DrawPoint(App& app);
void DrawPointHighlighted(App& app);
void DrawCrossWithName(App& app);
// The cross and name at the work point without turning the previous cross old.
void DrawCrossWithNameNoErase(App& app);
void DrawToolPalette(App& app);
void DrawStationMarker(App& app);
