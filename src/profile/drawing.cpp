// The longitudinal section in its least form: ProfileMode is set by the
// longitudinal-section settings, which come with their own subsystem; until
// then it stays 0 and there is nothing to draw.
#include "profile/drawing.h"

void DrawProfileView(App&) {}
