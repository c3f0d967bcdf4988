// The picture cache: an input is a cache file as the program would find it in
// its cache folder, read back into a picture.
#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "runtime/picture_cache.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const rt::SurfacePtr picture = rt::ReadCachedPicture(bytes);
    if (!picture) return;
    // A picture read back holds exactly the pixels the file carried.
    const size_t pixels = static_cast<size_t>(cairo_image_surface_get_width(picture.get())) *
                          static_cast<size_t>(cairo_image_surface_get_height(picture.get()));
    if (16 + 4 * pixels != size) __builtin_trap();
  });
  return 0;
}
