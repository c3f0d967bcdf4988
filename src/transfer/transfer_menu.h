// The transfer menu: main-menu command 8, the door to every exchange of points
// and records with instruments, data collectors and drawings.
#pragma once

#include "core/control.h"

struct App;

namespace transfer {

// A menu answer's whole number: rounded half away from zero (2.5 gives 3); 0 for
// an answer that is no number or lies beyond what a menu can choose.
int MenuChoiceOf(double answerValue);

// The two-way menu of an exchange: `prompt`, then 1 jumps to `send`, 2 to
// `receive`, anything else back to the transfer menu.
Jump SendOrReceiveMenu(App& app, const char* prompt, Entry send, Entry receive);

}  // namespace transfer

// " 1:名処理  2:座標通信  3:SIMA通信  4:野帳ﾌｧｲﾙ  5:野帳通信" /
// " 6:SD通信  7:デジ読取  8:BMP読取   9:DXF読込  10:BAS通信": after the status
// header, jumps to the chosen command; Enter, 0, a negative number, above 10 or
// a text go to the result menu.
Jump TransferMenu(App& app);
