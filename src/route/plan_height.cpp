#include "route/plan_height.h"

#include "core/app.h"
#include "runtime/console.h"
#include "runtime/numtext.h"

namespace route {

namespace {

constexpr int kLastTripleStart = 996;  // indexes 996 to 998 hold the last whole change point

std::string Numbered(int j) { return "変化点NO." + RtNumText(j); }

}  // namespace

PlanHeightResult PlanHeightOf(const RtTable<double>& t, double td) {
  PlanHeightResult result;
  auto TD = [&](int j) { return t(3 * j); };
  auto Z = [&](int j) { return t(3 * j + 1); };
  auto VCL = [&](int j) { return t(3 * j + 2); };

  // The table is checked whole first, so that a fault shows at every chainage.
  int closing = -1;
  for (int j = 1; 3 * j <= kLastTripleStart && closing < 0; ++j) {
    if (VCL(j) == kClosingVcl) closing = j;
  }
  if (closing < 0) {
    result.message = VCL(0) == kClosingVcl
                         ? Numbered(0) + "で終わっています。変化点は2点以上必要です。"
                         : std::string("終了の変化点(曲長 9999)がありません。");
    return result;
  }
  for (int j = 1; j <= closing; ++j) {
    if (TD(j) <= TD(j - 1)) {
      result.message = Numbered(j) + "の追加距離が前の変化点より大きくありません。";
      return result;
    }
  }

  auto Grade = [&](int a, int b) { return (Z(b) - Z(a)) / (TD(b) - TD(a)); };
  for (int j = 1; j <= closing; ++j) {
    PlanHeight& v = result.value;
    double L = VCL(j);
    double bc = TD(j) - L / 2;
    const double ec = bc + L;
    if (j == closing) {
      L = 0;
      bc = 1e99;
    }
    v.curve_start = bc;
    v.curve_end = ec;
    v.curve_length = L;
    v.change_point = j;
    if (td >= bc && td >= ec) continue;  // past this change point's curve
    v.incoming_grade = Grade(j - 1, j);
    v.outgoing_grade = j == closing ? v.incoming_grade : Grade(j, j + 1);
    const double i1 = v.incoming_grade;
    const double i2 = v.outgoing_grade;
    if (td < bc) {
      v.height = Z(j - 1) + (td - TD(j - 1)) * i1;
    } else {  // bc <= td < ec, so L > 0
      const double x = td - bc;
      v.inside_curve = true;
      v.distance_into_curve = x;
      v.height = Z(j) - L * i1 / 2 + i1 * x - (i1 - i2) / (2 * L) * x * x;
    }
    result.ok = true;
    return result;
  }
  return result;  // not reached: the closing change point always stops the walk
}

}  // namespace route

bool PlanHeightAtChainage(App& app) {
  route::State& r = app.route;
  const route::PlanHeightResult result = route::PlanHeightOf(r.VerticalTable, r.ProfileChainage);
  if (!result.ok) {
    app.points.WorkPointZ = 0;
    RtPrintStr(" " + result.message, true);
    return false;
  }
  const route::PlanHeight& v = result.value;
  app.points.WorkPointZ = v.height;
  r.IncomingGrade = v.incoming_grade;
  r.OutgoingGrade = v.outgoing_grade;
  r.CurveStartChainage = v.curve_start;
  r.CurveEndChainage = v.curve_end;
  r.VerticalCurveLength = v.curve_length;
  r.ChangePointIndex = 3 * v.change_point;
  if (v.inside_curve) r.DistanceIntoCurve = v.distance_into_curve;
  return true;
}
