// The program's sounds: a wave file of the Windows folder's media folder.
#pragma once

#include <string_view>

struct App;

// Plays PlaySoundPrefix + `file` ("ding.wav") without waiting.
void PlaySound(App& app, std::string_view file);
