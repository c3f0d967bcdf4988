#include "profile/section_frame.h"

#include <cmath>

#include "core/app.h"
#include "core/numeric.h"
#include "profile/dxf_writers.h"
#include "profile/single_precision.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace profile {

namespace {

// The height scale stops after this many one-metre passes: a typed top far
// above the datum would otherwise draw for ever (and beyond 2^53 h + 1 is h).
constexpr int kMostTickPasses = 10000;
// The start of the previous flag's position before the first flag.
constexpr double kNoFlag = 9999999;

// The number of characters of a CP932 text, a double-byte one counting one.
int CharacterCount(std::string_view s) {
  int n = 0;
  for (size_t at = 0; at < s.size(); ++n) {
    const bool pair = rt::IsLeadByte(static_cast<unsigned char>(s[at])) && at + 1 < s.size() &&
                      rt::IsTrailByte(static_cast<unsigned char>(s[at + 1]));
    at += pair ? 2 : 1;
  }
  return n;
}

// The frame's edges on paper (mm): the table's left and right, the row-name
// column's right (the height scale's axis), the value band's left, the datum.
struct FrameEdges {
  double xL, xE, xN, xV, yD;
};

class FrameWriter {
 public:
  explicit FrameWriter(SectionPlot& plot) : plot_(plot), s_(plot.app.profile) {
    e_.xL = SectionPaperX(plot, s_.ProfileStartChainage) - s_.ProfileStartMargin - 30;
    e_.xE = SectionPaperX(plot, s_.ProfileEndChainage) + s_.ProfileEndMargin;
    e_.xN = e_.xL + 30 - s_.ProfileRowSpacing;
    e_.xV = e_.xN + s_.ProfileRowSpacing;
    e_.yD = s_.ProfileDatumY;
  }

  void Write() {
    plot_.ProfileTextAngle = 0;
    Line(e_.xL, e_.yD, e_.xE, e_.yD);
    TextSize(SinglePrecision(2.8f), SinglePrecision(0.7f));
    Text(e_.xL, e_.yD, "DL=" + Decimals(s_.ProfileDatumLevel, 4, 10));
    ItemTable();
    HeightScale();
    ScaleTriangle();
    Flags();
  }

 private:
  void Line(double x1, double y1, double x2, double y2) {
    plot_.ProfileLineX1 = x1;
    plot_.ProfileLineY1 = y1;
    plot_.ProfileLineX2 = x2;
    plot_.LineEndY = y2;
    WriteProfileFrameLine(plot_);
  }
  void Text(double x, double y, const std::string& text) {
    plot_.StationPaperX = x;
    plot_.LineStartY = y;
    plot_.RowValueText = text;
    WriteProfileFrameText(plot_);
  }
  void TextSize(double height, double width) {
    plot_.ProfileTextHeight = height;
    plot_.ProfileTextWidth = width;
  }
  std::string Decimals(double value, int item, double width) const {
    return RtTrim(FormatDecimalsRight(value, s_.ProfileItemDigits(item), width));
  }

  void ItemTable() {
    double top = e_.yD - s_.ProfileDatumGap;
    plot_.ProfileTextHeight = 5;
    const int last = static_cast<int>(s_.ProfileLastRow);
    for (int r = 0; r <= last; ++r) {
      const double height = s_.ProfileRowHeight(r);
      const double bottom = top - height;
      for (const double y : {top, bottom}) {
        Line(e_.xL, y, e_.xN, y);
        Line(e_.xV, y, e_.xE, y);
      }
      for (const double x : {e_.xL, e_.xN, e_.xV, e_.xE}) Line(x, bottom, x, top);
      const std::string& name = s_.ProfileItemName(s_.ProfileRowItem(r));
      // A row without a name gets no text.
      if (!name.empty()) {
        plot_.ProfileTextWidth = RowNameWidthOf(name, plot_.TextWidthFactor);
        Text(e_.xL + 2, bottom + height / 2 - 2.5, name);
      }
      top = bottom - s_.ProfileRowSpacing;
    }
  }

  void HeightScale() {
    const App& app = plot_.app;
    TextSize(SinglePrecision(2.8f), SinglePrecision(0.7f));
    const double f = TickFactorOf(app.lines.ScaleDenominator * app.view.VerticalRatio);
    plot_.app.profile.ProfileTickFactor = f;
    const std::vector<ScaleTick> ticks = ScaleTicksOf(app, s_.ProfileDatumLevel, s_.ProfileScaleTop, f);
    for (const ScaleTick& t : ticks) {
      const double y = SectionPaperY(plot_, t.height);
      Line(e_.xN, y, e_.xN - (t.tick == Tick::Long ? 15 : 5), y);
      if (t.tick == Tick::Long) Text(e_.xN - 15, y, Decimals(t.height, 4, 10));
    }
    if (!ticks.empty()) Line(e_.xN, e_.yD, e_.xN, SectionPaperY(plot_, ticks.back().height));
  }

  void ScaleTriangle() {
    const App& app = plot_.app;
    const double xL = e_.xL, yD = e_.yD;
    Line(xL - 5, yD + 10, xL + 10, yD + 10);
    TextSize(SinglePrecision(2.5f), SinglePrecision(0.7f));
    const double scale = app.lines.ScaleDenominator;
    Text(xL - 2, yD + 6.5, "1:" + RtTrim(RtStr(std::floor(scale + 0.5))));
    Line(xL + 10, yD + 30, xL + 10, yD + 10);
    plot_.ProfileTextAngle = 90;
    Text(xL + 13, yD + 13, "1:" + RtTrim(RtStr(std::floor(scale * app.view.VerticalRatio + 0.5))));
    plot_.ProfileTextAngle = 0;
    Line(xL + 10, yD + 30, xL - 5, yD + 10);
  }

  void Flags() {
    const points::Store& p = plot_.app.points;
    double previousX = kNoFlag, previousTop = kNoFlag, previousLength = 0;
    for (int j = static_cast<int>(p.PointCount); j >= 1; --j) {
      const std::string& attribute = p.PointAttribute(j);
      if (attribute.size() < 2 || attribute[1] != '2') continue;
      const double x = SectionPaperX(plot_, p.PointY(j));
      const double foot = SectionPaperY(plot_, p.PointX(j)) + 50;
      const double top = FlagRaised(previousX, x, previousLength) ? previousTop + 5 : foot + 50;
      Line(x, foot, x, top);
      const std::string text = FlagTextOf(p.PointY(j), attribute, plot_.StationInterval,
                                          s_.ProfileFlagNumbers == 1, s_.ProfileItemDigits(3));
      const double length =
          FlagLengthOf(text, plot_.ProfileTextHeight, plot_.ProfileTextWidth, plot_.TextWidthFactor);
      Line(x + length * CosDegrees(20), top + length * SinDegrees(20), x, top);
      plot_.ProfileTextAngle = 20;
      Text(x, top, text);
      previousX = x;
      previousTop = top;
      previousLength = length;
    }
  }

  SectionPlot& plot_;
  const profile::State& s_;
  FrameEdges e_{};
};

}  // namespace

double TickFactorOf(double scaleTimesRatio) {
  return scaleTimesRatio >= 400 ? SinglePrecision(0.1f) : SinglePrecision(0.2f);
}

Tick TickOf(const App& app, double h, double f) {
  if (RoundHeight(app, h * f - std::floor(h * f + 0.1)) == 0) return Tick::Long;
  return f == SinglePrecision(0.1f) ? Tick::None : Tick::Short;
}

std::vector<ScaleTick> ScaleTicksOf(const App& app, double datumLevel, double top, double f) {
  std::vector<ScaleTick> ticks;
  double h = datumLevel;
  int passes = 0;
  do {
    h += 1;
    const Tick tick = TickOf(app, h, f);
    if (tick != Tick::None) ticks.push_back({h, tick});
  } while (h < top && ++passes < kMostTickPasses);
  return ticks;
}

std::string FlagTextOf(double chainage, std::string_view attribute, double interval, bool numbers,
                       double plusDecimals) {
  std::string text;
  if (numbers) {
    const double station = std::floor(chainage / interval);
    text = "NO." + RtTrim(RtStr(station));
    const double plus = chainage - station * interval;
    if (plus != 0) text += "+" + RtTrim(FormatDecimalsRight(plus, plusDecimals, 8)) + "  ";
  }
  if (attribute.size() > 2) text += attribute.substr(2, 100);
  return text;
}

double FlagLengthOf(std::string_view text, double height, double width, double textWidthFactor) {
  return static_cast<double>(text.size()) * height * width * textWidthFactor + 5;
}

bool FlagRaised(double previousX, double x, double previousLength) {
  return std::fabs(previousX - x) < previousLength;
}

double RowNameWidthOf(std::string_view name, double textWidthFactor) {
  const int n = CharacterCount(name);
  return n == 0 ? 0 : 5.0 / n * textWidthFactor;
}

void WriteSectionFrame(SectionPlot& plot) { FrameWriter(plot).Write(); }

}  // namespace profile
