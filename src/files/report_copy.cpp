#include "files/result.h"
#include "shell/program.h"

// Saving the report as a ".TXT" copy or the new points as a ".DD" list comes
// with the file dialogs; until then the choice says so and the result menu
// follows.
Jump SaveReport(App&) { return {CommandNotAvailable}; }
