#include "transfer/sima_exchange.h"

#include <cmath>
#include <vector>

#include "core/app.h"
#include "core/constants.h"
#include "core/routines.h"
#include "files/point_list.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "transfer/link.h"
#include "transfer/start_number.h"
#include "transfer/transfer_menu.h"
#include "ui/input.h"
#include "ui/navigator.h"

namespace transfer {

namespace {

constexpr std::string_view kPointTemplate =
    "A01,##### ,&      &,########.#### ,########.#### ,#######.#### ,";
constexpr std::size_t kPortNameBytes = 8;

std::string WithoutLineEnds(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != '\r' && c != '\n') out += c;
  }
  return out;
}

}  // namespace

std::string SimaPortPointRecord(int number, std::string_view name, double x, double y, double z) {
  return RtFormatUsing(kPointTemplate,
                       {double(number), std::string(rt::LeadingBlanksSkipped(name)), x, y, z});
}

std::string SimaTagOf(std::string_view field, bool firstOfStream) {
  const std::size_t end = field.find_last_of("\r\n");
  if (end != std::string_view::npos) return std::string(field.substr(end + 1));
  return firstOfStream ? std::string(field) : std::string();
}

SimaStreamReader::Event SimaStreamReader::Feed(char byte) {
  if (byte == ' ') return Event::None;
  if (byte != ',') {
    field_ += byte;
    return Event::None;
  }
  const std::string field = std::move(field_);
  field_.clear();
  return FieldDone(field);
}

SimaStreamReader::Event SimaStreamReader::FieldDone(const std::string& field) {
  const bool first = firstOfStream_;
  firstOfStream_ = false;
  if (recordField_ < 0) {
    const std::string tag = SimaTagOf(field, first);
    if (tag == "A01") {
      recordField_ = 0;
      point_ = {};
    }
    return tag == "A99" ? Event::End : Event::None;
  }
  switch (recordField_++) {
    case 0: return Event::None;  // the sender's point number plays no part
    case 1: point_.name = WithoutLineEnds(field); return Event::None;
    case 2: point_.x = FieldNumber(WithoutLineEnds(field)); return Event::None;
    case 3: point_.y = FieldNumber(WithoutLineEnds(field)); return Event::None;
    default:
      point_.z = FieldNumber(WithoutLineEnds(field));
      recordField_ = -1;
      return Event::Point;
  }
}

}  // namespace transfer

namespace {

// The records of the selected points, made before anything is sent: a
// coordinate too wide for its field is named and the send refused (error 6).
std::vector<std::string> PointRecords(App& app) {
  points::Store& p = app.points;
  std::vector<std::string> records;
  for (int i = 0; i <= static_cast<int>(p.SelectionLast); ++i) {
    const int n = static_cast<int>(p.SelectionList(i));
    records.push_back(
        transfer::SimaPortPointRecord(n, p.PointName(n), p.PointX(n), p.PointY(n), p.PointZ(n)));
    if (records.back().find('%') == std::string::npos) continue;
    RtPrintStr("", true);
    RtColor(10);
    RtPrintStr(" 点 " + p.PointName(n) + " の座標は SIMA の桁数に入りません。", true);
    RtColor(7);
    RtRaise(kErrOverflow);
  }
  return records;
}

Jump SendSima(App& app) {
  Call(Routines().SelectPoints, app);
  const std::vector<std::string> records = PointRecords(app);
  OpenTransferPort(app);
  constexpr int port = transfer::kTransferPort;
  RtPrintToFile(port, "G00,1," + app.settings.ZA + ",");
  RtPrintToFile(port, "A00,");
  app.job.TruncatedNameCount = 0;
  points::Store& p = app.points;
  for (std::size_t i = 0; i < records.size(); ++i) {
    RtPrintToFile(port, records[i]);
    const std::string_view bare =
        rt::LeadingBlanksSkipped(p.PointName(p.SelectionList(static_cast<double>(i))));
    if (bare.size() > transfer::kPortNameBytes) {
      app.job.TruncatedNameCount += 1;
      files::ReportCutPortName(static_cast<int>(i) + 1, std::string(bare), false);
    }
  }
  RtPrintToFile(port, "A99,");
  if (app.job.TruncatedNameCount > 0) files::AnnounceCutPortNames(app);
  RtClose(port);
  return {EntryOf(Routines().RepeatLastCommand)};
}

// Echoes the received bytes line by line.
class Echo {
 public:
  void Add(const std::string& bytes) {
    for (char c : bytes) {
      if (c == '\n') {
        RtPrintStr(line_, true);
        line_.clear();
      } else if (c != '\r') {
        line_ += c;
      }
    }
  }
  void Flush() {
    if (!line_.empty()) RtPrintStr(line_, true);
    line_.clear();
  }

 private:
  std::string line_;
};

// One byte from the link; a read that timed out is reported by CheckCommFailure.
std::string ReadLinkByte(App& app) {
  std::string byte = RtInputChars(transfer::kTransferPort, 1);
  if (byte.empty()) app.shell.CommFailureFlag = 1;
  CheckCommFailure(app);
  return byte;
}

Jump ReceiveSima(App& app) {
  AskRegistrationStartNumber(app);
  OpenTransferPort(app);
  RtPrintStr("ｼﾞｭﾝﾋﾞ OK", true);
  app.input.GuideNumber = 213;
  ShowGuideNext(app);
  PointReceiver receiver(app);
  transfer::SimaStreamReader reader;
  Echo echo;
  for (;;) {
    const std::string byte = ReadLinkByte(app);
    echo.Add(byte);
    const auto event = reader.Feed(byte[0]);
    if (event == transfer::SimaStreamReader::Event::End) break;
    if (event != transfer::SimaStreamReader::Event::Point) continue;
    if (!receiver.Room()) break;
    const transfer::SimaPortPoint& point = reader.point();
    receiver.Store(point.name, point.x, point.y, point.z, "98");
  }
  // After the block: what the peer still sends up to its CHR$(26), or until
  // it falls quiet.
  while (LinkHasMore(false)) {
    const std::string byte = RtInputChars(transfer::kTransferPort, 1);
    echo.Add(byte);
    if (byte.empty() || byte[0] == '\x1a') break;
  }
  echo.Flush();
  receiver.Finish();
}

}  // namespace

Jump SimaCommMenu(App& app) {
  return transfer::SendOrReceiveMenu(app, " 1:SIMAｿｳｼﾝ  2:SIMAｼﾞｭｼﾝ ", SendSima, ReceiveSima);
}
