// The longitudinal section written into the open DXF drawing during a plot run.
#pragma once

#include <string>

struct App;

namespace profile {

// Why the section cannot be written, checked before anything is: a vertical
// table whose closing 9999 stands elsewhere than in the curve length of its
// second or a later change point, or whose chainages do not increase; a row
// item outside 0 to 27 or a row lower than its text margin. "" when it can.
std::string SectionInputFault(const App& app);

}  // namespace profile

// Appends the section to the drawing's open ENTITIES section; on return the
// drawing's text size (TextSize) is the section's value-text size, which the
// rest of the plot run uses.
void PlotProfileToDxf(App& app);
