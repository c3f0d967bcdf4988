// SVG pictures: drawn at their own size, on white, never reaching for other
// files, and kept in the cache folder so the next load reads them back.
#include <cairo.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "runtime/errors.h"
#include "runtime/graphics.h"
#include "runtime/graphics_target.h"
#include "runtime/picture_cache.h"
#include "runtime/runtime.h"
#include "support/raised_error.h"
#include "temp_folder.h"

namespace {

uint32_t PixelOf(const RtBitmap& bitmap, int x, int y) {
  cairo_surface_t* s = rt::BitmapSurface(bitmap);
  cairo_surface_flush(s);
  const unsigned char* row =
      cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
  return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
}

std::string Svg(const std::string& size, const std::string& body) {
  return "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
         "xmlns:xlink=\"http://www.w3.org/1999/xlink\" " +
         size + ">" + body + "</svg>\n";
}

class SvgPictureTest : public ::testing::Test {
 protected:
  // Every test keeps its pictures in a cache folder of its own.
  void SetUp() override { setenv("XDG_CACHE_HOME", cache.path().c_str(), 1); }
  void TearDown() override { unsetenv("XDG_CACHE_HOME"); }

  // Loads `bytes` as a picture file of the test folder.
  bool Load(const std::string& bytes) {
    WriteHostFile(folder / "pic.svg", bytes);
    return RtLoadPicture(bitmap, folder / "pic.svg");
  }

  Runtime runtime;
  RuntimeScope scope{runtime};
  TempFolder folder;
  TempFolder cache;
  RtBitmap bitmap;
};

TEST_F(SvgPictureTest, DrawnAtItsOwnSizeOnWhite) {
  // One inch is 96 screen pixels; the view box maps 100 units onto it.
  ASSERT_TRUE(Load(Svg("width=\"1in\" height=\"0.5in\" viewBox=\"0 0 100 50\"",
                       "<rect x=\"50\" y=\"0\" width=\"50\" height=\"25\" fill=\"#ff0000\"/>")));
  EXPECT_EQ(bitmap.pixelWidth(), 96);
  EXPECT_EQ(bitmap.pixelHeight(), 48);
  EXPECT_EQ(PixelOf(bitmap, 70, 10), 0xFF0000u);
  EXPECT_EQ(PixelOf(bitmap, 20, 10), 0xFFFFFFu);  // nothing drawn there: white
  EXPECT_EQ(PixelOf(bitmap, 70, 40), 0xFFFFFFu);
}

TEST_F(SvgPictureTest, WithoutWidthAndHeightItsViewBoxGivesThePixels) {
  ASSERT_TRUE(
      Load(Svg("viewBox=\"0 0 30 20\"", "<rect width=\"30\" height=\"20\" fill=\"#0000ff\"/>")));
  EXPECT_EQ(bitmap.pixelWidth(), 30);
  EXPECT_EQ(bitmap.pixelHeight(), 20);
  EXPECT_EQ(PixelOf(bitmap, 29, 19), 0x0000FFu);
}

TEST_F(SvgPictureTest, DocumentsWithoutAUsableSizeOrNoSvgAtAllAreRefused) {
  const std::string refused[] = {
      Svg("width=\"100%\" height=\"100%\"", "<rect width=\"5\" height=\"5\"/>"),  // no own size
      Svg("width=\"0\" height=\"10\"", ""),
      Svg("width=\"100000\" height=\"10\"", ""),  // beyond any screen
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\"><rect",  // cut off
      "<html><body>no picture</body></html>",
      "",
  };
  for (const std::string& bytes : refused) {
    SCOPED_TRACE(bytes);
    EXPECT_EQ(RaisedError([&] { Load(bytes); }), kErrIllegalArgument);
    EXPECT_TRUE(bitmap.empty());
  }
}

TEST_F(SvgPictureTest, OtherFilesAreNotDrawnIntoThePicture) {
  // A red picture beside the document, named by a relative and an absolute path.
  cairo_surface_t* red = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 10, 10);
  cairo_t* cr = cairo_create(red);
  cairo_set_source_rgb(cr, 1, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  ASSERT_EQ(cairo_surface_write_to_png(red, (folder / "red.png").c_str()), CAIRO_STATUS_SUCCESS);
  cairo_surface_destroy(red);

  ASSERT_TRUE(Load(Svg("width=\"20\" height=\"10\"",
                       "<image x=\"0\" y=\"0\" width=\"10\" height=\"10\" xlink:href=\"red.png\"/>"
                       "<image x=\"10\" y=\"0\" width=\"10\" height=\"10\" xlink:href=\"file://" +
                           folder / "red.png" + "\"/>")));
  EXPECT_EQ(PixelOf(bitmap, 5, 5), 0xFFFFFFu);
  EXPECT_EQ(PixelOf(bitmap, 15, 5), 0xFFFFFFu);
}

const std::string kRedCorner =
    Svg("width=\"40\" height=\"30\"", "<rect width=\"10\" height=\"5\" fill=\"#ff0000\"/>"
                                       "<circle cx=\"25\" cy=\"15\" r=\"9\" fill=\"#0080ff\"/>");

// Every pixel of a picture, row by row.
std::string Pixels(const RtBitmap& bitmap) {
  std::string all;
  for (int y = 0; y < bitmap.pixelHeight(); ++y) {
    for (int x = 0; x < bitmap.pixelWidth(); ++x) all += std::to_string(PixelOf(bitmap, x, y)) + ",";
  }
  return all;
}

TEST_F(SvgPictureTest, TheCachedPictureIsTheDrawnOne) {
  ASSERT_TRUE(Load(kRedCorner));
  const std::string drawn = Pixels(bitmap);
  const std::string kept = rt::PictureCachePath(kRedCorner);
  EXPECT_EQ(kept.rfind(cache.path() + "/krn/picture-", 0), 0u) << kept;
  ASSERT_TRUE(std::filesystem::exists(kept));
  // The second load reads the cache: a mark put into the kept pixels shows.
  std::string bytes = ReadHostFile(kept);
  const rt::SurfacePtr fromCache = rt::ReadCachedPicture(bytes);
  ASSERT_TRUE(fromCache);
  bitmap = rt::MakeBitmap(rt::SurfacePtr(cairo_surface_reference(fromCache.get())));
  EXPECT_EQ(Pixels(bitmap), drawn);
  bytes[bytes.size() - 4] = 0x11;  // the last pixel, blue byte
  WriteHostFile(kept, bytes);
  ASSERT_TRUE(Load(kRedCorner));
  EXPECT_EQ(PixelOf(bitmap, 39, 29), 0xFFFF11u);
  // Another document is another file.
  EXPECT_NE(rt::PictureCachePath(kRedCorner + " "), kept);
}

TEST_F(SvgPictureTest, DamagedCacheFilesAreDrawnAnewAndReplaced) {
  ASSERT_TRUE(Load(kRedCorner));
  const std::string drawn = Pixels(bitmap);
  const std::string kept = rt::PictureCachePath(kRedCorner);
  const std::string whole = ReadHostFile(kept);
  std::string otherMagic = whole;
  otherMagic[0] = 'X';
  std::string wrongWidth = whole;
  wrongWidth[8] = 41;
  const std::string damaged[] = {
      "", whole.substr(0, 10), whole.substr(0, whole.size() - 1), whole + "x", otherMagic,
      wrongWidth,
  };
  for (const std::string& bytes : damaged) {
    SCOPED_TRACE(bytes.size());
    EXPECT_FALSE(rt::ReadCachedPicture(bytes));
    WriteHostFile(kept, bytes);
    ASSERT_TRUE(Load(kRedCorner));
    EXPECT_EQ(Pixels(bitmap), drawn);
    EXPECT_EQ(ReadHostFile(kept), whole);
  }
}

TEST_F(SvgPictureTest, AFolderThatKeepsNothingStillGivesThePicture) {
  // A file where the cache folder would be made.
  WriteHostFile(cache / "file", "");
  setenv("XDG_CACHE_HOME", (cache / "file").c_str(), 1);
  ASSERT_TRUE(Load(kRedCorner));
  EXPECT_EQ(PixelOf(bitmap, 5, 2), 0xFF0000u);
  ASSERT_TRUE(Load(kRedCorner));
  EXPECT_EQ(PixelOf(bitmap, 25, 15), 0x0080FFu);
}

}  // namespace
