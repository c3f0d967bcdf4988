#include "profile/dxf_section.h"

#include "core/app.h"
#include "runtime/console.h"

namespace {

// The value-text size of a section whose settings were never given.
constexpr double kDefaultValueTextSize = 2.4;

}  // namespace

// NOT AVAILABLE YET: the section's records are not written; the text size is
// handed on as the section would leave it.
void PlotProfileToDxf(App& app) {
  RtPrintStr(" 縦断図の図面出力はまだ使えません", true);
  const double size = app.profile.ProfileValueTextSize;
  app.dxf.TextSize = size > 0 ? size : kDefaultValueTextSize;
}
