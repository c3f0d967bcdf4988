// Choice 3 of the transfer menu: points in SIMA records over the link. The send
// writes the selected points as one coordinate block (G00, A00, one A01 a point,
// A99); the receive reads a SIMA stream field by field and stores every A01
// record as a new point.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/control.h"

struct App;

namespace transfer {

// "A01,##### ,&      &,########.#### ,########.#### ,#######.#### ,": the number,
// the name without leading blanks in 8 bytes (whole characters), X, Y and Z.
std::string SimaPortPointRecord(int number, std::string_view name, double x, double y, double z);

// The record tag a received field stands for: the text after the field's last
// line end, or the whole field when it is the first of the stream; "" for a
// field inside a record. Only a record's first field is a tag, so a job name or
// a point name ending in A01 opens no record.
std::string SimaTagOf(std::string_view field, bool firstOfStream);

struct SimaPortPoint {
  std::string name;
  double x = 0;
  double y = 0;
  double z = 0;
  bool operator==(const SimaPortPoint&) const = default;
};

// The receive's reading of the stream, one byte at a time: fields end at
// commas, half-width blanks are dropped, line ends stay in the field that
// follows them. An A01 record gives its point after its Z field; A99 ends the
// coordinate block.
class SimaStreamReader {
 public:
  enum class Event { None, Point, End };
  Event Feed(char byte);
  const SimaPortPoint& point() const { return point_; }

 private:
  Event FieldDone(const std::string& field);

  std::string field_;
  bool firstOfStream_ = true;
  int recordField_ = -1;  // -1: looking for a tag; 0-4: number, name, X, Y, Z
  SimaPortPoint point_;
};

}  // namespace transfer

// " 1:SIMAｿｳｼﾝ  2:SIMAｼﾞｭｼﾝ ": 1 sends, 2 receives; anything else goes back
// to the transfer menu.
Jump SimaCommMenu(App& app);
