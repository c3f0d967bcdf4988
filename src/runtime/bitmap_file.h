// Inside the runtime only: the Windows bitmap files a picture is loaded from.
#pragma once

#include <string_view>

#include "runtime/graphics_target.h"

namespace rt {

// The picture of an uncompressed Windows bitmap: 1, 4 or 8 bits a pixel
// through its palette (scanned plans usually are), or 24 or 32 bits of blue,
// green and red; rows bottom-up or top-down. Null when the bytes hold anything
// else, a picture larger than kMaxPictureSide, or fewer bytes than its header
// promises.
SurfacePtr ReadBmpPicture(std::string_view bytes);

}  // namespace rt
