// The navigator: guide texts and the menu picture.
#pragma once

struct App;

// Reads the guide-text file "KRN2000.lst" of the current folder; a missing file
// switches the navigator off for the whole run (NavigatorOff = 1).
void LoadGuideTexts(App& app);
// Shows guide text GuideNumber in the navigator.
void ShowGuideNext(App& app);
// Repaints the navigator picture when it needs it.
void RestoreNavigatorPicture(App& app);
