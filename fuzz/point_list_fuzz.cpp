// The point-list file: an input is the job file JOB.PRN, loaded as the command
// line loads a job (every point from number 1 on, line vertices from the
// attributes, no connection-line file beside it).
#include <cstddef>
#include <cstdint>

#include "files/coordinate_file_menu.h"
#include "fuzz_support.h"
#include "core/app.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    fuzz::WriteFile(fuzz::Scratch::Get() / "JOB.PRN", data, size);
    App app;
    fuzz::UseScratchJob(app);
    app.job.FileMenuChoice = 0;
    LoadCoordinateFile(app);
  });
  return 0;
}
