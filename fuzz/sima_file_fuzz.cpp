// The SIMA file: an input is JOB.SIM, read as the SIMA menu's read in place of
// the job reads it (its parcel lines go to the parcel work file), then written
// again with its parcels as the menu's full write would write it.
#include <cstddef>
#include <cstdint>

#include "core/app.h"
#include "files/sima_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    fuzz::WriteFile(fuzz::Scratch::Get() / "JOB.SIM", data, size);
    App app;
    fuzz::UseScratchJob(app);
    app.job.FileExtension = ".SIM";
    app.job.FileMenuChoice = 3;
    ReadSimaFile(app);
    app.job.FileMenuChoice = 1;
    app.job.SubmenuChoice = 1;
    WriteSimaJobFiles(app);
  });
  return 0;
}
