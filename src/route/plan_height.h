// The plan height of the vertical alignment at a chainage: the grade line
// through the change points (TD, Z, VCL triples), rounded at each change point
// by a parabola of length VCL; the change point with VCL 9999 closes the table.
#pragma once

#include <string>

#include "runtime/table.h"

struct App;

namespace route {

constexpr double kClosingVcl = 9999;  // the VCL that marks the closing change point

struct PlanHeight {
  double height = 0;
  double incoming_grade = 0;   // from change point j-1 to j
  double outgoing_grade = 0;   // from change point j to j+1; the last grade at the closing point
  double curve_start = 0;      // BC; 1e99 at the closing change point
  double curve_end = 0;        // EC
  double curve_length = 0;     // VCL; 0 at the closing change point
  int change_point = 0;        // j, the change point where the walk stopped
  bool inside_curve = false;
  double distance_into_curve = 0;  // x = TD - BC, only inside a curve
};

struct PlanHeightResult {
  bool ok = false;
  PlanHeight value;
  std::string message;  // why the table gives no height, naming the change point
};

// The plan height at chainage `td` from the change points in `table`. A table
// without a closing change point, with fewer than two change points, or whose
// TDs do not increase up to the closing point gives no height but a message.
// No grade is taken from beyond the closing change point: the last grade goes
// on past it in both the height and the outgoing grade.
PlanHeightResult PlanHeightOf(const RtTable<double>& table, double td);

}  // namespace route

// WorkPointZ, IncomingGrade, OutgoingGrade, CurveStartChainage and the working
// values at ProfileChainage. A table that gives no height prints its message,
// leaves WorkPointZ 0 and returns false.
bool PlanHeightAtChainage(App& app);
