#include "points/relative_entry.h"

#include "core/app.h"
#include "runtime/console.h"

void EnterRelativePoint(App&) { RtPrintStr(" このコマンドはまだ使えません", true); }
