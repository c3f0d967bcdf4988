// The open reverse traverse: legs from stored points, one after another.
#pragma once

#include "core/control.h"

struct App;

// Entered at its body (its print-mode question is not asked), as the
// coordinate calculations menu does.
// NOT AVAILABLE YET: says so and goes to the result menu.
Jump RunOpenReverseTraverse(App& app);
