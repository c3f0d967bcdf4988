// The pointer file: an input is KRN2000.INI in the Windows folder, read by the
// first steps of start-up with a file named on the command line. Its line names
// the data folder; the scratch folder holds a data folder "data" with a settings
// file for inputs that name it.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "fuzz_support.h"
#include "core/app.h"
#include "shell/startup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    const fuzz::Scratch& scratch = fuzz::Scratch::Get();
    fuzz::WriteFile(scratch / "windows/KRN2000.INI", data, size);
    std::filesystem::create_directory(scratch / "data");
    std::ofstream(scratch / "data/KRN2000.DEF", std::ios::binary)
        << "ZD=3 \r\nTN=100 \r\nGAMEN=1 \r\nMOX=1.25 \r\n";
    App app;
    app.shell.CommandLine = "JOB.PRN";
    shell::FindFoldersAndSettings(app);
  });
  return 0;
}
