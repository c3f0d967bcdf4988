#include "transfer/bitmap_reading.h"

#include <algorithm>
#include <string>

#include "core/app.h"
#include "core/routines.h"
#include "files/file_dialogs.h"
#include "runtime/console.h"
#include "runtime/graphics.h"
#include "runtime/windows.h"
#include "transfer/link.h"
#include "transfer/point_reading.h"
#include "transfer/start_number.h"
#include "ui/input.h"
#include "ui/redraw.h"

namespace transfer {

double BackgroundPictureFit(double areaWidth, double areaHeight, double width, double height) {
  return height / width < areaHeight / areaWidth ? areaWidth / width : areaHeight / height;
}

}  // namespace transfer

namespace {

constexpr RtWindowId kView = RtWindowId::View;
// The part of the view's outer size the picture may fill.
constexpr double kFrameWidth = 30;
constexpr double kFrameHeight = 100;

// Fits the loaded picture into the view's outer size less its frame and draws
// the view with it at once: a redraw left pending would be withdrawn by the
// first key of the name typed ahead, and the picture would not be there to
// click on.
void FitBackgroundPicture(App& app) {
  ui::ViewState& v = app.view;
  // A window shrunk below the frame still gives the picture a size.
  const double areaWidth = std::max(RtWindowOuterWidth(kView) - kFrameWidth, 1.0);
  const double areaHeight = std::max(RtWindowOuterHeight(kView) - kFrameHeight, 1.0);
  v.BackgroundPictureScale =
      transfer::BackgroundPictureFit(areaWidth, areaHeight, RtBitmapWidth(v.BitmapPicture, kView),
                                     RtBitmapHeight(v.BitmapPicture, kView));
  v.BackgroundPictureLoaded = 1;
  RedrawView(app);
}

// The picture of the file chosen in the open dialog; false when cancelled or
// when the file is gone.
bool LoadBackgroundPicture(App& app) {
  ui::ViewState& v = app.view;
  v.BitmapPicture = RtBitmap();
  v.BackgroundPictureLoaded = 0;
  app.input.ViewRedrawPending = 1;
  const std::string path = ChooseSideFile(app, ShowOpenFileDialog, ".BMP");
  if (path.empty()) return false;
  if (!RtLoadPicture(v.BitmapPicture, path)) {
    RtColor(2);
    RtPrintStr(" 画像ファイルがありません", true);
    RtColor(7);
    return false;
  }
  return true;
}

// Stores a point at each click until an answer that is no click.
void PickPoints(App& app, std::string& name) {
  ui::InputState& in = app.input;
  for (;;) {
    if (!transfer::RoomForReadPoint(app)) JumpTo(EntryOf(Routines().ShowResultMenu));
    RtPrintUsingNum("##### &              &", {app.transfer.RegistrationNumber, name}, true);
    RtPrintStr(" 読取り ＯＫ", false);
    in.GuideNumber = 245;
    InputCoordinatePick(app);
    if (in.Answer != "F") return;
    app.points.WorkPointX = in.PointerX;
    app.points.WorkPointY = in.PointerY;
    transfer::StoreReadPoint(app, name);
    name = transfer::NameAfter(app, name);
  }
}

}  // namespace

Jump BitmapPointReading(App& app) {
  if (!LoadBackgroundPicture(app)) return {EntryOf(Routines().RepeatLastCommand)};
  FitBackgroundPicture(app);
  for (;;) {
    app.points.CoordinateLabelX = "X=";
    app.points.CoordinateLabelY = "Y=";
    std::string name;
    if (!transfer::AskReadingName(app, "読取り自動点名[Q]= ", name)) {
      return {EntryOf(Routines().ShowResultMenu)};
    }
    AskRegistrationStartNumber(app);
    PickPoints(app, name);
  }
}
