// Window layouts, staying on top, and the function-key handlers.
#pragma once

struct App;

void ReleaseTopmost(App& app);
void RestoreTopmost(App& app);
void NextWindowLayout(App& app);
void DrawBackgroundPicture(App& app);

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
void SettingsScreen(App& app);
