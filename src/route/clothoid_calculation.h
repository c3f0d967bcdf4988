// Route menu 3: one clothoid laid out from a base point, its end KE and the
// centre M of the circle that continues it, then points at any length along
// it and at any offset across it.
#pragma once

#include "core/control.h"
#include "route/clothoid.h"

struct App;

namespace route {

// The point at arc length `length` of the clothoid of signed parameter a that
// starts at (x, y) in direction `direction`, `offset` to the right of it.
GroundPoint ClothoidLayoutPointOf(double x, double y, double direction, double a, double length,
                                  double offset);

}  // namespace route

// Base point and direction, A and R (0 is asked again), KE and M registered,
// then "L=" and "W=" until Enter at "L=" asks a new base point; "%" at the base
// point and "Q" at "W=" leave for the route menu.
Jump ClothoidCalculation(App& app);
