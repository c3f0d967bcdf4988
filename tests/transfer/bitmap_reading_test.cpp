// The bitmap point reading: the picture fitted to the view by its proportions,
// and each click a point at the ground position the view transform gives.
#include "transfer/bitmap_reading.h"

#include <string>

#include "core/routines.h"
#include "runtime/files.h"
#include "runtime/windows.h"
#include "runtime/errors.h"
#include "support/bmp_file.h"
#include "support/raised_error.h"
#include "transfer/link_fixture.h"

namespace {

using transfer::BackgroundPictureFit;

TEST(BackgroundPictureFit, TheTighterSideDecides) {
  const struct {
    double areaWidth, areaHeight, width, height, factor;
  } cases[] = {
      {1000, 800, 2000, 1000, 0.5},  // wider in shape than the area: its width decides
      {1000, 800, 1000, 2000, 0.4},  // taller: its height decides
      {1000, 800, 500, 400, 2},      // the same shape, smaller: enlarged to fill it
      {1000, 800, 250, 100, 4},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(BackgroundPictureFit(c.areaWidth, c.areaHeight, c.width, c.height), c.factor)
        << c.width << " x " << c.height;
  }
}

class BitmapReadingTest : public LinkTest {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    NameTheJob();
    ui::ViewState& v = app.view;
    v.ViewOriginX = 1000;
    v.ViewOriginY = 2000;
    v.ViewScale = 0.1;
    v.VerticalRatio = 1;
    v.MouseScaleRatio = 1;
  }
  // A grey picture of 200 x 100 pixels.
  std::string Picture() {
    const std::string path = data_.path() + "/SCAN.BMP";
    WriteHostFile(path, bmp_file::Bytes({200, 100, 8, {0x808080}, 1, 0,
                                         std::vector<std::string>(100, std::string(200, '\0'))}));
    return path;
  }
  // Ground X and Y of a click at view position (x, y), by the view transform.
  double GroundX(double y) const {
    return 1000 + (app.view.ViewHeight - y) * 0.1;
  }
  static double GroundY(double x) { return 2000 + x * 0.1; }
};

TEST_F(BitmapReadingTest, ClicksStorePointsAtTheGroundPositionUnderThePointer) {
  SetPoint(102, 5, 5, "OLD", 9, "NULL");
  const std::string script = "!file " + Picture() +
                             "\nP1\n101\n!click view 500 300\n!click view 800 650\n"
                             // Enter goes back to the name prompt, which offers P3.
                             "\nQ\n";
  EXPECT_EQ(Run(script, BitmapPointReading), EntryOf(Routines().ShowResultMenu));
  const points::Store& p = app.points;
  const struct {
    int number;
    const char* name;
    double viewX, viewY;
  } expected[] = {{101, "P1", 500, 300}, {102, "P2", 800, 650}};
  for (const auto& e : expected) {
    SCOPED_TRACE(e.number);
    EXPECT_EQ(p.PointName(e.number), e.name);
    EXPECT_NEAR(p.PointX(e.number), GroundX(e.viewY), 1e-9);
    EXPECT_NEAR(p.PointY(e.number), GroundY(e.viewX), 1e-9);
    EXPECT_EQ(p.PointZ(e.number), 0);
    EXPECT_EQ(p.PointAttribute(e.number), "");
  }
  EXPECT_EQ(p.PointCount, 102);
  EXPECT_EQ(CountContaining(U8(u8"読取り自動点名[Q]= P3")), 1);
  EXPECT_EQ(TimesPlayed("ding.wav"), 2);
  // Fitted into the view's outer size less 30 x 100 units; a pixel is 1/96
  // inch, 0.1 mm the view's unit.
  const double unitsPerPixel = 254.0 / 96;
  const double areaWidth = RtWindowOuterWidth(RtWindowId::View) - 30;
  const double areaHeight = RtWindowOuterHeight(RtWindowId::View) - 100;
  const double factor = 100.0 / 200 < areaHeight / areaWidth ? areaWidth / (200 * unitsPerPixel)
                                                              : areaHeight / (100 * unitsPerPixel);
  EXPECT_NEAR(app.view.BackgroundPictureScale, factor, 1e-9);
  EXPECT_EQ(app.view.BackgroundPictureLoaded, 1);
  // The picture is a side file: the job keeps its name.
  ExpectJobKept();
}

TEST_F(BitmapReadingTest, CancelInTheDialogReleasesThePicture) {
  Run("!file " + Picture() + "\nQ\n", BitmapPointReading);
  ASSERT_EQ(app.view.BackgroundPictureLoaded, 1);
  EXPECT_EQ(Run("!cancel\n", BitmapPointReading), EntryOf(Routines().RepeatLastCommand));
  EXPECT_EQ(app.view.BackgroundPictureLoaded, 0);
  EXPECT_TRUE(app.view.BitmapPicture.empty());
}

TEST_F(BitmapReadingTest, AFileThatIsNoPictureIsAnErrorThatLosesNothing) {
  const std::string path = data_.path() + "/NOTE.BMP";
  WriteHostFile(path, "not a picture\r\n");
  UseNumberedPoints(2);
  EXPECT_EQ(RaisedError([&] { Run("!file " + path + "\n", BitmapPointReading); }),
            kErrIllegalArgument);
  EXPECT_EQ(app.view.BackgroundPictureLoaded, 0);
  EXPECT_EQ(app.points.PointCount, 2);
  ExpectJobKept();
}

TEST_F(BitmapReadingTest, TheTableEndsAt9999) {
  const std::string script =
      "!file " + Picture() + "\nR1\n9999\n!click view 500 300\n";
  EXPECT_EQ(Run(script, BitmapPointReading), EntryOf(Routines().ShowResultMenu));
  EXPECT_EQ(app.points.PointName(9999), "R1");
  EXPECT_EQ(app.points.PointCount, 9999);
  EXPECT_EQ(CountContaining(U8(u8"9999 を超えるので")), 1);
}

}  // namespace
