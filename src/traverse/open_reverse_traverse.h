// The reverse traverses: the observations a traverse of stored points would
// have made, computed from their coordinates and reported leg by leg. The open
// one moves the station on to every point; the radiation one keeps it at B.
// The open one also makes the polygon section's longitudinal profile.
#pragma once

#include "core/control.h"

struct App;

// Traverse-menu choice 4: the polygon-section mode off, the print-mode question
// (the report columns when the answer is above 1), then RunOpenReverseTraverse.
Jump StartOpenReverseTraverse(App& app);

// A chain of traverses: "Aﾃﾝ", then "Bﾃﾝ" and point after point, each inverted
// from the one before, its contour crossings listed (with a decimal in the menu
// answer) and its leg reported; "%" at a point ends the traverse (the held-back
// line written, a page break) and starts the next; "%" at A leaves for
// RepeatLastCommand. Entered at once by the coordinate calculations ("ＳＴ計算",
// simple layout) and by the polygon section, whose one traverse writes the
// profile points and ends in the polygon-section end: ZE back, the profile
// saved as a point file (job name + "縦断" + ".PRN" proposed; the current job's
// own name refused) and opened as the new job with its longitudinal section,
// or on a cancelled save the profile points removed again and the marks
// display as it was.
Jump RunOpenReverseTraverse(App& app);

// Traverse-menu choice 5: the print-mode question, then base lines: "Aﾃﾝ" the
// back-sight point, "Bﾃﾝ" the station, then targets, each reported from B with
// the angle at B turned from A; "%" at B or at a target ends the base line
// with a page break, "%" at A the command (RepeatLastCommand).
Jump RadiationReverseTraverse(App& app);
