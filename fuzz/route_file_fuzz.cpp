// The route file: an input is JOB.RSN, read as the route file menu reads it,
// then the job's connection-line file, which carries the route tables, saved.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/app.h"
#include "files/line_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    const std::string path = fuzz::Scratch::Get() / "JOB.RSN";
    fuzz::WriteFile(path, data, size);
    App app;
    fuzz::UseScratchJob(app);
    if (!LoadRouteFile(app, path)) return;
    app.job.FileMenuChoice = 1;
    SaveConnectionLineFile(app);
  });
  return 0;
}
