// The longitudinal section on the dynamic view.
#pragma once

struct App;

// Draws the longitudinal section on the dynamic view; nothing while ProfileMode is 0.
void DrawProfileView(App& app);
