// Sounds through the multimedia command interface. The program sends
// " play " + a path of a wave file; the file name is noted in the transcript
// ("[sound] ding.wav") and the wave is played, without waiting, by the first of
// paplay or aplay found on PATH. On the desktop the wave is first tried as the
// desktop's event sound standing for it (desktop_sound.h); the file is played
// when that fails. A missing file or player only means silence: a sound never
// stops the program.
#pragma once

#include <string_view>

void RtMciCommand(std::string_view command);
