#include "dxf/work_result.h"

#include "core/app.h"
#include "core/numeric.h"
#include "dxf/plot_settings.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/text.h"

namespace {

constexpr int kGuideResultSize = 254;
constexpr int kGuideResultWidth = 308;

}  // namespace

namespace dxf {

void WriteWorkResultLines(Sink& out, const std::vector<std::string>& lines, double paperWidth,
                          double paperHeight, double size, bool fullWidth) {
  TextRecord t;
  t.layer = "結果";
  t.x = paperWidth * 1000 + 100;
  t.y = RoundTo6Decimals(paperHeight * 1000);
  t.height = size;
  t.widthFactor = "0.8";
  for (const std::string& read : lines) {
    const std::string line = read == "_" ? std::string() : read;
    const std::string text = fullWidth ? RtToFullWidth(line) : line.empty() ? line : "　" + line;
    t.text = text;
    WriteText(out, t);
    t.y -= size * double(1.2f);
  }
}

}  // namespace dxf

void PlotWorkResultToDxf(App& app) {
  dxf::State& d = app.dxf;
  RtPrintStr("作業結果文字サイズ", true);
  d.TextSize = dxf::AskPlotSetting(app, "[1.5 2 2.3 2.6 3.3 3.6 4] 3", kGuideResultSize, 3,
                                   dxf::SettingCheck::kPositive);
  const double width =
      dxf::AskPlotSetting(app, "漢字文字幅80%  [0,1] 0", kGuideResultWidth, 0, dxf::SettingCheck::kAny);
  dxf::Sink out;
  dxf::WriteWorkResultLines(out, files::PrintBufferLines(app), app.lines.PaperWidth, app.lines.PaperHeight,
                            d.TextSize, width == 1);
  out.WriteToDrawing();
  app.output.ResultsPlaced = 1;
}
