#include "transfer/coordinate_exchange.h"

#include <vector>

#include "core/app.h"
#include "core/routines.h"
#include "files/point_list.h"
#include "points/selection.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "transfer/link.h"
#include "transfer/start_number.h"
#include "transfer/transfer_menu.h"
#include "ui/input.h"
#include "ui/navigator.h"

namespace transfer {

namespace {

constexpr int kNameBytes = 8;
const std::string kFullWidthBlank = "\x81\x40";

// The blank-separated words of `text` (half- and full-width blanks), whole
// characters kept together.
std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (std::size_t i = 0; i < text.size();) {
    const bool lead = rt::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
    const std::string_view c = text.substr(i, lead ? 2 : 1);
    i += c.size();
    if (c == " " || c == kFullWidthBlank) {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

}  // namespace

PortPoint ParsePortCoordinateLine(std::string_view line) {
  const std::size_t start = line.find_first_not_of(' ');
  line.remove_prefix(start == std::string_view::npos ? line.size() : start);
  PortPoint point;
  point.name = rt::CutBytes(line, kNameBytes);
  const std::vector<std::string> numbers = Words(line.substr(point.name.size()));
  double* const targets[] = {&point.x, &point.y, &point.z};
  for (std::size_t i = 0; i < 3 && i < numbers.size(); ++i) *targets[i] = FieldNumber(numbers[i]);
  return point;
}

bool EndsCoordinateReceive(std::string_view line) {
  return line.starts_with('\x12') || line == "\x1a";
}

}  // namespace transfer

namespace {

Jump SendCoordinates(App& app) {
  Call(Routines().SelectPoints, app);
  OpenTransferPort(app);
  app.output.InstrumentListFormat = 1;
  WriteSelectedPoints(app);
  RtClose(transfer::kTransferPort);
  return {EntryOf(Routines().RepeatLastCommand)};
}

Jump ReceiveCoordinates(App& app) {
  AskRegistrationStartNumber(app);
  OpenTransferPort(app);
  RtPrintStr("ｼﾞｭﾝﾋﾞ OK", true);
  app.input.GuideNumber = 213;
  ShowGuideNext(app);
  PointReceiver receiver(app);
  bool stored = false;
  std::string line;
  for (;;) {
    ReadLinkLine(app, line);
    CheckCommFailure(app);
    RtPrintStr(line, true);
    if (transfer::EndsCoordinateReceive(line)) break;
    if (!line.empty()) {
      if (!receiver.Room()) break;
      const transfer::PortPoint point = transfer::ParsePortCoordinateLine(line);
      receiver.Store(point.name, point.x, point.y, point.z, "98");
      stored = true;
    }
    if (stored && !LinkHasMore()) break;
  }
  receiver.Finish();
}

}  // namespace

Jump CoordinateCommMenu(App& app) {
  return transfer::SendOrReceiveMenu(app, " 1:Dｿｳｼﾝ  2:Dｼﾞｭｼﾝ ", SendCoordinates, ReceiveCoordinates);
}
