// The program's sounds: a wave file of the Windows folder's media folder, played
// without waiting.
#include <string>
#include <string_view>

#include "runtime/sound.h"
#include "shell/app.h"
#include "shell/program.h"

void PlaySound(App& app, std::string_view file) {
  RtMciCommand(app.shell.PlaySoundPrefix + std::string(file));
}
