// The navigator: guide texts and the menu picture.
#pragma once

struct App;

// Reads the guide-text file "KRN2000.lst" of the current folder; a missing file
// switches the navigator off for the whole run (NavigatorOff = 1).
void LoadGuideTexts(App& app);
// Shows guide text GuideNumber at the top of a cleared text area; the next
// display stacks below it.
void ShowGuide(App& app);
// Shows guide text GuideNumber below the previous one while the stacking lasts,
// else in a cleared text area.
void ShowGuideNext(App& app);
// Magnifies the cell (MenuCellColumn, MenuCellRow) of the menu picture into the
// navigator's cell area.
void ShowMenuPosition(App& app);
// Repaints the navigator picture when a magnified cell covers it.
void RestoreNavigatorPicture(App& app);
