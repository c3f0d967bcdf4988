#include "traverse/open_reverse_traverse.h"

#include "core/routines.h"

// TEMPORARY: the open reverse traverse comes with the reverse traverses.
Jump RunOpenReverseTraverse(App&) { return {EntryOf(Routines().CommandNotAvailable)}; }
