// The settings screen: every setting of the settings file on a row of its own,
// changed by clicking one of the choices printed in the row, and saved to or
// loaded from a ".DEF" file. Opened by F4 during any question (through the
// routine table) and by the coordinate management menu; it returns to where it
// was opened.
#pragma once

struct App;

void SettingsScreen(App& app);

// SettingsListText from the settings in force: the rows of the screen in order,
// each label + value + one blank, followed by "/".
void BuildSettingsList(App& app);
