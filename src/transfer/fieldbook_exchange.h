// Choices 5 and 6 of the transfer menu: the field book's lines to and from a
// data collector, and points as comma-separated E30 records.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/control.h"

struct App;

namespace transfer {

// What a received field-book line is to the receive.
enum class ReceivedLine {
  Data,  // stored
  Skip,  // an empty line, or the STX line that opens the data send
  End,   // a line beginning with DC2, SUB (the field-book send) or ETX (the data send)
};
ReceivedLine KindOfReceivedLine(std::string_view line);

// A field-book line split as it is stored: `wholeLine` puts the whole line in
// the record (the attribute is not given); otherwise bytes 1-44 are the record
// and 45-64 the attribute, the rest dropped.
struct FieldBookLine {
  std::string record;
  std::optional<std::string> attribute;
  bool operator==(const FieldBookLine&) const = default;
};
FieldBookLine SplitReceivedFieldBookLine(std::string_view line, bool wholeLine);

// "E30SO," + name + "," + X + "," + Y + "," + height + "," + attribute + ",", the
// numbers in their number text (a blank before one that is not negative).
std::string E30Record(std::string_view name, double x, double y, double z,
                      std::string_view attribute);

struct E30Point {
  std::string name;
  double x = 0;
  double y = 0;
  double z = 0;
  std::string attribute;
  bool operator==(const E30Point&) const = default;
};

// A line beginning with "E30" split at its commas, the empty field after a
// closing comma dropped: tag, name, X, Y, height and the attribute (the fields
// after the height, joined with their commas again). Nothing when fields up to
// the height are missing.
std::optional<E30Point> ParseE30Record(std::string_view line);

}  // namespace transfer

// " 1:Yｼﾞｭｼﾝ  1.1:他ｼﾞｭｼﾝ  2:Yｿｳｼﾝ ": the field book received (1: split lines,
// 1.1: whole lines) or sent with a closing SUB line; anything else goes back to
// the transfer menu.
Jump FieldBookCommMenu(App& app);

// " 1:ﾃﾞｰﾀ受信  2:ﾃﾞｰﾀ送信  3:座標受信  4:座標送信  5:SDﾌｧｲﾙ ": the field book's
// whole lines received, or sent between STX and ETX; points received from and
// sent as E30 records; the ".SD" file menu. Anything else goes back to the
// transfer menu.
Jump SdCommMenu(App& app);
