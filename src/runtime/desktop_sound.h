// The program's wave sounds as the desktop's event sounds (sound.h). On a desktop
// the sound theme the user chose plays the event that stands for a wave; a wave
// that has no event, or whose event the desktop cannot play, is played from its
// file as it is headless.
#pragma once

#include <string_view>

struct SoundState;

namespace rt {

// The event sound (freedesktop sound naming) standing for one of the program's
// wave files, by its file name in any case ("CHORD.WAV"); empty for any other name.
std::string_view EventSoundId(std::string_view waveFileName);

// Plays the event sound standing for `waveFileName` through the desktop's sound
// service, without waiting. True when the service took it, or when the user has
// switched event sounds off; false when the wave has no event sound or the
// service cannot play it, and the caller plays the file instead.
bool PlayEventSound(SoundState& state, std::string_view waveFileName);

}  // namespace rt
