// The settings files: an input is KRN2000.DEF in the data folder, read as the
// start-up and the settings screen's load read a settings file, the values not
// taken reported as they are there; then the settings screen's rows and the lines a save would write are made from what was
// read, and the mouse calibration rewrites the file as it does after a
// calibration.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "runtime/files.h"
#include "core/app.h"
#include "shell/settings_file.h"
#include "shell/settings_screen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    fuzz::WriteFile(fuzz::Scratch::Get() / "KRN2000.DEF", data, size);
    App app;
    fuzz::UseScratchFolders(app);
    ApplyDefaultSettings(app);
    RtOpen(4, "KRN2000.DEF", RtFileMode::Input);
    ReportRefusedSettings("KRN2000.DEF", ReadSettings(app));
    RtClose(4);
    BuildSettingsList(app);
    SettingsLines(app);
    RewriteMouseCalibration(app);
  });
  return 0;
}
