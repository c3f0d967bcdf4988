#include "traverse/report.h"

// Only the reverse-traverse report holds a line back, and it does not exist
// yet: there is never a pending line to write.
void FlushPendingReportLine(App&) {}
