#include "cogo/axis_swap.h"

#include <optional>
#include <string>

#include "cogo/transformation_menu.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/routines.h"
#include "points/selection.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/navigator.h"

namespace {

// The new height of the reference: a number, or nothing when Enter alone
// cancels; a text that is no number is asked again on a line of its own.
std::optional<double> AskNewHeight(App& app, const std::string& prompt) {
  for (;;) {
    app.input.GuideNumber = 234;
    ShowGuideNext(app);
    std::string line;
    RtInputFromWindow();
    RtInputVars(line);
    const std::string text = RtTrim(line);
    if (text.empty()) return std::nullopt;
    const rt::NumberScan scan = rt::ScanNumber(text, true);
    if (scan.found && scan.end == text.size()) return scan.value;
    RtColor(10);
    RtPrintStr(" 数値を入力してください (ENT:中止)", true);
    RtColor(7);
    RtPrintStr(prompt, false);
  }
}

}  // namespace

cogo::Coordinates cogo::SwappedAxesOf(Coordinates point, bool yAsHeight) {
  return {point.z, point.x, yAsHeight ? point.y : 0};
}

double cogo::ShiftedHeightOf(double height, double referenceOld, double referenceNew) {
  return height - (referenceOld - referenceNew);
}

Jump SwapCoordinateAxes(App& app) {
  points::Store& p = app.points;
  SelectPoints(app);
  const bool yAsHeight = app.job.SubmenuChoice == 3;
  const int last = static_cast<int>(p.SelectionLast);
  for (int i = 0; i <= last; ++i) {
    const int n = p.SelectionList(i);
    const cogo::Coordinates swapped = cogo::SwappedAxesOf({p.PointX(n), p.PointY(n), p.PointZ(n)}, yAsHeight);
    p.PointX(n) = swapped.x;
    p.PointY(n) = swapped.y;
    p.PointZ(n) = swapped.z;
    RtPrintStr(p.PointName(n), false);
    RtPrintZone();
    RtPrintNum(n, true);
  }
  return {CoordinateTransformationMenu};
}

Jump ZTransformation(App& app) {
  points::Store& p = app.points;
  for (;;) {
    RtPrintStr("ﾍﾝｶﾝﾏｴﾉﾃﾝ+ｿｸﾃﾝ IN", true);
    SelectPoints(app);
    if (p.SelectionLast < 0) return {EntryOf(Routines().RepeatLastCommand)};
    const int r = p.SelectionList(0);
    const std::string& name = p.PointName(r);
    const std::string prompt = RtFormatUsing("&        &@Z=######.###   ﾍﾝｶﾝｺﾞ Z=",
                                             {RtLeft(name, 10), RtMid(name, 11, 6), p.PointZ(r)});
    RtPrintStr(prompt, false);
    const std::optional<double> newHeight = AskNewHeight(app, prompt);
    if (!newHeight) continue;
    const double referenceOld = p.PointZ(r);
    const int last = static_cast<int>(p.SelectionLast);
    bool referenceSkipped = false;
    for (int i = 0; i <= last; ++i) {
      const int n = p.SelectionList(i);
      if (n == r && !referenceSkipped) {
        referenceSkipped = true;
        continue;
      }
      RtPrintStr(p.PointName(n), true);
      const double old = p.PointZ(n);
      const double shifted = cogo::ShiftedHeightOf(old, referenceOld, *newHeight);
      RtPrintToFile(core::kPrintBuffer,
                    RtFormatUsing("#####  &          &@ ######.###  --->  ",
                                  {static_cast<double>(n), RtLeft(p.PointName(n), 12), RtMid(p.PointName(n), 13, 4),
                                   old}) +
                        RtFormatUsing("######.###", {shifted}));
      if (app.settings.ZD != 1) p.PointZ(n) = shifted;
    }
  }
}
