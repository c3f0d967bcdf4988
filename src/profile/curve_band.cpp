#include "profile/curve_band.h"

#include <cctype>
#include <cmath>

#include "core/app.h"
#include "core/numeric.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace profile {

namespace {

constexpr int kBandItem = 10;
constexpr int kFirstIpRow = 6;
constexpr int kLastRouteRow = 999;

double Sign(double v) { return (v > 0) - (v < 0); }

bool StartsWith(std::string_view s, std::string_view head) { return s.substr(0, head.size()) == head; }

int BandRowOf(const profile::State& p) {
  for (int r = 0; r <= p.ProfileLastRow; ++r) {
    if (p.ProfileRowItem(r) == kBandItem) return r;
  }
  return 0;
}

// The route row of IP `number`: the first IP row whose IP text holds it.
int IpRowOf(const route::State& route, const std::string& number) {
  const std::string wanted = "IP." + number;
  for (int k = kFirstIpRow; k <= kLastRouteRow; ++k) {
    const std::string& label = route.RouteLabel(k);
    if (label.size() > 11 && label.substr(11, 8).find(wanted) != std::string::npos) return k;
  }
  return 0;
}

double IntersectionAngleOf(const std::string& label) {
  std::string text = label.size() > 25 ? label.substr(25, 10) : std::string();
  std::erase(text, ' ');
  return RtVal(text);
}

// One station's step of the band: the curve main point the station stands
// for gathers its marks and moves the band's end on.
class BandStep {
 public:
  BandStep(SectionPlot& plot, int station)
      : plot_(plot),
        p_(plot.app.profile),
        station_(station),
        row_(BandRowOf(plot.app.profile)),
        chainage_(plot.app.points.PointY(station)),
        t_(p_.ProfileValueTextSize),
        w_(p_.ProfileValueTextWidth * plot.TextWidthFactor) {}

  SectionMarks Run() {
    if (!plot_.BandStarted) {
      // The band starts at the first station in the window when none stands
      // at its start.
      if (chainage_ > p_.ProfileStartChainage) {
        plot_.BandLastX = p_.BandStationX;
        plot_.BandLastY = p_.BandCentreY + p_.BandOffset;
        plot_.BandLastChainage = chainage_;
      }
      plot_.BandStarted = true;
    }
    const double h = p_.ProfileRowHeight(row_), cy = p_.BandCentreY, sx = p_.BandStationX;
    switch (CurveBandEventOf(plot_.app.points.PointName(station_))) {
      case CurveBandEvent::CurveStart:
        ResetCurveBand(plot_, station_, row_);
        Step(sx, cy, "L=");
        break;
      case CurveBandEvent::CurveEnd:
        if (chainage_ - plot_.BandLastChainage == 0) break;
        CurveLengthBlock(cy - h / 2 + 2, 3, true);
        Line();
        Next(plot_.BandLastX, cy);
        Line();
        Close();
        break;
      case CurveBandEvent::EntryStart:
        ResetCurveBand(plot_, station_, row_);
        Next(sx, plot_.BandLastY);
        LengthAtCentre("L=");
        Line();
        Close();
        break;
      case CurveBandEvent::EntryEnd:
        if (plot_.ClothoidA1 == 0) {
          ResetCurveBand(plot_, station_, row_);
          Step(sx, cy, "L=");
          break;
        }
        Next(sx, cy + p_.BandOffset);
        ClothoidTexts("L1=", "A1=", plot_.ClothoidA1);
        Line();
        Close();
        break;
      case CurveBandEvent::ExitStart:
        if (plot_.ClothoidA2 != 0) {
          CurveLengthBlock(cy - h / 2 + 4, 2, false);
          Line();
        } else {
          CurveLengthBlock(cy - h / 2 + 2, 2, false);
          Line();
          Next(plot_.BandLastX, cy);
          Line();
        }
        Close();
        break;
      case CurveBandEvent::ExitEnd:
        Next(sx, cy);
        ClothoidTexts("L2=", "A2=", plot_.ClothoidA2);
        Line();
        Close();
        break;
      case CurveBandEvent::Ip:
        ResetCurveBand(plot_, station_, row_);
        Next(sx - 1.5, cy);
        LengthAtCentre("L=");
        Line();
        Next(plot_.BandNextX + 1.5, plot_.BandLastY + p_.BandOffset);
        IpLabel();
        Line();
        Next(sx + 1.5, cy);
        Line();
        Close();
        break;
      case CurveBandEvent::None:
        break;
    }
    if (chainage_ >= p_.ProfileEndChainage) End(cy, h);
    return std::move(marks_);
  }

 private:
  double Digits() const { return p_.ProfileItemDigits(kBandItem); }
  std::string Number(double v) const { return DecimalsText(v, Digits()); }
  double Width(const std::string& text) const { return static_cast<double>(text.size()) * t_ * w_; }

  void Next(double x, double y) {
    plot_.BandNextX = x;
    plot_.BandNextY = y;
  }
  void Close() { plot_.BandLastChainage = chainage_; }
  void Line() {
    marks_.push_back(SectionMark::Line(SectionMark::Kind::PlanLine, plot_.BandLastX, plot_.BandLastY,
                                       plot_.BandNextX, plot_.BandNextY));
    plot_.BandLastX = plot_.BandNextX;
    plot_.BandLastY = plot_.BandNextY;
  }
  void Text(double x, double y, std::string text) {
    marks_.push_back(SectionMark::Text(x, y, t_, w_, 0, std::move(text)));
  }

  // The straight up to the station, then the step to the curve's level.
  void Step(double sx, double cy, const char* label) {
    Next(sx, cy);
    LengthAtCentre(label);
    Line();
    Next(plot_.BandLastX, plot_.BandLastY + p_.BandOffset);
    Line();
    Close();
  }

  // The length since the last event, each end rounded to the band's decimals.
  std::string Length() const {
    const double k = std::pow(10.0, Digits());
    auto rounded = [&](double v) { return std::floor(v * k + 0.5) / k; };
    return Number(rounded(chainage_) - rounded(plot_.BandLastChainage));
  }
  void WriteLength(const std::string& label) {
    const std::string text = label + Length();
    const double x = (plot_.BandLastX + plot_.BandNextX) / 2 - Width(text) / 2;
    plot_.BandTextX = x;
    Text(x, plot_.LineStartY, text);
  }
  void LengthAtCentre(const std::string& label) {
    plot_.LineStartY = p_.BandCentreY;
    WriteLength(label);
  }

  void ClothoidTexts(const std::string& label, const std::string& parameter, double a) {
    plot_.LineStartY = p_.BandCentreY - t_ * Sign(plot_.IntersectionAngle);
    WriteLength(label);
    plot_.LineStartY -= t_;
    Text(plot_.BandTextX, plot_.LineStartY, parameter + Number(a));
  }

  // "CL=" under the curve from `baseY` up, the IP texts `lines` lines above
  // it and, with `tangents`, "TL=" and "SL=" between.
  void CurveLengthBlock(double baseY, int lines, bool tangents) {
    Next(p_.BandStationX, plot_.BandLastY);
    plot_.LineStartY = baseY;
    WriteLength("CL=");
    plot_.LineStartY += lines * t_;
    IpTexts();
    if (tangents) TangentTexts();
  }

  // "IP.n"; one line lower "IA=" and "R=" (only for a curve the route table holds).
  void IpTexts() {
    const double x = plot_.BandTextX;
    Text(x, plot_.LineStartY, "IP." + plot_.BandIpNumber);
    plot_.LineStartY -= t_;
    if (!plot_.BandCurveFound) return;
    const std::string angle = "IA=" + plot_.FormattedAngle;
    Text(x, plot_.LineStartY, angle);
    Text(x + Width(angle) + 4, plot_.LineStartY, "R=" + Number(plot_.CurveRadius));
  }
  void TangentTexts() {
    plot_.LineStartY -= t_;
    if (!plot_.BandCurveFound) return;
    const std::string tangent = "TL=" + Number(std::fabs(plot_.TangentLength));
    Text(plot_.BandTextX, plot_.LineStartY, tangent);
    Text(plot_.BandTextX + Width(tangent) + 4, plot_.LineStartY, "SL=" + Number(plot_.SecantLength));
  }
  void IpLabel() {
    plot_.LineStartY = p_.BandCentreY - t_ * Sign(plot_.IntersectionAngle);
    const std::string ip = "IP." + plot_.BandIpNumber;
    const double x = plot_.BandNextX - Width(ip) / 2;
    Text(x, plot_.LineStartY, ip);
    if (plot_.BandCurveFound) Text(x, plot_.LineStartY - t_, "IA=" + plot_.FormattedAngle);
  }

  // The window's end: the band runs on to the end station.
  void End(double cy, double h) {
    Next(p_.BandStationX, plot_.BandLastY);
    if (plot_.BandNextY == cy) {
      LengthAtCentre("L=");
    } else {
      CurveLengthBlock(cy - h / 2 + 2, 3, true);
    }
    Line();
  }

  SectionPlot& plot_;
  const profile::State& p_;
  int station_;
  int row_;
  double chainage_;
  double t_, w_;
  SectionMarks marks_;
};

}  // namespace

std::optional<std::string> BandIpNumberOf(std::string_view name) {
  size_t at = 0;
  while (at < name.size() && !std::isdigit(static_cast<unsigned char>(name[at]))) {
    // A double-byte character is passed over whole.
    const unsigned char c = static_cast<unsigned char>(name[at]);
    at += ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && at + 1 < name.size() ? 2 : 1;
  }
  if (at >= name.size()) return std::nullopt;
  return RtTrim(RtStr(RtVal(name.substr(at))));
}

CurveBandEvent CurveBandEventOf(std::string_view name) {
  if (!BandIpNumberOf(name)) return CurveBandEvent::None;
  const char last = name.back();
  if (StartsWith(name, "BC")) return CurveBandEvent::CurveStart;
  if (StartsWith(name, "EC")) return CurveBandEvent::CurveEnd;
  if (StartsWith(name, "KA") && last == '1') return CurveBandEvent::EntryStart;
  if (StartsWith(name, "KE") && last == '1') return CurveBandEvent::EntryEnd;
  if (StartsWith(name, "KE") && last == '2') return CurveBandEvent::ExitStart;
  if (StartsWith(name, "KA") && last == '2') return CurveBandEvent::ExitEnd;
  if (StartsWith(name, "IP")) return CurveBandEvent::Ip;
  return CurveBandEvent::None;
}

void ResetCurveBand(SectionPlot& plot, int point, int row) {
  App& app = plot.app;
  const double half = app.profile.ProfileRowHeight(row) / 2.0 - 1;
  const std::optional<std::string> number = BandIpNumberOf(app.points.PointName(point));
  if (!number) return;  // no curve point: the band goes on as it was
  plot.CurveRadius = plot.ClothoidA1 = plot.ClothoidA2 = 0;
  plot.BandIpNumber = *number;
  const int k = IpRowOf(app.route, *number);
  plot.BandCurveFound = k != 0;
  if (k == 0) {
    // No route row: nothing of an earlier curve is written for this one.
    plot.IntersectionAngle = 0;
    app.profile.BandOffset = half;
    plot.TangentLength = plot.SecantLength = 0;
    plot.FormattedAngle.clear();
    return;
  }
  const route::State& route = app.route;
  plot.IntersectionAngle = IntersectionAngleOf(route.RouteLabel(k));
  plot.CurveRadius = route.RouteValue(k + 1);
  plot.ClothoidA1 = route.RouteValue(k + 2);
  plot.ClothoidA2 = route.RouteValue(k + 3);
  app.profile.BandOffset = half * Sign(plot.IntersectionAngle);
  const double a = DmsToDegrees(plot.IntersectionAngle);
  plot.TangentLength = TanDegrees(a / 2) * plot.CurveRadius;
  plot.SecantLength = (1 / CosDegrees(a / 2) - 1) * plot.CurveRadius;
  plot.FormattedAngle = RtTrim(FormatAngleOf(app, DmsToDegrees(std::fabs(plot.IntersectionAngle)) + 0.00005));
}

SectionMarks CurveBandStationMarks(SectionPlot& plot, int station) { return BandStep(plot, station).Run(); }

void WriteCurveBandStation(SectionPlot& plot, int station) {
  DrawSectionMarks(plot, CurveBandStationMarks(plot, station));
  plot.RowValueText.clear();
}

}  // namespace profile
