#include "profile/row_values.h"

#include <cmath>

#include "core/app.h"
#include "core/numeric.h"
#include "profile/dxf_writers.h"
#include "route/plan_height.h"
#include "runtime/text.h"

namespace profile {

namespace {

// The single distance's start, which no distance can be.
constexpr double kNoDistance = 99999999999;

// The profile code of a point: character 2 of its attribute.
char CodeOf(const std::string& attribute) { return attribute.size() >= 2 ? attribute[1] : ' '; }

// The last character of a CP932 text (one or two bytes); empty for "".
std::string_view LastCharacter(std::string_view s) {
  size_t start = 0, at = 0;
  while (at < s.size()) {
    start = at;
    const bool pair = rt::IsLeadByte(static_cast<unsigned char>(s[at])) && at + 1 < s.size() &&
                      rt::IsTrailByte(static_cast<unsigned char>(s[at + 1]));
    at += pair ? 2 : 1;
  }
  return s.substr(start, at - start);
}

}  // namespace

double RoundToDecimals(double v, double d) {
  const double scale = std::pow(10.0, d);
  return std::floor(v * scale + 0.5) / scale;
}

StationSteps StationStepsOf(double c, double h, double prevC, double prevH, const RtTable<int16_t>& digits) {
  StationSteps s;
  if (c <= 0) return s;
  s.heightStep = RoundToDecimals(h, digits(4)) - RoundToDecimals(prevH, digits(4));
  s.chainageStep = RoundToDecimals(c, digits(3)) - RoundToDecimals(prevC, digits(3));
  s.slopeLength = RoundToDecimals(std::sqrt(s.heightStep * s.heightStep + s.chainageStep * s.chainageStep),
                                  digits(6));
  s.slopeAngle = ArcCosDegrees(s.chainageStep / (s.slopeLength + 1e-12));
  s.slopePercent = s.heightStep / (s.chainageStep + 1e-13) * 100;
  return s;
}

std::vector<PlanPoint> PlanPointsOf(const App& app) {
  const points::Store& p = app.points;
  std::vector<PlanPoint> plan;
  for (int j = 1; j <= p.PointCount; ++j) {
    if (CodeOf(p.PointAttribute(j)) == '5') plan.push_back({j, p.PointY(j)});
  }
  return plan;
}

SingleDistance SingleDistanceOf(const std::vector<PlanPoint>& plan, int station, double c, double decimals,
                                bool pairSecond) {
  SingleDistance s;
  for (const PlanPoint& point : plan) {
    if (point.number == station) continue;
    const double y = point.chainage;
    if (c == 0) {
      s.distance = 0;
      break;
    }
    if (y == c && !s.pairFound && !pairSecond) s.pairFound = true;
    if (s.pairFound) continue;
    if (c > 0 && y < c && c - y < s.distance) {
      s.distance = RoundToDecimals(c, decimals) - RoundToDecimals(y, decimals);
    } else if (c < 0 && y > c && y - c < s.distance) {
      s.distance = RoundToDecimals(y, decimals) - RoundToDecimals(c, decimals);
    }
  }
  s.known = s.distance != kNoDistance;
  return s;
}

std::string StationNameOf(std::string_view name, double c, double interval, bool plusStake, double decimals,
                          double width) {
  const int w = static_cast<int>(std::trunc(width));
  if (w < 1) return "";
  if (plusStake) {
    const std::string_view t = LastCharacter(rt::TrimmedView(name));
    const bool keeps = t.size() == 1 && (t[0] == '.' || t[0] == 'P' || rt::IsDigit(t[0]));
    if (!keeps) {
      const double plus = c - std::floor(c / interval) * interval;
      return "+" + RtTrim(FieldTextOf(plus, decimals, width));
    }
  }
  return rt::CutBytes(name, w);
}

void ComputeStationQuantities(SectionPlot& plot, int station) {
  App& app = plot.app;
  const points::Store& p = app.points;
  const double c = p.PointY(station);
  const double h = p.PointX(station);
  const StationSteps s = StationStepsOf(c, h, p.PointY(station - 1), p.PointX(station - 1),
                                        app.profile.ProfileItemDigits);
  plot.ProfileHeightStep = s.heightStep;
  plot.ProfileSlopeLength = s.slopeLength;
  plot.ProfileSlopeAngle = s.slopeAngle;
  plot.ProfileSlopePercent = s.slopePercent;
  if (c <= 0) {
    plot.ProfileSlopeTotal = 0;
  } else {
    plot.ProfileChainageStep = s.chainageStep;
    plot.ProfileSlopeTotal += s.slopeLength;
  }
  plot.PlanHeightKnown = 0;
  const double end = app.profile.GradeLineEnd;
  if (end != 0 && app.route.VerticalTable(0) <= c && c <= end) {
    app.route.ProfileChainage = c;
    if (PlanHeightAtChainage(app)) {
      plot.StationPlanHeight = app.points.WorkPointZ;
      const RtTable<int16_t>& d = app.profile.ProfileItemDigits;
      plot.PlanMinusGround = RoundToDecimals(plot.StationPlanHeight, d(11)) - RoundToDecimals(h, d(4));
      plot.PlanHeightKnown = 1;
    }
  }
}

bool ComputeRowValue(SectionPlot& plot, int station, int row, const std::vector<PlanPoint>& plan) {
  const App& app = plot.app;
  const profile::State& s = app.profile;
  const points::Store& p = app.points;
  const int kind = s.ProfileRowItem(row);
  if (kind == 0 || kind == 14 || kind == 10 || kind > 15 || kind < 0) {
    plot.RowValueText.clear();
    return false;
  }
  SizeRowValue(plot, row);
  const double c = p.PointY(station);
  const bool second = plot.PairSecond == 1;
  const bool planKnown = plot.PlanHeightKnown == 1;
  double value = 0;
  switch (kind) {
    case 1:
      plot.RowValueText = StationNameOf(p.PointName(station), c, plot.StationInterval,
                                        s.ProfilePlusStakeNames != 0, s.ProfileItemDigits(3), plot.RowCharCount);
      return !plot.RowValueText.empty();
    case 2: {
      if (CodeOf(p.PointAttribute(station)) == '7') return false;
      const SingleDistance d = SingleDistanceOf(plan, station, c, s.ProfileItemDigits(2), second);
      plot.ProfileSingleDistance = d.distance;
      if (d.pairFound) plot.PairFound = 1;
      if (second) plot.SuppressRowValue = 1;
      // With no plan point on its side the station has no single distance.
      if (!d.known) return false;
      value = d.distance;
      break;
    }
    case 3:
      if (second) plot.SuppressRowValue = 1;
      value = c;
      break;
    case 4: value = p.PointX(station); break;
    case 5: value = plot.ProfileSlopeLength; break;
    case 6: value = plot.ProfileSlopeTotal; break;
    case 7: value = plot.ProfileHeightStep; break;
    case 8: value = plot.ProfileSlopeAngle; break;
    case 9:
      // A vertical step has no gradient.
      if (c > 0 && plot.ProfileChainageStep == 0) return false;
      value = plot.ProfileSlopePercent;
      break;
    case 11:
      if (!planKnown) return false;
      if (second) plot.SuppressRowValue = 1;
      value = plot.StationPlanHeight;
      break;
    case 12:
      if (!planKnown || plot.PlanMinusGround > 0) return false;
      value = std::fabs(plot.PlanMinusGround);
      break;
    case 13:
      if (!planKnown || plot.PlanMinusGround <= 0) return false;
      value = std::fabs(plot.PlanMinusGround);
      break;
    case 15:
      if (!planKnown) return false;
      value = plot.PlanMinusGround;
      break;
  }
  plot.RowValueText = RowValueTextOf(plot, value, s.ProfileItemDigits(kind));
  return true;
}

}  // namespace profile
