#include "transfer/fieldbook_exchange.h"

#include <cmath>
#include <vector>

#include "core/app.h"
#include "core/routines.h"
#include "core/sound.h"
#include "fieldbook/book_file.h"
#include "runtime/console.h"
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

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';
constexpr char kDc2 = '\x12';
constexpr char kSub = '\x1a';
constexpr std::size_t kRecordBytes = 44;
constexpr std::size_t kAttributeBytes = 20;
constexpr std::size_t kE30Fields = 5;  // tag, name, X, Y, height

}  // namespace

ReceivedLine KindOfReceivedLine(std::string_view line) {
  if (line.empty() || line == std::string_view(&kStx, 1)) return ReceivedLine::Skip;
  if (line[0] == kDc2 || line[0] == kSub || line[0] == kEtx) return ReceivedLine::End;
  return ReceivedLine::Data;
}

FieldBookLine SplitReceivedFieldBookLine(std::string_view line, bool wholeLine) {
  if (wholeLine) return {std::string(line), std::nullopt};
  const std::string_view attribute =
      line.size() > kRecordBytes ? line.substr(kRecordBytes, kAttributeBytes) : std::string_view{};
  return {std::string(line.substr(0, kRecordBytes)), std::string(attribute)};
}

std::string E30Record(std::string_view name, double x, double y, double z,
                      std::string_view attribute) {
  return "E30SO," + std::string(name) + "," + RtStr(x) + "," + RtStr(y) + "," + RtStr(z) + "," +
         std::string(attribute) + ",";
}

std::optional<E30Point> ParseE30Record(std::string_view line) {
  if (!line.starts_with("E30")) return std::nullopt;
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t comma = line.find(',');
    fields.push_back(line.substr(0, comma));
    if (comma == std::string_view::npos) break;
    line.remove_prefix(comma + 1);
  }
  if (fields.size() > 1 && fields.back().empty()) fields.pop_back();
  if (fields.size() < kE30Fields) return std::nullopt;
  E30Point point{std::string(fields[1]), RtVal(fields[2]), RtVal(fields[3]), RtVal(fields[4]), {}};
  for (std::size_t i = kE30Fields; i < fields.size(); ++i) {
    if (i > kE30Fields) point.attribute += ",";
    point.attribute += fields[i];
  }
  return point;
}

}  // namespace transfer

namespace {

constexpr int kPort = transfer::kTransferPort;

[[noreturn]] void GoTo(Entry target) { JumpTo(EntryOf(target)); }

void AnnounceReceive(App& app) {
  RtPrintStr("ｼﾞｭｼﾝOK", true);
  app.input.GuideNumber = 213;
  ShowGuideNext(app);
}

// The field book's lines from the link, after the last record of a book that
// holds any (at line 0 of an empty one). The count follows every line stored,
// so a receive cut short keeps what came; an end line first keeps the count.
Jump ReceiveFieldBook(App& app, bool wholeLines) {
  fieldbook::State& f = app.fieldbook;
  OpenTransferPort(app);
  AnnounceReceive(app);
  const bool empty = f.FieldBookCount == 0 && f.FieldBookRecord(0).empty();
  int index = empty ? 0 : static_cast<int>(f.FieldBookCount) + 1;
  bool stored = false;
  std::string line;
  for (;;) {
    ReadLinkLine(app, line);
    CheckCommFailure(app);
    const transfer::ReceivedLine kind = transfer::KindOfReceivedLine(line);
    if (kind == transfer::ReceivedLine::End) break;
    if (kind == transfer::ReceivedLine::Data) {
      if (index > f.FieldBookRecord.Bound()) {
        RtColor(2);
        RtPrintStr(" 野帳がいっぱいなので,ここで受信を終わります", true);
        RtColor(7);
        break;
      }
      const transfer::FieldBookLine parts = transfer::SplitReceivedFieldBookLine(line, wholeLines);
      f.FieldBookRecord(index) = parts.record;
      if (parts.attribute) f.FieldBookAttribute(index) = *parts.attribute;
      f.FieldBookCount = index;
      ++index;
      stored = true;
      RtPrintStr(line, true);
    }
    if (stored && !LinkHasMore()) break;
  }
  RtClose(kPort);
  GoTo(Routines().TransferMenu);
}

// Records 0 to FieldBookCount, one line each, between `opening` and `closing`
// lines (an empty text: none).
Jump SendFieldBook(App& app, std::string_view opening, std::string_view closing) {
  fieldbook::State& f = app.fieldbook;
  OpenTransferPort(app);
  if (!opening.empty()) RtPrintToFile(kPort, opening);
  for (int i = 0; i <= static_cast<int>(f.FieldBookCount); ++i) {
    RtPrintToFile(kPort, f.FieldBookRecord(i));
  }
  RtPrintToFile(kPort, closing);
  RtClose(kPort);
  GoTo(Routines().CoordinateManagementMenu);
}

// E30 records from the link; other lines are shown and passed over, a record
// that does not read is shown as such.
Jump ReceiveE30Points(App& app) {
  AskRegistrationStartNumber(app);
  OpenTransferPort(app);
  AnnounceReceive(app);
  PointReceiver receiver(app);
  bool stored = false;
  std::string line;
  for (;;) {
    ReadLinkLine(app, line);
    CheckCommFailure(app);
    RtPrintStr(line, true);
    if (transfer::KindOfReceivedLine(line) == transfer::ReceivedLine::End) break;
    if (line.starts_with("E30")) {
      const std::optional<transfer::E30Point> point = transfer::ParseE30Record(line);
      if (!point) {
        RtColor(2);
        RtPrintStr(" 読めないレコードなので飛ばします", true);
        RtColor(7);
      } else {
        if (!receiver.Room()) break;
        receiver.Store(point->name, point->x, point->y, point->z, point->attribute);
        stored = true;
      }
    }
    if (stored && !LinkHasMore()) break;
  }
  receiver.Finish();
}

Jump SendE30Points(App& app) {
  app.input.GuideNumber = 277;
  ShowGuide(app);
  Call(Routines().SelectPoints, app);
  OpenTransferPort(app);
  RtPrintToFile(kPort, "\x02");
  points::Store& p = app.points;
  for (int i = 0; i <= static_cast<int>(p.SelectionLast); ++i) {
    const int n = static_cast<int>(p.SelectionList(i));
    RtPrintNum(n, false);
    RtPrintZone();
    RtPrintStr(p.PointName(n), true);
    RtPrintToFile(kPort, transfer::E30Record(p.PointName(n), p.PointX(n), p.PointY(n),
                                             p.PointZ(n), p.PointAttribute(n)));
  }
  RtPrintToFile(kPort, "\x03");
  PlaySound(app, "notify.wav");
  RtClose(kPort);
  GoTo(Routines().RepeatLastCommand);
}

}  // namespace

Jump FieldBookCommMenu(App& app) {
  RtPrintStr(" 1:Yｼﾞｭｼﾝ  1.1:他ｼﾞｭｼﾝ  2:Yｿｳｼﾝ ", false);
  app.input.GuideNumber = 151;
  InputMenuChoice(app);
  const double value = app.input.AnswerValue;
  switch (transfer::MenuChoiceOf(value)) {
    case 1: return ReceiveFieldBook(app, std::floor(value * 10 + 0.5) == 11);
    case 2: return SendFieldBook(app, "", "\x1a");
    default: return {EntryOf(Routines().RepeatLastCommand)};
  }
}

Jump SdCommMenu(App& app) {
  RtPrintStr("", true);
  RtPrintStr(" 1:ﾃﾞｰﾀ受信  2:ﾃﾞｰﾀ送信  3:座標受信  4:座標送信  5:SDﾌｧｲﾙ ", false);
  app.input.GuideNumber = 276;
  InputMenuChoice(app);
  switch (transfer::MenuChoiceOf(app.input.AnswerValue)) {
    case 1: return ReceiveFieldBook(app, true);
    case 2: return SendFieldBook(app, "\x02", "\x03");
    case 3: return ReceiveE30Points(app);
    case 4: return SendE30Points(app);
    case 5:
      app.job.FileExtension = ".SD";
      FieldBookFileMenuWithExtension(app);
      return {SdCommMenu};
    default: return {EntryOf(Routines().RepeatLastCommand)};
  }
}
