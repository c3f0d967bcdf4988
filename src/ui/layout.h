// Window layouts, staying on top, and the function-key handlers.
#pragma once

struct App;

// The main window and the navigator stay on top of other windows; they are
// released while an outside program runs. ReleaseTopmostMain keeps the navigator
// in front.
void ReleaseTopmost(App& app);
void ReleaseTopmostMain(App& app);
void RestoreTopmost(App& app);
// Advances GAMEN (0, 1, 2, 0, ...) and arranges the windows for it; a caller that
// wants layout k sets GAMEN to k - 1 first.
void NextWindowLayout(App& app);
// The loaded background picture at the view's top-left corner, while it is shown.
void DrawBackgroundPicture(App& app);
// "back" on the tool palette: removes the last connection line and the vertices
// it leaves without a segment at the end of the table.
void RemoveLastConnectionLine(App& app);

// Function keys F1 to F12.
void ShowHelpText(App& app);
void ForceAbort(App& app);
void ToggleBackgroundPicture(App& app);
void HardCopyView(App& app);
void ToggleBackgroundColour(App& app);
void ToggleGridDisplay(App& app);
void TogglePointNameDisplay(App& app);
void ToggleHeightDisplay(App& app);
void ToggleMarkDisplay(App& app);
void ToggleLineDisplay(App& app);
