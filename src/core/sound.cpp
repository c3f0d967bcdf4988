#include "core/sound.h"

#include <string>

#include "core/app.h"
#include "runtime/sound.h"

void PlaySound(App& app, std::string_view file) {
  RtMciCommand(app.shell.PlaySoundPrefix + std::string(file));
}
