#include "dxf/plot_run.h"

#include "cad/print_page.h"
#include "core/app.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "dxf/connection_lines.h"
#include "dxf/dxf_menu.h"
#include "dxf/grid.h"
#include "dxf/labels.h"
#include "dxf/mapping.h"
#include "dxf/mark_shapes.h"
#include "dxf/point_texts.h"
#include "dxf/records.h"
#include "dxf/work_result.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace {

// Records gathered beyond this many bytes go to the drawing at once.
constexpr size_t kSinkFlushBytes = 1 << 20;

bool PlottablePoint(const App& app, int number) {
  if (number < 1 || number > app.points.PointCapacity) return false;
  return app.points.PointAttribute(number) != "NULL" && !IsFreePoint(app, number);
}

void PlotPoint(App& app, dxf::Sink& out, const dxf::DrawingFrame& frame, const std::string& generalMark,
               int number) {
  points::Store& p = app.points;
  dxf::State& d = app.dxf;
  d.PlottedPointFlag[number] = 1;
  const dxf::PaperPoint at = dxf::GroundToPaper(frame, p.PointX(number), p.PointY(number), p.PointZ(number));
  p.WorkPointX = at.x;
  p.WorkPointY = at.y;
  p.WorkPointZ = at.z;
  d.MarkString = dxf::MarkTextOf(d.MarkAnswer, generalMark, p.PointAttribute(number));
  const dxf::Height z = d.Output3D == 1 ? dxf::Height(at.z) : std::nullopt;
  if (d.ShowPointEntity == 1) dxf::WritePoint(out, "ポイント", at.x, at.y, z);
  if (!d.MarkString.empty()) WriteMarkShapes(app, out);
  WritePointTexts(app, out, number);
}

}  // namespace

namespace dxf {

std::string MarkTextOf(std::string_view markAnswer, const std::string& generalMark,
                       std::string_view attribute) {
  if (markAnswer != "10" || attribute.size() < 2) return generalMark;
  const std::string registered = cad::OwnMarkSymbol(attribute.substr(1, 1));
  return registered.empty() ? generalMark : registered;
}

bool DrawingFrameUsable(App& app) {
  if (app.lines.ScaleDenominator != 0 && app.view.VerticalRatio != 0) return true;
  RtPrintStr(" 縮尺または縦倍率が 0 のため、図面に出力できません", true);
  return false;
}

}  // namespace dxf

void PlotDrawingToDxf(App& app) {
  dxf::State& d = app.dxf;
  if (!dxf::DrawingFrameUsable(app)) return;
  ReopenDxfForAppend(app);
  d.DxfPlotted = 1;
  RtPrintStr("", true);
  RtPrintStr(d.DrawingPath + " 出力しています", true);
  d.PlottedPointFlag.assign(static_cast<size_t>(app.points.PointCapacity) + 1, 0);

  const dxf::DrawingFrame frame = dxf::FrameOf(app);
  const std::string generalMark = RtToFullWidth(d.GeneralMark);
  dxf::Sink out;
  const points::Store& p = app.points;
  for (int k = 0; k <= p.SelectionLast; ++k) {
    const int number = p.SelectionList(k);
    if (!PlottablePoint(app, number)) continue;
    PlotPoint(app, out, frame, generalMark, number);
    if (out.Text().size() > kSinkFlushBytes) out.WriteToDrawing();
  }
  out.WriteToDrawing();

  if (app.profile.ProfileMode == 1) Call(Routines().PlotProfileToDxf, app);
  if (app.lines.AdditionalPlotMode == 0 && app.area.LabelCount != 0) WriteLabelsToDxf(app);
  if (app.lines.GridInterval != 0) PlotGridToDxf(app);
  if (d.UseRegisteredLines == 1) PlotConnectionLinesToDxf(app);
  if (app.output.ResultsPlaced == 0) PlotWorkResultToDxf(app);
}
