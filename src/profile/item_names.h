// The names of the items a longitudinal section's table rows can show.
#pragma once

struct App;

// Fills ProfileItemName 0 to 27 with the 28 item names; 28 to 32 stay as they are.
void SetProfileItemNames(App& app);
