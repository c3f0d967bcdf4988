// Bitmaps: pictures loaded from PNG, BMP or SVG files and copies of windows.

#include <librsvg/rsvg.h>
#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "runtime/bitmap_file.h"
#include "runtime/errors.h"
#include "runtime/folders.h"
#include "runtime/graphics.h"
#include "runtime/graphics_target.h"
#include "runtime/picture_cache.h"

struct RtBitmap::Impl {
  rt::SurfacePtr surface;
};

RtBitmap::RtBitmap() : impl_(std::make_unique<Impl>()) {}
RtBitmap::~RtBitmap() = default;
RtBitmap::RtBitmap(RtBitmap&& other) noexcept : impl_(std::make_unique<Impl>()) {
  std::swap(impl_, other.impl_);
}
RtBitmap& RtBitmap::operator=(RtBitmap&& other) noexcept {
  std::swap(impl_, other.impl_);
  return *this;
}

bool RtBitmap::empty() const { return !impl_->surface; }

int RtBitmap::pixelWidth() const {
  return impl_->surface ? cairo_image_surface_get_width(impl_->surface.get()) : 0;
}

int RtBitmap::pixelHeight() const {
  return impl_->surface ? cairo_image_surface_get_height(impl_->surface.get()) : 0;
}

namespace rt {

cairo_surface_t* BitmapSurface(const RtBitmap& bitmap) { return bitmap.impl().surface.get(); }

RtBitmap MakeBitmap(SurfacePtr image) {
  RtBitmap bitmap;
  bitmap.impl().surface = std::move(image);
  return bitmap;
}

}  // namespace rt

namespace {

using rt::kMaxPictureSide;
using rt::SurfacePtr;

uint32_t Le32(std::string_view b, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

uint16_t Le16(std::string_view b, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) |
                               static_cast<unsigned char>(b[at + 1]) << 8);
}

// The colour of pixel x of a bitmap row: its palette entry for 1, 4 and 8
// bits (an index past the palette is black), else its blue, green, red bytes.
uint32_t BmpPixel(std::string_view b, size_t rowStart, int32_t x, unsigned bits,
                  std::string_view palette) {
  if (bits >= 24) {
    const size_t p = rowStart + static_cast<size_t>(x) * (bits / 8);
    return static_cast<uint32_t>(static_cast<unsigned char>(b[p + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[p + 1])) << 8 |
           static_cast<unsigned char>(b[p]);
  }
  const size_t bit = static_cast<size_t>(x) * bits;
  const auto byte = static_cast<unsigned char>(b[rowStart + bit / 8]);
  // The leftmost pixel stands in the highest bits of its byte.
  const unsigned index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
  if (static_cast<size_t>(index) * 4 + 3 >= palette.size()) return 0;
  return static_cast<uint32_t>(static_cast<unsigned char>(palette[index * 4 + 2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(palette[index * 4 + 1])) << 8 |
         static_cast<unsigned char>(palette[index * 4]);
}

}  // namespace

namespace rt {

SurfacePtr ReadBmpPicture(std::string_view b) {
  constexpr size_t kFileHeader = 14;
  if (b.size() < kFileHeader + 40 || b[0] != 'B' || b[1] != 'M') return nullptr;
  const uint64_t offset = Le32(b, 10);
  const uint32_t infoSize = Le32(b, 14);
  const int32_t width = static_cast<int32_t>(Le32(b, 18));
  const int32_t rawHeight = static_cast<int32_t>(Le32(b, 22));
  const uint16_t bits = Le16(b, 28);
  const uint32_t compression = Le32(b, 30);
  const uint32_t coloursUsed = Le32(b, 46);
  if (infoSize < 40 || compression != 0) return nullptr;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return nullptr;
  if (rawHeight == INT32_MIN) return nullptr;
  const bool topDown = rawHeight < 0;
  const int64_t height = topDown ? -static_cast<int64_t>(rawHeight) : rawHeight;
  if (width < 1 || width > kMaxPictureSide || height < 1 || height > kMaxPictureSide)
    return nullptr;
  const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  if (offset + stride * static_cast<uint64_t>(height) > b.size()) return nullptr;
  // The palette follows the header: as many entries as the header says are
  // used, all that the depth can index when it says 0.
  std::string_view palette;
  if (bits <= 8) {
    const uint64_t entries = coloursUsed == 0 ? (1u << bits) : coloursUsed;
    if (entries > (1u << bits)) return nullptr;
    const uint64_t start = kFileHeader + static_cast<uint64_t>(infoSize);
    if (start + entries * 4 > b.size()) return nullptr;
    palette = b.substr(static_cast<size_t>(start), static_cast<size_t>(entries * 4));
  }

  SurfacePtr image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, static_cast<int>(height)));
  if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  unsigned char* data = cairo_image_surface_get_data(image.get());
  const int imageStride = cairo_image_surface_get_stride(image.get());
  for (int64_t y = 0; y < height; ++y) {
    const int64_t fileRow = topDown ? y : height - 1 - y;
    const size_t rowStart = static_cast<size_t>(offset + stride * static_cast<uint64_t>(fileRow));
    auto* out = reinterpret_cast<uint32_t*>(data + y * imageStride);
    for (int32_t x = 0; x < width; ++x) out[x] = 0xFF000000u | BmpPixel(b, rowStart, x, bits, palette);
  }
  cairo_surface_mark_dirty(image.get());
  return image;
}

}  // namespace rt

namespace {

struct ByteReader {
  std::string_view bytes;
  size_t at = 0;
};

cairo_status_t ReadFromBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* reader = static_cast<ByteReader*>(closure);
  if (reader->bytes.size() - reader->at < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, reader->bytes.data() + reader->at, length);
  reader->at += length;
  return CAIRO_STATUS_SUCCESS;
}

// A PNG picture as an RGB24 image; null when the bytes hold no PNG.
SurfacePtr ReadPng(std::string_view b) {
  if (b.size() < 8 || b.substr(0, 8) != std::string_view("\x89PNG\r\n\x1a\n", 8)) return nullptr;
  ByteReader reader{b};
  SurfacePtr png(cairo_image_surface_create_from_png_stream(ReadFromBytes, &reader));
  if (cairo_surface_status(png.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  const int width = cairo_image_surface_get_width(png.get());
  const int height = cairo_image_surface_get_height(png.get());
  if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide)
    return nullptr;
  // Transparent parts show white, as on paper.
  SurfacePtr image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
  cairo_t* cr = cairo_create(image.get());
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_source_surface(cr, png.get(), 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  return image;
}

// Forgets the reason of a failure that only tells "no such picture".
void DropError(GError*& error) {
  if (error) g_error_free(error);
  error = nullptr;
}

struct GObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
using SvgPtr = std::unique_ptr<RsvgHandle, GObjectUnref>;

// Screen pixels are 1/96 inch: an SVG given in inches or millimetres comes out
// at its real size on the screen.
constexpr double kSvgDpi = 96;

// The size an SVG document gives itself, in whole pixels: its width and height,
// or, when it names none (or only percentages), its view box taken as pixels.
std::optional<std::pair<int, int>> SvgPixelSize(RsvgHandle* svg) {
  double width = 0;
  double height = 0;
  if (!rsvg_handle_get_intrinsic_size_in_pixels(svg, &width, &height)) {
    gboolean hasWidth = FALSE;
    gboolean hasHeight = FALSE;
    gboolean hasViewBox = FALSE;
    RsvgLength ignoredWidth;
    RsvgLength ignoredHeight;
    RsvgRectangle viewBox;
    rsvg_handle_get_intrinsic_dimensions(svg, &hasWidth, &ignoredWidth, &hasHeight, &ignoredHeight,
                                         &hasViewBox, &viewBox);
    if (!hasViewBox) return std::nullopt;
    width = viewBox.width;
    height = viewBox.height;
  }
  if (!(width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide))
    return std::nullopt;
  return std::pair{static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))};
}

// An SVG picture rendered at its own size on white; null when the bytes hold no
// SVG document that can be drawn. The document is read from memory with no base
// folder, so it cannot pull in other files.
SurfacePtr ReadSvg(std::string_view b) {
  if (b.empty()) return nullptr;
  GError* error = nullptr;
  SvgPtr svg(
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(b.data()), b.size(), &error));
  DropError(error);
  if (!svg) return nullptr;
  rsvg_handle_set_dpi(svg.get(), kSvgDpi);
  const std::optional<std::pair<int, int>> size = SvgPixelSize(svg.get());
  if (!size) return nullptr;
  const auto [width, height] = *size;
  SurfacePtr image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
  if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_t* cr = cairo_create(image.get());
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  const RsvgRectangle viewport{0, 0, static_cast<double>(width), static_cast<double>(height)};
  const bool drawn = rsvg_handle_render_document(svg.get(), cr, &viewport, &error);
  cairo_destroy(cr);
  DropError(error);
  return drawn ? std::move(image) : nullptr;
}

// The whole file, or nothing with errno set.
// The bytes of a file; none (errno telling why) when it cannot be opened or
// read, a folder included.
std::optional<std::string> ReadWholeFile(const std::string& hostPath) {
  errno = 0;
  std::FILE* file = std::fopen(hostPath.c_str(), "rb");
  if (!file) return std::nullopt;
  // Read in one go at the size the file has (a picture runs to megabytes),
  // then on in pieces should it have grown.
  std::string bytes;
  struct stat st {};
  if (fstat(fileno(file), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    bytes.resize(static_cast<size_t>(st.st_size));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  }
  char buffer[65536];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  const bool failed = std::ferror(file) != 0;
  const int error = errno;
  std::fclose(file);
  if (failed) {
    errno = error != 0 ? error : EIO;
    return std::nullopt;
  }
  return bytes;
}

// An SVG picture as ReadSvg draws it, from the cache when it was drawn before.
SurfacePtr ReadSvgCached(std::string_view document) {
  const std::string cachePath = rt::PictureCachePath(document);
  if (SurfacePtr picture = rt::LoadCachedPicture(cachePath)) return picture;
  SurfacePtr picture = ReadSvg(document);
  if (picture) rt::WriteCachedPicture(cachePath, picture.get());
  return picture;
}

}  // namespace

bool RtLoadPicture(RtBitmap& bitmap, std::string_view path, std::source_location where) {
  const std::optional<std::string> bytes = ReadWholeFile(rt::HostPath(path));
  if (!bytes) {
    if (errno == ENOENT || errno == ENOTDIR || errno == 0)
      return RtPassOver(kErrFileNotFound, where);
    RtRaise(kErrAccessDenied, where);
  }
  SurfacePtr image = ReadPng(*bytes);
  if (!image) image = rt::ReadBmpPicture(*bytes);
  if (!image) image = ReadSvgCached(*bytes);
  if (!image) RtRaise(kErrIllegalArgument, where);
  bitmap.impl().surface = std::move(image);
  return true;
}
