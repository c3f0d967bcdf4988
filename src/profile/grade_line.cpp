#include "profile/grade_line.h"

#include <algorithm>
#include <cmath>

#include "core/app.h"
#include "core/numeric.h"
#include "route/plan_height.h"
#include "runtime/numtext.h"

namespace profile {

namespace {

constexpr int kLengthItem = 3;     // chainage: the decimals of lengths
constexpr int kGradientItem = 14;  // gradient: the decimals of gradients and ordinates
constexpr double kTextHeight = 3;  // the grade line's texts keep their own size
constexpr double kTextWidth = 0.7;
constexpr double kSampleTolerance = 1e-9;

double Sign(double v) { return (v > 0) - (v < 0); }

double TextLength(const std::string& text) { return static_cast<double>(text.size()) * kTextHeight * kTextWidth; }

// Walks the change points and gathers the marks.
class GradeLineWalk {
 public:
  explicit GradeLineWalk(const App& app)
      : table_(app.route.VerticalTable),
        profile_(app.profile),
        paper_(SectionPaperOf(app)),
        row_(GradientRowOf(app)),
        points_(app.points) {}

  SectionMarks Run() {
    // A table the plan heights cannot be read from gives no grade line.
    if (!route::PlanHeightOf(table_, TD(0)).ok) return {};
    from_ = {TD(0), Z(0)};
    marks_.push_back(SectionMark::Column(TD(0), 0, Z(0), Z(0)));
    diagramX_ = paper_.X(TD(0)) + row_.halfHeight - 0.7;
    diagramY_ = row_.baseY + row_.halfHeight;
    for (int j = 1; 3 * j + 2 <= 998; ++j) {
      if (!ChangePoint(j)) break;
    }
    return std::move(marks_);
  }

 private:
  double TD(int j) const { return table_(3 * j); }
  double Z(int j) const { return table_(3 * j + 1); }
  double VCL(int j) const { return table_(3 * j + 2); }
  double Digits(int item) const { return profile_.ProfileItemDigits(item); }
  route::PlanHeight PlanAt(double chainage) const { return route::PlanHeightOf(table_, chainage).value; }

  void Segment(double chainage, double height) {
    marks_.push_back(SectionMark::Line(SectionMark::Kind::PlanSegment, from_.first, from_.second, chainage, height));
    from_ = {chainage, height};
  }

  // Returns false after the closing change point.
  bool ChangePoint(int j) {
    marks_.push_back(SectionMark::Column(TD(j), 0, PlanAt(TD(j)).height, Z(j)));
    if (row_.found) Diagram(j);
    const double vcl = VCL(j);
    if (vcl == route::kClosingVcl) {
      Segment(TD(j), PlanAt(TD(j)).height);
      return false;
    }
    const double start = TD(j) - vcl / 2;
    const route::PlanHeight atStart = PlanAt(start);
    Segment(start, atStart.height);
    if (vcl != 0) Curve(j, start, atStart);
    return true;
  }

  // The gradient diagram of the segment ending at change point j, and its texts.
  void Diagram(int j) {
    const double length = TD(j) - TD(j - 1), rise = Z(j) - Z(j - 1);
    const double r = row_.halfHeight - 0.7, yc = row_.baseY + row_.halfHeight;
    const double a = length / paper_.scale * 1000 * 0.1;
    const double x1 = diagramX_ + a, y1 = diagramY_ + r * Sign(-rise);
    const double x2 = paper_.X(TD(j)) - r - a, y2 = yc + r * Sign(rise);
    PlanLine(diagramX_, diagramY_, x1, diagramY_);
    PlanLine(x1, diagramY_, x1, y1);
    PlanLine(x1, y1, x2, y2);
    const double dx = x2 - x1, dy = y2 - y1;
    double angle = SlopeAngle(dx, dy);
    const std::string grade = GradeText(rise, length, Digits(kGradientItem));
    const double x = (x1 + x2) / 2 - TextLength(grade) / 2;
    double y = y1 + dy / (dx + 1e-10) * (x - x1);
    if (dx < 10) {
      y = y1;
      angle = 0;
    }
    marks_.push_back(SectionMark::Text(x, y, kTextHeight, kTextWidth, angle, grade));
    marks_.push_back(SectionMark::Text(x, y - 3, kTextHeight, kTextWidth, angle,
                                       "L=" + DecimalsText(length, Digits(kLengthItem)) + "m"));
    PlanLine(x2, y2, x2, yc);
    PlanLine(x2, yc, paper_.X(TD(j)) - r, yc);
    diagramX_ = paper_.X(TD(j)) + r;
    diagramY_ = yc;
  }

  void PlanLine(double x1, double y1, double x2, double y2) {
    marks_.push_back(SectionMark::Line(SectionMark::Kind::PlanLine, x1, y1, x2, y2));
  }
  void FrameLine(double x1, double y1, double x2, double y2) {
    marks_.push_back(SectionMark::Line(SectionMark::Kind::FrameLine, x1, y1, x2, y2));
  }

  void Curve(int j, double start, const route::PlanHeight& atStart) {
    const double vcl = VCL(j), end = start + vcl, td = TD(j), z = Z(j);
    const double gradeIn = atStart.incoming_grade, gradeOut = atStart.outgoing_grade;
    const double lowY = std::min(paper_.Y(atStart.height), paper_.Y(PlanAt(end).height));
    const double x1 = paper_.X(start), x2 = x1 + vcl / paper_.scale * 1000;
    const std::string length = "VCL=" + FormatDecimals(vcl, Digits(kLengthItem));
    const double textX = (x1 + x2) / 2 - TextLength(length) / 2;
    double lineY = lowY - profile_.ProfileLeaderLength;
    if (lineY < profile_.ProfileDatumY + 5) lineY = profile_.ProfileDatumY + 7;
    FrameLine(x1, lineY, x2, lineY);
    FrameLine(x1, lineY, x1 + 3, lineY + 0.6);
    FrameLine(x2 - 3, lineY + 0.6, x2, lineY);
    marks_.push_back(SectionMark::Text(textX, lineY - 3, kTextHeight, kTextWidth, 0, length));
    marks_.push_back(SectionMark::Text(textX, lineY - 6, kTextHeight, kTextWidth, 0,
                                       CurveRadiusText(vcl, gradeIn, gradeOut)));

    auto ordinate = [&](double chainage, double height) {
      const double o = CurveOrdinate(height, chainage, td, z, gradeIn, gradeOut);
      marks_.push_back(SectionMark::Text(paper_.X(chainage), lineY + 5, kTextHeight, kTextWidth, 90,
                                         OrdinateText(o, Digits(kGradientItem))));
    };
    for (const CurveSample& s : VerticalCurveSamples(vcl, profile_.ProfileAuxPointInterval)) {
      // The ends and the middle are the table's own chainages, not sums.
      const double x = s.middle ? td : s.end ? (s.offset == 0 ? start : end) : start + s.offset;
      const double height = PlanAt(x).height;
      Segment(x, height);
      const double mode = s.end ? -2 : s.middle ? profile_.ProfileDatumY - lineY : 2;
      if (s.auxiliary) {
        FrameLine(paper_.X(x), paper_.Y(height), paper_.X(x), lineY + mode);
        ordinate(x, height);
      }
      if (mode != 2) marks_.push_back(SectionMark::Column(x, mode, height, z));
    }
    // The section's own points inside the curve get their ordinate too.
    for (int i = 1; i <= points_.PointCount; ++i) {
      const double c = points_.PointY(i);
      const std::string& attribute = points_.PointAttribute(i);
      const bool sectionPoint = attribute.size() >= 2 && (attribute[1] == '5' || attribute[1] == '7');
      if (sectionPoint && start < c && c < end) ordinate(c, PlanAt(c).height);
    }
  }

  const RtTable<double>& table_;
  const profile::State& profile_;
  SectionPaper paper_;
  GradientRow row_;
  const points::Store& points_;
  SectionMarks marks_;
  std::pair<double, double> from_;
  double diagramX_ = 0, diagramY_ = 0;
};

}  // namespace

GradientRow GradientRowOf(const App& app) {
  const profile::State& p = app.profile;
  GradientRow row;
  double offset = p.ProfileDatumGap;
  for (int r = 0; r <= p.ProfileLastRow; ++r) {
    offset += p.ProfileRowHeight(r) + p.ProfileRowSpacing;
    if (p.ProfileRowItem(r) != kGradientItem) continue;
    row.found = true;
    row.halfHeight = p.ProfileRowHeight(r) / 2.0;
    row.baseY = p.ProfileDatumY - offset + (p.ProfileRowSpacing != 0 ? p.ProfileRowSpacing : 0.7);
  }
  return row;
}

std::vector<CurveSample> VerticalCurveSamples(double length, double interval) {
  if (interval <= 0) interval = length / 2;
  // An interval far below the curve's length would flood the drawing with
  // ordinates; no drawing shows more than this many along one curve.
  constexpr double kMostAuxiliaryPoints = 10000;
  if (length > 0 && length / interval > kMostAuxiliaryPoints) interval = length / kMostAuxiliaryPoints;
  std::vector<CurveSample> samples;
  for (double k = 0; k <= length + kSampleTolerance; ++k) samples.push_back({k});
  for (double n = 0; n * interval <= length + kSampleTolerance; ++n) samples.push_back({n * interval, true});
  samples.push_back({length / 2, false, true});
  samples.push_back({length, false, false, true});
  std::stable_sort(samples.begin(), samples.end(),
                   [](const CurveSample& a, const CurveSample& b) { return a.offset < b.offset; });
  std::vector<CurveSample> merged;
  for (const CurveSample& s : samples) {
    if (!merged.empty() && s.offset - merged.back().offset <= kSampleTolerance) {
      CurveSample& m = merged.back();
      m.auxiliary = m.auxiliary || s.auxiliary;
      m.middle = m.middle || s.middle;
      m.end = m.end || s.end;
      continue;
    }
    merged.push_back(s);
  }
  merged.front().end = true;
  merged.back().offset = length;
  merged.back().end = true;
  return merged;
}

double CurveOrdinate(double curveHeight, double chainage, double td, double z, double gradeIn,
                     double gradeOut) {
  const double grade = chainage <= td ? gradeIn : gradeOut;
  return curveHeight - (z + (chainage - td) * grade);
}

std::string OrdinateText(double ordinate, double digits) {
  std::string sign = ordinate > 0 ? "y=+" : "y=-";
  if (std::floor(ordinate * 1000 + 0.5) / 1000 == 0) sign = "y=±";
  return sign + DecimalsText(std::fabs(ordinate), digits);
}

std::string GradeText(double rise, double length, double digits) {
  if (rise == 0) return "Level";
  return "i=" + DecimalsText(rise / length * 100, digits) + "%";
}

std::string CurveRadiusText(double length, double gradeIn, double gradeOut) {
  return "VCR=" + RtStr(std::floor(std::fabs(length / (gradeOut - gradeIn + 1e-12)) + 0.5));
}

double SlopeAngle(double dx, double dy) {
  if (dx == 0 && dy == 0) return 0;
  return ArcCosDegrees(dx / std::sqrt(dx * dx + dy * dy) + 1e-10) * Sign(dy);
}

SectionMarks GradeLineMarks(const App& app) { return GradeLineWalk(app).Run(); }

void WriteProfileGradeLine(SectionPlot& plot) {
  DrawSectionMarks(plot, GradeLineMarks(plot.app));
  plot.StationColumnMode = 0;
}

}  // namespace profile
