// The three base-line tools that the menus working on the base line offer
// (new base line, turn it, move its base point). Each ends by going back to the
// menu that called it (ReturnToCallingMenu).
#pragma once

#include "core/control.h"

struct App;

// "ｷｼﾞｭﾝﾃﾝ" and its direction (InputBasePoint), "ｼﾌﾄ L= 0 " along it and
// "ｶｲﾃﾝｶｸ= 0 " (dd.mmss, clockwise): the shifted point becomes the base point,
// the direction plus the rotation the base direction; BaseChainage 0,
// BaseHeight the base point's height. An abandoned base point changes nothing.
Jump SetBaseLine(App& app);
// "ｶｲﾃﾝｶｸ= " (dd.mmss) added to BaseAzimuth; Enter alone keeps it.
Jump RotateBaseLine(App& app);
// "移動基準": the point designated becomes the base point, direction, radius and
// chainage stay. An abandoned question changes nothing.
Jump MoveBasePoint(App& app);
