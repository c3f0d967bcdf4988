// SVG pictures: drawn at their own size, on white, and never reaching for other files.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "runtime/errors.h"
#include "runtime/graphics.h"
#include "runtime/graphics_target.h"
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
  // Loads `bytes` as a picture file of the test folder.
  bool Load(const std::string& bytes) {
    WriteHostFile(folder / "pic.svg", bytes);
    return RtLoadPicture(bitmap, folder / "pic.svg");
  }

  Runtime runtime;
  RuntimeScope scope{runtime};
  TempFolder folder;
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

}  // namespace
