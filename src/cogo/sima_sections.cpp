#include "cogo/sima_sections.h"

#include <cstdint>
#include <vector>

#include "cogo/transformation_menu.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/routines.h"
#include "core/sound.h"
#include "files/coordinate_file_menu.h"
#include "files/file_dialogs.h"
#include "files/result.h"
#include "points/selection.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

using core::kJobFile;

constexpr int kNameBytes = 16;
constexpr std::string_view kFullWidthBlank = "\x81\x40";

// A coordinate in its field, or nothing when it overflows.
std::optional<std::string> Field(std::string_view tmpl, double value) {
  std::string text = RtFormatUsing(tmpl, {value});
  if (text.find('%') != std::string::npos) return std::nullopt;
  return text;
}

bool IsNo(std::string_view answer) { return answer == "N" || answer == "n"; }

// The sort question; the answer as typed.
std::string AskSort(App& app) {
  RtPrintStr("ソートしますか[Y,N]Y ", false);
  app.input.GuideNumber = 17;
  InputPointName(app);
  return app.input.Answer;
}

// The selection's records, or the name of the first point that does not fit.
struct SectionRecords {
  std::vector<std::string> lines;
  std::string refusedName;
};

SectionRecords LongitudinalRecords(const App& app) {
  const points::Store& p = app.points;
  SectionRecords out;
  for (int i = 0; i <= p.SelectionLast; ++i) {
    const int n = p.SelectionList(i);
    auto record = cogo::SimaLongitudinalRecord(p.PointName(n), p.PointX(n), p.PointY(n), p.PointZ(n));
    if (!record) {
      out.refusedName = p.PointName(n);
      return out;
    }
    out.lines.push_back(*record);
  }
  return out;
}

SectionRecords CrossRecords(const App& app) {
  const points::Store& p = app.points;
  SectionRecords out;
  for (int i = 0; i <= p.SelectionLast; ++i) {
    const int n = p.SelectionList(i);
    auto record = i == 0 ? cogo::SimaCentreRecord(p.PointName(n), p.PointX(n), p.PointY(n), p.PointZ(n))
                         : cogo::SimaSectionPointRecord(p.PointName(n), p.PointX(n), p.PointY(n));
    if (!record) {
      out.refusedName = p.PointName(n);
      return out;
    }
    out.lines.push_back(*record);
  }
  return out;
}

void Refuse(App& app, const std::string& name, std::string_view what) {
  PlaySound(app, "chord.wav");
  RtColor(10);
  RtPrintStr(" " + name + " の座標が SIMA の欄(######.###)に収まりません", true);
  RtPrintStr(std::string(" ") + std::string(what), true);
  RtColor(7);
}

void WriteLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) RtPrintToFile(kJobFile, line);
}

// The end of an export: every file closed, the section file written out, and
// the print buffer open again for the reports of the kinds that follow.
Jump EndExport(App& app) {
  RtCloseAll();
  RtOpen(core::kPrintBuffer, PrintBufferPath(app), RtFileMode::Append);
  return {CoordinateTransformationMenu};
}

// From step 3 of the cross-section export on, into file 1 as it is open.
Jump WriteCrossSections(App& app) {
  points::Store& p = app.points;
  const std::string sort = AskSort(app);
  RtPrintStr("横断入力", true);
  RtPrintToFile(kJobFile, "Z00,/  横断面  /");
  RtPrintToFile(kJobFile, "I00,,,");
  for (;;) {
    RtPrintStr("中心測点＋横断測点", true);
    SelectPoints(app);
    SortSelectionByY(app, sort, 1);
    if (p.SelectionLast < 0) {
      RtPrintToFile(kJobFile, "I99,");
      return EndExport(app);
    }
    const SectionRecords records = CrossRecords(app);
    if (!records.refusedName.empty()) {
      Refuse(app, records.refusedName, "この横断は書きません");
      continue;
    }
    WriteLines(records.lines);
  }
}

}  // namespace

std::string cogo::SimaSectionName(std::string_view name) {
  for (;;) {
    if (name.starts_with(' ')) {
      name.remove_prefix(1);
    } else if (name.starts_with(kFullWidthBlank)) {
      name.remove_prefix(kFullWidthBlank.size());
    } else {
      break;
    }
  }
  std::string field = rt::CutBytes(name, kNameBytes);
  field.resize(kNameBytes, ' ');
  return field;
}

std::optional<std::string> cogo::SimaLongitudinalRecord(std::string_view name, double x, double y, double z) {
  const auto fy = Field("######.###", y), fx = Field("######.###", x), fz = Field("#####.###", z);
  if (!fy || !fx || !fz) return std::nullopt;
  return "H01," + SimaSectionName(name) + "," + *fy + " ," + *fx + " ," + *fz + " ,1,";
}

std::optional<std::string> cogo::SimaCentreRecord(std::string_view name, double x, double y, double z) {
  const auto fy = Field("######.###", y), fx = Field("######.###", x), fz = Field("######.###", z);
  if (!fy || !fx || !fz) return std::nullopt;
  return "I01," + SimaSectionName(name) + "," + *fy + " ," + *fx + " ," + *fz + " ,";
}

std::optional<std::string> cogo::SimaSectionPointRecord(std::string_view name, double x, double y) {
  const auto fy = Field("######.###", y), fx = Field("######.###", x);
  if (!fy || !fx) return std::nullopt;
  return "I02," + SimaSectionName(name) + "," + *fy + " ," + *fx + " ,";
}

void SortSelectionByY(App& app, std::string_view answer, int first) {
  if (IsNo(answer)) return;
  points::Store& p = app.points;
  const int last = static_cast<int>(p.SelectionLast);
  for (int i = first; i < last; ++i) {
    for (int j = i + 1; j <= last; ++j) {
      const int16_t a = p.SelectionList(i), b = p.SelectionList(j);
      if (p.PointY(a) >= p.PointY(b)) {
        p.SelectionList(i) = b;
        p.SelectionList(j) = a;
      }
    }
  }
}

Jump ExportSimaLongitudinal(App& app) {
  app.job.FileExtension = ".SIM";
  ShowSaveFileDialog(app);
  if (app.job.ChosenFilePath.empty()) return {EntryOf(Routines().RepeatLastCommand)};
  RtPrintStr("縦断入力", true);
  const std::string sort = AskSort(app);
  SelectBlockAndOpenOutput(app);
  SortSelectionByY(app, sort, 0);
  const SectionRecords records = LongitudinalRecords(app);
  if (!records.refusedName.empty()) {
    Refuse(app, records.refusedName, "ファイルは作りません");
    RtClose(kJobFile);
    RtKill(files::JobFilePath(app));
    return EndExport(app);
  }
  RtPrintToFile(kJobFile, "G00,02," + app.settings.ZA + ",");
  RtPrintToFile(kJobFile, "Z00,/  縦断面  /");
  RtPrintToFile(kJobFile, "H00,,,");
  WriteLines(records.lines);
  RtPrintToFile(kJobFile, "H99,");
  RtPrintStr("横断面SIMAへ行きますか[Y,N]Y ", false);
  app.input.GuideNumber = 17;
  InputPointName(app);
  if (IsNo(app.input.Answer)) return EndExport(app);
  return WriteCrossSections(app);
}

Jump ExportSimaCrossSection(App& app) {
  app.job.FileExtension = ".SIM";
  ShowSaveFileDialog(app);
  if (app.job.ChosenFilePath.empty()) return {EntryOf(Routines().RepeatLastCommand)};
  OpenOutputFileFresh(app);
  return WriteCrossSections(app);
}
