// The first point number for points that come in from outside (transfers,
// imports, the cross-section conversion).
#pragma once

struct App;

// Asks "登録開始[L] No. " with the number after the highest point in use as
// the proposal, and sets transfer.RegistrationNumber. Enter or a text that is
// no number takes the proposal; "L" picks a row of the coordinate table; a
// number below 1 (0 typed included) or beyond the table is asked again; a
// fraction is rounded as every store rounds it.
void AskRegistrationStartNumber(App& app);
