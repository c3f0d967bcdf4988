// Windows bitmap files put together byte by byte from the layout of the format
// (file header, 40-byte information header, palette, rows padded to 4 bytes),
// for tests of the picture reader and of the bitmap point reading.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bmp_file {

inline void Put32(std::string& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b += static_cast<char>(v >> (8 * i) & 0xFF);
}
inline void Put16(std::string& b, uint16_t v) {
  b += static_cast<char>(v & 0xFF);
  b += static_cast<char>(v >> 8);
}

struct BmpFile {
  int32_t width = 0;
  int32_t height = 0;  // negative: top-down
  uint16_t bits = 8;
  std::vector<uint32_t> palette;  // 0xRRGGBB
  uint32_t coloursUsed = 0;       // as the header says (0: all the depth indexes)
  uint32_t compression = 0;
  std::vector<std::string> rows;  // in file order, each padded to 4 bytes here
};

inline std::string Bytes(const BmpFile& f) {
  std::string pixels;
  for (std::string row : f.rows) {
    while (row.size() % 4 != 0) row += '\0';
    pixels += row;
  }
  const uint32_t offset = 14 + 40 + 4 * static_cast<uint32_t>(f.palette.size());
  std::string b = "BM";
  Put32(b, offset + static_cast<uint32_t>(pixels.size()));
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, 40);
  Put32(b, static_cast<uint32_t>(f.width));
  Put32(b, static_cast<uint32_t>(f.height));
  Put16(b, 1);
  Put16(b, f.bits);
  Put32(b, f.compression);
  Put32(b, static_cast<uint32_t>(pixels.size()));
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, f.coloursUsed);
  Put32(b, 0);
  for (const uint32_t c : f.palette) {
    b += static_cast<char>(c & 0xFF);
    b += static_cast<char>(c >> 8 & 0xFF);
    b += static_cast<char>(c >> 16 & 0xFF);
    b += '\0';
  }
  return b + pixels;
}

}  // namespace bmp_file
