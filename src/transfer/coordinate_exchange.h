// Choice 2 of the transfer menu: plain coordinate lists over the link, sent in
// the port layout of the point list and received line by line as new points.
#pragma once

#include <string>
#include <string_view>

#include "core/control.h"

struct App;

namespace transfer {

struct PortPoint {
  std::string name;
  double x = 0;
  double y = 0;
  double z = 0;
  bool operator==(const PortPoint&) const = default;
};

// A received coordinate line: leading blanks off, the name its first 8 bytes
// (7 when the 8th would split a double-byte character), X, Y and H the first
// three blank-separated numbers after it (a missing or non-numeric one is 0).
// Fits the own send's layout and a peer that writes X right behind the name.
PortPoint ParsePortCoordinateLine(std::string_view line);

// A line that ends a coordinate receive: one beginning with DC2, or the CHR$(26)
// line that closes the own send.
bool EndsCoordinateReceive(std::string_view line);

}  // namespace transfer

// " 1:Dｿｳｼﾝ  2:Dｼﾞｭｼﾝ ": 1 sends the selected points, 2 receives points from
// the start number on with attribute "98"; anything else goes back to the
// transfer menu. The receive ends at its end line, or when the peer falls quiet
// after a line; a silent peer is reported as a failure.
Jump CoordinateCommMenu(App& app);
