#include "cogo/datum_conversion.h"

#include <cstdlib>

#include "cogo/transformation_menu.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/sound.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/folders.h"
#include "runtime/numtext.h"
#include "runtime/programs.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/layout.h"
#include "ui/navigator.h"
#include "ui/transform.h"

namespace {

using core::kJobFile;

// The converter as the program names it; the host command comes from
// KRN_DATUM_CONVERTER.
constexpr std::string_view kConverter = "C:\\Program Files\\TKY2JGD\\tky2jgd.exe";

constexpr double kGuideConverter = 376;
constexpr double kGuideDeleteFiles = 377;

// The item of `text` from `pos` up to the next blank, `pos` moved past it.
std::string_view NextItem(std::string_view text, size_t& pos) {
  pos = text.find_first_not_of(' ', pos);
  if (pos == std::string_view::npos) {
    pos = text.size();
    return {};
  }
  const size_t end = std::min(text.find(' ', pos), text.size());
  const std::string_view item = text.substr(pos, end - pos);
  pos = end;
  return item;
}

std::optional<double> NumberOf(std::string_view item) {
  if (item.empty()) return std::nullopt;
  const rt::NumberScan scan = rt::ScanNumber(item, true);
  if (!scan.found || scan.end != item.size()) return std::nullopt;
  return scan.value;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  if (!RtFileExists(path)) return std::nullopt;
  RtClose(kJobFile);
  if (!RtOpen(kJobFile, path, RtFileMode::Input)) return std::nullopt;
  std::string bytes = RtInputChars(kJobFile, static_cast<int>(RtLof(kJobFile)));
  RtClose(kJobFile);
  return bytes;
}

void Tell(App& app, const std::string& line1, const std::string& line2) {
  PlaySound(app, "chord.wav");
  RtPrintStr("", true);
  RtColor(10);
  RtPrintStr(line1, true);
  RtPrintStr(line2, true);
  RtColor(7);
}

// The converter run, or the user's run by hand.
void RunConverter(App& app, const std::string& base) {
  app.input.GuideNumber = kGuideConverter;
  if (cogo::DatumConverterAvailable()) {
    ReleaseTopmost(app);
    ShowGuideNext(app);
    RtShell(kConverter, base, true, 8, rt::ProgramRole::kDatumConverter);
    RestoreTopmost(app);
    return;
  }
  ShowGuideNext(app);
  RtColor(10);
  RtPrintStr("", true);
  RtPrintStr(" tky2jgd.exe が見つかりません。", true);
  RtColor(5);
  RtPrintStr("手動で立ち上げて計算してください。", true);
  RtPrintStr("計算が終わったらこのｳｨﾝﾄﾞｳをｱｸﾃｨﾌﾞにしてEnterを押してください。", true);
  RtColor(7);
  rt::WaitForKey();
}

// Moves the points by the converter's output; false (with the reason told)
// when it changes nothing.
bool TakeOutput(App& app, const std::string& outPath) {
  points::Store& p = app.points;
  const std::optional<std::string> text = ReadWholeFile(outPath);
  if (!text) {
    Tell(app, " " + outPath + " がありません。", " 座標は変更していません。");
    return false;
  }
  int badLine = 0;
  const auto converted = cogo::ReadDatumOutput(*text, &badLine);
  if (!converted) {
    Tell(app, " " + outPath + " の" + rt::Digits(badLine) + "行目が読めません。", " 座標は変更していません。");
    return false;
  }
  const int count = static_cast<int>(p.PointCount);
  if (static_cast<int>(converted->size()) != count) {
    Tell(app,
         " " + outPath + " のデータ" + rt::Digits(static_cast<double>(converted->size())) + "行が点数" +
             rt::Digits(count) + "と合いません。",
         " 座標は変更していません。");
    return false;
  }
  for (int k = 1; k <= count; ++k) {
    p.PointX(k) = (*converted)[k - 1].x;
    p.PointY(k) = (*converted)[k - 1].y;
  }
  return true;
}

}  // namespace

std::optional<std::vector<std::string>> cogo::DatumInputLines(const std::vector<ExchangePoint>& points) {
  std::vector<std::string> lines;
  if (points.empty()) return lines;
  lines.emplace_back("#実用成果  日本測地系，ベッセル楕円体");
  lines.emplace_back("#  X(m)       Y(m)       点名");
  for (const ExchangePoint& point : points) {
    for (double value : {point.x, point.y}) {
      if (RtFormatUsing("#######.#####", {value}).starts_with("%")) return std::nullopt;
    }
    lines.push_back(RtFormatUsing("#######.##### #######.##### @", {point.x, point.y, point.name}));
  }
  return lines;
}

std::optional<std::vector<cogo::ConvertedPoint>> cogo::ReadDatumOutput(std::string_view text, int* badLine) {
  std::vector<ConvertedPoint> points;
  int lineNumber = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (line.ends_with('\r')) line.remove_suffix(1);
    const rt::NumberScan lead = rt::ScanNumber(line, true);
    if (!lead.found || lead.value == 0) continue;
    size_t pos = 0;
    const std::optional<double> x = NumberOf(NextItem(line, pos));
    const std::optional<double> y = NumberOf(NextItem(line, pos));
    if (!x || !y) {
      if (badLine) *badLine = lineNumber;
      return std::nullopt;
    }
    points.push_back({*x, *y});
  }
  return points;
}

bool cogo::DatumConverterAvailable() {
  const char* configured = std::getenv(rt::RoleVariable(rt::ProgramRole::kDatumConverter));
  if (!configured || RtTrim(configured).empty()) return false;
  const std::vector<std::string> command = rt::HostCommandFor(kConverter, rt::ProgramRole::kDatumConverter);
  return !command.empty() && !rt::FindOnPath(command.front()).empty();
}

Jump DatumConversion(App& app) {
  points::Store& p = app.points;
  const std::string base = app.shell.JobFolder + app.settings.ZA;
  const std::string inPath = base + ".in";
  const std::string outPath = base + ".out";
  if (!app.shell.JobFolder.empty()) RtChdir(app.shell.JobFolder);

  std::vector<cogo::ExchangePoint> points;
  for (int k = 1; k <= p.PointCount; ++k) points.push_back({p.PointX(k), p.PointY(k), p.PointName(k)});
  const auto lines = cogo::DatumInputLines(points);
  if (!lines) {
    Tell(app, " 座標が #######.##### の欄に収まりません。", " 座標は変更していません。");
    return {CoordinateTransformationMenu};
  }
  RtClose(kJobFile);
  RtKill(inPath);
  // An output of an earlier run must not pass for this run's.
  RtKill(outPath);
  RtOpen(kJobFile, inPath, RtFileMode::Output);
  for (const std::string& line : *lines) RtPrintToFile(kJobFile, line);
  RtClose(kJobFile);

  RunConverter(app, base);
  const bool moved = TakeOutput(app, outPath);
  if (moved) {
    RtClose(core::kPrintBuffer);
    RtFileCopy(outPath, PrintBufferPath(app));
    RtOpen(core::kPrintBuffer, PrintBufferPath(app), RtFileMode::Append);
    ZoomAll(app);
  }
  RtPrintStr("", true);
  RtPrintStr(inPath, true);
  RtPrintStr(outPath, true);
  if (!moved) return {CoordinateTransformationMenu};
  RtPrintStr(" このﾌｧｲﾙを消しますか[Y,N]Y", false);
  app.input.GuideNumber = kGuideDeleteFiles;
  InputPointName(app);
  if (app.input.Answer != "N" && app.input.Answer != "n") {
    RtKill(inPath);
    RtKill(outPath);
    PlaySound(app, "recycle.wav");
  }
  return {CoordinateTransformationMenu};
}
