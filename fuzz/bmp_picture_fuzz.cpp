// The Windows bitmap reader: an input is a picture file as a scanner or a
// drawing program saved it, read as the background picture is loaded.
#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "runtime/bitmap_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const rt::SurfacePtr picture = rt::ReadBmpPicture(bytes);
    if (!picture) return;
    // A picture read holds at least a pixel and no side past the bound.
    const int width = cairo_image_surface_get_width(picture.get());
    const int height = cairo_image_surface_get_height(picture.get());
    if (width < 1 || height < 1 || width > rt::kMaxPictureSide || height > rt::kMaxPictureSide)
      __builtin_trap();
  });
  return 0;
}
