// The guide texts: an input is KRN2000.lst in the current folder, loaded as
// start-up loads it; then a few texts are shown in the navigator as the
// questions show them (the footer, the main menu's text and the first text the
// file gave).
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "core/app.h"
#include "ui/navigator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RunInput([&] {
    const fuzz::Scratch& scratch = fuzz::Scratch::Get();
    fuzz::WriteFile(scratch / "KRN2000.lst", data, size);
    App app;
    LoadGuideTexts(app);
    ui::NavigatorState& nav = app.navigator;
    int shown = 0;
    for (int k = 0; k <= nav.GuideText.Bound() && shown < 3; ++k) {
      if (nav.GuideText(k).empty()) continue;
      app.input.GuideNumber = k;
      if (shown++ == 0) {
        ShowGuide(app);
      } else {
        ShowGuideNext(app);
      }
    }
  });
  return 0;
}
