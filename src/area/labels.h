// The parcel and triangle labels on the dynamic view.
#pragma once

struct App;

// Draws every label of the label table on the dynamic view; nothing while
// LabelCount is 0.
void DrawParcelLabels(App& app);
