#include "route/alignment_file.h"

#include "core/routines.h"

Jump AlignmentFileMenu(App&) { return {EntryOf(Routines().CommandNotAvailable)}; }
