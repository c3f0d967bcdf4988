#include "profile/drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/app.h"
#include "core/numeric.h"
#include "profile/section_frame.h"
#include "profile/single_precision.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace profile {

double ProfileTextSize(double unitsPerMm) {
  return 1 + std::floor(SinglePrecision(0.2f) * unitsPerMm);
}

namespace {

constexpr int kSectionColour = 8;
constexpr int kGradeColour = 7;
constexpr int kSegmentNumberColour = 2;
constexpr double kLastChangePoint = 9999;

// The section laid out in paper millimetres on the plane of chainage and
// reduced height (height / VerticalRatio), shown through the view transform.
class Preview {
 public:
  Preview(App& app, ViewCanvas& canvas)
      : app_(app),
        s_(app.profile),
        v_(app.view),
        canvas_(canvas),
        m_(s_.ProfileHorizontalScale / 1000),
        unitsPerMm_(m_ / v_.ViewScale),
        size_(ProfileTextSize(unitsPerMm_)),
        textsShown_(v_.ViewScale / m_ <= 1) {}

  void Draw() {
    canvas_.LineStyle(0);
    StationVerticals();
    const double rdl = s_.ProfileDatumLevel / v_.VerticalRatio;
    L_ = s_.ProfileStartChainage - s_.ProfileStartMargin * m_ - Mm(30);
    E_ = s_.ProfileEndChainage + s_.ProfileEndMargin * m_;
    N_ = L_ + Mm(30) - Mm(s_.ProfileRowSpacing);
    V_ = N_ + Mm(s_.ProfileRowSpacing);
    PlaneLine(L_, rdl, E_, rdl);
    Label(L_ + Mm(100), rdl, "DL=" + Decimals(s_.ProfileDatumLevel, 4, 10));
    ItemTable(rdl);
    HeightScale(rdl);
    ScaleTriangle(rdl);
    StationFlags();
    GradeLine();
  }

 private:
  double Mm(double millimetres) const { return millimetres * m_; }
  double ViewX(double chainage) const { return (chainage - v_.ViewOriginY) / v_.ViewScale; }
  double PlaneViewY(double reduced) const {
    return v_.ViewHeight - (reduced - v_.ViewOriginX / v_.VerticalRatio) / v_.ViewScale;
  }
  double GroundViewY(double height) const {
    return v_.ViewHeight - (height - v_.ViewOriginX) / (v_.ViewScale * v_.VerticalRatio);
  }

  void PlaneLine(double y1, double r1, double y2, double r2) {
    canvas_.Line(ViewX(y1), PlaneViewY(r1), ViewX(y2), PlaneViewY(r2), kSectionColour);
  }
  void Text(double y, double r, const std::string& text, int quarterTurns = 0) {
    if (textsShown_) canvas_.Symbol(ViewX(y), PlaneViewY(r), text, size_, quarterTurns, kSectionColour);
  }
  // Set off up and to the left of its point.
  void Label(double y, double r, const std::string& text) {
    if (!textsShown_) return;
    canvas_.Symbol(ViewX(y) - 80 * size_, PlaneViewY(r) - (20 * size_ + 1), text, size_, 0, kSectionColour);
  }
  // A value with the decimals of an item, as the table writes it.
  std::string Decimals(double value, int item, double width) const {
    return RtTrim(FormatDecimalsRight(value, s_.ProfileItemDigits(item), width));
  }
  static char Code(const std::string& attribute) { return attribute.size() >= 2 ? attribute[1] : ' '; }

  void StationVerticals() {
    const points::Store& p = app_.points;
    for (int i = 1; i <= p.PointCount; ++i) {
      const char code = Code(p.PointAttribute(i));
      const double y = p.PointY(i);
      if ((code != '5' && code != '7') || y < s_.ProfileStartChainage || y > s_.ProfileEndChainage) continue;
      canvas_.Line(ViewX(y), GroundViewY(p.PointX(i)), ViewX(y), GroundViewY(s_.ProfileDatumLevel),
                   kSectionColour);
    }
  }

  void ItemTable(double rdl) {
    double top = rdl - Mm(s_.ProfileDatumGap);
    const int last = std::min(static_cast<int>(std::floor(s_.ProfileLastRow)), s_.ProfileRowItem.Bound());
    for (int r = 0; r <= last; ++r) {
      const double height = s_.ProfileRowHeight(r);
      const double bottom = top - Mm(height);
      for (double at : {top, bottom}) {
        PlaneLine(L_, at, N_, at);
        PlaneLine(V_, at, E_, at);
      }
      for (double at : {L_, N_, V_, E_}) PlaneLine(at, bottom, at, top);
      const int item = s_.ProfileRowItem(r);
      if (s_.ProfileItemName.Contains(item)) {
        Text(L_ + Mm(2), bottom + Mm(height / 2 + size_), s_.ProfileItemName(item));
      }
      top = bottom - Mm(s_.ProfileRowSpacing);
    }
  }

  void HeightScale(double rdl) {
    const double f = TickFactorOf(v_.ViewScale * v_.VerticalRatio);
    s_.ProfileTickFactor = f;
    const std::vector<ScaleTick> ticks = ScaleTicksOf(app_, s_.ProfileDatumLevel, s_.ProfileScaleTop, f);
    for (const ScaleTick& t : ticks) {
      const double r = t.height / v_.VerticalRatio;
      PlaneLine(N_, r, N_ - Mm(t.tick == Tick::Long ? 15 : 5), r);
      if (t.tick == Tick::Long) Label(N_ - Mm(15), r, Decimals(t.height, 4, 10));
    }
    if (!ticks.empty()) PlaneLine(N_, rdl, N_, ticks.back().height / v_.VerticalRatio);
  }

  void ScaleTriangle(double rdl) {
    PlaneLine(L_ - Mm(5), rdl + Mm(10), L_ + Mm(10), rdl + Mm(10));
    Text(L_ - Mm(2), rdl + Mm(6.5), "1:" + RtTrim(RtStr(s_.ProfileHorizontalScale)));
    PlaneLine(L_ + Mm(10), rdl + Mm(30), L_ + Mm(10), rdl + Mm(10));
    Text(L_ + Mm(13), rdl + Mm(13), "1:" + RtTrim(RtStr(s_.ProfileVerticalScale)), 1);
    PlaneLine(L_ + Mm(10), rdl + Mm(30), L_ - Mm(5), rdl + Mm(10));
  }

  void StationFlags() {
    double& interval = app_.route.StationInterval;
    if (interval == 0) interval = 20;
    const points::Store& p = app_.points;
    double previous = 9999999;
    double previousText = 9999999;
    for (int j = static_cast<int>(p.PointCount); j >= 1; --j) {
      const std::string& attribute = p.PointAttribute(j);
      if (Code(attribute) != '2') continue;
      const double y = p.PointY(j);
      const double foot = p.PointX(j) / v_.VerticalRatio + Mm(50);
      const double top = std::fabs(previous - y) < Mm(20) ? previousText + Mm(5) : foot + Mm(50);
      PlaneLine(y, foot, y, top);
      PlaneLine(y + Mm(20) * CosDegrees(20), top + Mm(20) * SinDegrees(20), y, top);
      Text(y, top + Mm(3 * size_), FlagText(y, attribute));
      previous = y;
      previousText = top + Mm(3 * size_);
    }
  }

  std::string FlagText(double chainage, const std::string& attribute) const {
    return FlagTextOf(chainage, attribute, app_.route.StationInterval, s_.ProfileFlagNumbers == 1,
                      s_.ProfileItemDigits(3));
  }

  void GradeLine() {
    const RtTable<double>& t = app_.route.VerticalTable;
    if ((t(0) == t(3) && t(3) == t(6)) || t(2) == kLastChangePoint) return;
    canvas_.LineStyle(0);
    // The walk never reads past the table's end, whatever marks it holds.
    for (int k = 0; k + 9 <= t.Bound(); k += 3) {
      canvas_.Line(ViewX(t(k)), GroundViewY(t(k + 1)), ViewX(t(k + 3)), GroundViewY(t(k + 4)), kGradeColour);
      canvas_.Colour(kSegmentNumberColour);
      canvas_.PrintLine(RtNumText(std::floor(k / 3.0 + 1.5)));
      if (t(k + 5) == kLastChangePoint) return;
      if (t(k + 6) == 0 && t(k + 7) == 0 && t(k + 8) == 0 && t(k + 9) == 0) return;
    }
  }

  App& app_;
  profile::State& s_;
  const ui::ViewState& v_;
  ViewCanvas& canvas_;
  const double m_;
  const double unitsPerMm_;
  const double size_;
  const bool textsShown_;
  double L_ = 0, E_ = 0, N_ = 0, V_ = 0;
};

}  // namespace

void DrawProfileViewOn(App& app, ViewCanvas& canvas) {
  const profile::State& s = app.profile;
  const ui::ViewState& v = app.view;
  if (s.ProfileMode != 1) return;
  // A zero scale or ratio would divide by zero: there is no section to show.
  if (!(s.ProfileHorizontalScale > 0 && v.VerticalRatio > 0 && v.ViewScale > 0)) return;
  Preview(app, canvas).Draw();
}

}  // namespace profile

namespace {

constexpr RtWindowId kView = RtWindowId::View;

class DynamicViewCanvas : public profile::ViewCanvas {
 public:
  void Line(double x1, double y1, double x2, double y2, int colour) override {
    RtLine(kView, x1, y1, x2, y2, colour);
  }
  void Symbol(double x, double y, const std::string& text, double size, int quarterTurns,
              int colour) override {
    RtSymbol(kView, x, y, text, size, size, quarterTurns, colour);
  }
  void LineStyle(int style) override { RtSetLineStyle(kView, style); }
  void Colour(int colour) override { RtColor(kView, colour); }
  void PrintLine(const std::string& text) override { RtPrintToWindow(kView, text, true); }
};

}  // namespace

void DrawProfileView(App& app) {
  DynamicViewCanvas canvas;
  profile::DrawProfileViewOn(app, canvas);
}
