#include "points/relative_entry.h"

#include "runtime/console.h"
#include "shell/app.h"

void EnterRelativePoint(App&) { RtPrintStr(" このコマンドはまだ使えません", true); }
