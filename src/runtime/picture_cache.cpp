#include "runtime/picture_cache.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <librsvg/rsvg.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "runtime/folders.h"

namespace rt {

namespace {

constexpr char kMagic[8] = {'K', 'R', 'N', 'P', 'I', 'C', '1', '\n'};
constexpr size_t kHeaderSize = sizeof kMagic + 2 * sizeof(uint32_t);
// Pictures of other documents are kept too (a plan behind the view); beyond
// this many the oldest go.
constexpr size_t kMaxKeptPictures = 16;
constexpr std::string_view kPrefix = "picture-";

uint64_t Fnv1a(uint64_t hash, std::string_view bytes) {
  for (const unsigned char c : bytes) hash = (hash ^ c) * 0x100000001b3ULL;
  return hash;
}

void DropOldestPictures(const std::filesystem::path& folder) {
  std::error_code ec;
  std::vector<std::pair<std::filesystem::file_time_type, std::filesystem::path>> kept;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    if (entry.path().filename().string().starts_with(kPrefix)) {
      kept.emplace_back(entry.last_write_time(ec), entry.path());
    }
  }
  if (kept.size() <= kMaxKeptPictures) return;
  std::sort(kept.begin(), kept.end());
  for (size_t i = 0; i + kMaxKeptPictures < kept.size(); ++i) std::filesystem::remove(kept[i].second, ec);
}

bool WriteAll(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = write(fd, p, size);
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string PictureCachePath(std::string_view document) {
  uint64_t hash = Fnv1a(0xcbf29ce484222325ULL, document);
  char version[64];
  std::snprintf(version, sizeof version, "|%u.%u.%u|96dpi|%zu", rsvg_major_version,
                rsvg_minor_version, rsvg_micro_version, document.size());
  hash = Fnv1a(hash, version);
  char name[40];
  std::snprintf(name, sizeof name, "%s%016llx.raw", kPrefix.data(),
                static_cast<unsigned long long>(hash));
  return CacheFolder() + "/" + name;
}

SurfacePtr ReadCachedPicture(std::string_view bytes) {
  if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
    return nullptr;
  }
  uint32_t width = 0, height = 0;
  std::memcpy(&width, bytes.data() + sizeof kMagic, sizeof width);
  std::memcpy(&height, bytes.data() + sizeof kMagic + sizeof width, sizeof height);
  constexpr uint32_t kMaxSide = kMaxPictureSide;
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return nullptr;
  const size_t row = size_t{width} * 4;
  if (bytes.size() - kHeaderSize != row * height) return nullptr;
  SurfacePtr picture(cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(width),
                                                static_cast<int>(height)));
  if (cairo_surface_status(picture.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  unsigned char* pixels = cairo_image_surface_get_data(picture.get());
  const int stride = cairo_image_surface_get_stride(picture.get());
  for (uint32_t y = 0; y < height; ++y) {
    std::memcpy(pixels + size_t{y} * static_cast<size_t>(stride),
                bytes.data() + kHeaderSize + size_t{y} * row, row);
  }
  cairo_surface_mark_dirty(picture.get());
  return picture;
}

SurfacePtr LoadCachedPicture(const std::string& path) {
  // Mapped rather than read: the pixels are copied once, into the picture.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  SurfacePtr picture;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    const size_t size = static_cast<size_t>(st.st_size);
    void* bytes = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (bytes != MAP_FAILED) {
      picture = ReadCachedPicture({static_cast<const char*>(bytes), size});
      munmap(bytes, size);
    }
  }
  close(fd);
  return picture;
}

void WriteCachedPicture(const std::string& path, cairo_surface_t* picture) {
  if (cairo_image_surface_get_format(picture) != CAIRO_FORMAT_RGB24) return;
  const std::filesystem::path target(path);
  std::error_code ec;
  std::filesystem::create_directories(target.parent_path(), ec);
  std::string temp = path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return;
  cairo_surface_flush(picture);
  const uint32_t size[2] = {static_cast<uint32_t>(cairo_image_surface_get_width(picture)),
                            static_cast<uint32_t>(cairo_image_surface_get_height(picture))};
  const unsigned char* pixels = cairo_image_surface_get_data(picture);
  const int stride = cairo_image_surface_get_stride(picture);
  bool written = WriteAll(fd, kMagic, sizeof kMagic) && WriteAll(fd, size, sizeof size);
  for (uint32_t y = 0; written && y < size[1]; ++y) {
    written = WriteAll(fd, pixels + size_t{y} * static_cast<size_t>(stride), size_t{size[0]} * 4);
  }
  written = close(fd) == 0 && written;
  if (!written || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return;
  }
  DropOldestPictures(target.parent_path());
}

}  // namespace rt
