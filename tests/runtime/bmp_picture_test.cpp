// Windows bitmaps as scanners write them: 1, 4 and 8 bits a pixel through a
// palette, and 24 bits, bottom-up or top-down. The files are put together here
// byte by byte from the layout of the format, and each pixel is checked against
// the colour the palette gives it.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/bitmap_file.h"
#include "runtime/errors.h"
#include "runtime/graphics.h"
#include "runtime/runtime.h"
#include "support/bmp_file.h"
#include "temp_folder.h"

namespace {

using namespace std::string_literals;
using bmp_file::BmpFile;
using bmp_file::Bytes;

// The picture's pixels, row by row from the top, as 0xRRGGBB.
std::vector<std::vector<uint32_t>> Pixels(cairo_surface_t* s) {
  cairo_surface_flush(s);
  std::vector<std::vector<uint32_t>> rows;
  for (int y = 0; y < cairo_image_surface_get_height(s); ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) +
                                                        y * cairo_image_surface_get_stride(s));
    std::vector<uint32_t> r;
    for (int x = 0; x < cairo_image_surface_get_width(s); ++x) r.push_back(row[x] & 0xFFFFFF);
    rows.push_back(r);
  }
  return rows;
}

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF,
                   kBlack = 0x000000, kGrey = 0x808080;

TEST(BmpPicture, PaletteDepthsAndRowOrders) {
  const struct {
    const char* what;
    BmpFile file;
    std::vector<std::vector<uint32_t>> expected;  // from the top
  } cases[] = {
      // 1 bit: 10 pixels a row, the leftmost in the byte's highest bit; the
      // bottom row comes first in the file.
      {"1 bit",
       {10, 2, 1, {kWhite, kBlack}, 0, 0, {"\x0F\xC0"s, "\xA0\x80"s}},
       {{kBlack, kWhite, kBlack, kWhite, kWhite, kWhite, kWhite, kWhite, kBlack, kWhite},
        {kWhite, kWhite, kWhite, kWhite, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack}}},
      // 4 bits: two pixels a byte, high nibble first; 3 colours used.
      {"4 bit",
       {3, 1, 4, {kRed, kGreen, kBlue}, 3, 0, {"\x12\x00"s}},
       {{kGreen, kBlue, kRed}}},
      // 8 bits, top-down (negative height): the first row in the file is the top.
      {"8 bit top-down",
       {2, -2, 8, {kRed, kGreen, kBlue, kGrey}, 4, 0, {"\x03\x01"s, "\x02\x00"s}},
       {{kGrey, kGreen}, {kBlue, kRed}}},
      // An index past the colours used shows black, never a byte beyond them.
      {"8 bit index past palette",
       {2, 1, 8, {kWhite}, 1, 0, {"\x00\x05"s}},
       {{kWhite, kBlack}}},
      // 24 bits: blue, green, red a pixel.
      {"24 bit",
       {2, 1, 24, {}, 0, 0, {"\x00\x00\xFF\xFF\x80\x00"s}},
       {{kRed, 0x0080FF}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const rt::SurfacePtr picture = rt::ReadBmpPicture(Bytes(c.file));
    ASSERT_TRUE(picture);
    EXPECT_EQ(Pixels(picture.get()), c.expected);
  }
}

TEST(BmpPicture, FilesThatHoldNoSuchPictureAreRefused) {
  const BmpFile good{2, 1, 8, {kRed, kGreen}, 2, 0, {"\x00\x01"s}};
  ASSERT_TRUE(rt::ReadBmpPicture(Bytes(good)));
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"run-length compressed", [&] { BmpFile f = good; f.compression = 1; return Bytes(f); }()},
      {"16 bits", [&] { BmpFile f = good; f.bits = 16; f.palette = {}; return Bytes(f); }()},
      {"more colours than 1 bit indexes",
       [&] { BmpFile f = good; f.bits = 1; f.coloursUsed = 3; return Bytes(f); }()},
      {"palette past the end", Bytes(good).substr(0, 14 + 40 + 4)},
      {"pixels past the end", Bytes(good).substr(0, Bytes(good).size() - 1)},
      {"no width", [&] { BmpFile f = good; f.width = 0; return Bytes(f); }()},
      {"not a bitmap", "PK" + Bytes(good).substr(2)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(rt::ReadBmpPicture(c.bytes));
  }
}

TEST(BmpPicture, LoadedLikeAnyPicture) {
  Runtime runtime;
  RuntimeScope scope{runtime};
  TempFolder folder;
  WriteHostFile(folder / "scan.bmp", Bytes({300, 200, 1, {kWhite, kBlack}, 0, 0,
                                            std::vector<std::string>(200, std::string(40, '\0'))}));
  RtBitmap bitmap;
  ASSERT_TRUE(RtLoadPicture(bitmap, folder / "scan.bmp"));
  EXPECT_EQ(bitmap.pixelWidth(), 300);
  EXPECT_EQ(bitmap.pixelHeight(), 200);
}

}  // namespace
