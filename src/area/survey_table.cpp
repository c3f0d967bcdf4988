#include "area/survey_table.h"

#include <algorithm>
#include <cmath>

#include "area/area_menu.h"
#include "area/labels.h"
#include "area/parcel_file.h"
#include "area/survey_extract.h"
#include "area/survey_items.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/sound.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/programs.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/layout.h"
#include "ui/navigator.h"

namespace area {

namespace {

constexpr size_t kLotKeyWidth = 20;

std::string LastBytes(const std::string& s, size_t n) { return s.size() <= n ? s : s.substr(s.size() - n); }

}  // namespace

std::string SurveyTablePath(const App& app) { return app.shell.DataFolder + std::string(core::kSurveyCsvName); }

std::vector<std::string> SurveyTemplateLines(std::string_view path) {
  std::vector<std::string> lines = {
      "ｸﾞﾗﾌｨｯｸ,,,,*,,,,,,,*,,,,,'",
      "出力図中,,,,*,,*,,*,,,*,,,,,'",
      "出力表中,,,*,*,*,*,*,,,*,*,,,,,'",
      "出有＼項,町村,大字,字,地番,公簿地目,現況地目,公簿面積,実測面積,用途,住所,所有者,備考１,立会者住所,立会者,備考２",
  };
  for (int n = 1; n <= 10; ++n) lines.push_back("*,,,,,,,,,元地,,,,,,,aa" + std::to_string(n));
  lines.push_back("  ********  入力値から下は、読んだ後、速やかに消してください ********");
  lines.push_back("");
  lines.push_back(" 各データの最後の Ｑ列 に aa+番号 を付けてください。番号は順番でなくてもよい");
  lines.push_back(" 項目に * を付けるとその場面で出力します,,,,,書込終了は、右上の[×]で[はい][保存][はい][はい]で終了保存します");
  lines.push_back(" Ａ列に * を入れると *行 だけ出力,,,,,ﾌｧｲﾙは必ず " + std::string(path) + " で保存して下さい");
  lines.push_back(" 実測面積は計算のあと3:読込&書込で書込,,,,,3:読込&書込で読み込まないと反映しません");
  lines.push_back(" 用地は地番の後に (A)(B)･･･を付ける,,,,,用途は元地，用地，残地の何れかを入れてください");
  lines.push_back(" 地番に枝番がある時は、頭にスペースを付けてください。(付けないと日付になる時がある）");
  lines.push_back(" 地番順に並び替えは、3:読込&書込 のソートで出来ます。（読込んでソートした後は書込んでください）");
  return lines;
}

bool IsNumberText(std::string_view text) {
  const std::string_view t = rt::TrimmedView(text);
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  bool digits = false, point = false;
  for (; i < t.size(); ++i) {
    if (rt::IsDigit(t[i])) {
      digits = true;
    } else if (t[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

void ApplyAreaRule(SurveyRow& row) {
  row.resize(kSurveyColumnCount);
  std::string& registered = row[kSurveyColumnRegisteredArea];
  if (IsNumberText(registered)) {
    const double v = RtVal(registered);
    if (v < 10 || row[kSurveyColumnRegisteredCategory] == "宅地") registered = FormatDecimals(v, 2);
  }
  std::string& measured = row[kSurveyColumnMeasuredArea];
  if (IsNumberText(measured)) measured = FormatDecimals(RtVal(measured), 2);
}

SurveyRows SurveyRowsOf(const std::vector<std::string>& fields, size_t capacity) {
  SurveyRows r;
  for (size_t start = 0; start < fields.size(); start += kSurveyColumnCount) {
    if (r.rows.size() == capacity) {
      r.overflow = true;
      break;
    }
    const size_t end = std::min(fields.size(), start + kSurveyColumnCount);
    SurveyRow row(fields.begin() + static_cast<long>(start), fields.begin() + static_cast<long>(end));
    row.resize(kSurveyColumnCount);
    r.rows.push_back(std::move(row));
  }
  return r;
}

std::string SurveyFileLine(const SurveyRow& row) {
  std::string line;
  for (int c = 0; c < kSurveyColumnCount; ++c) {
    std::string text = c < static_cast<int>(row.size()) ? row[c] : std::string();
    if (text.find(',') != std::string::npos) {
      std::replace(text.begin(), text.end(), '"', '\'');
      text = "\"" + text + "\"";
    }
    if (c > 0) line += ",";
    if (c == kSurveyColumnLotNumber) line += " ";
    line += text;
  }
  return line;
}

std::string LotSortKey(std::string_view lot) {
  const std::string blanks(kLotKeyWidth, ' ');
  std::string w = blanks + std::string(lot);
  size_t dash = w.find('-');
  if (dash == std::string::npos) return LastBytes(w, kLotKeyWidth);
  std::string key = w.substr(dash - kLotKeyWidth, kLotKeyWidth);
  while (dash != std::string::npos) {
    w = blanks + w.substr(dash + 1, 99);
    key += LastBytes(w, kLotKeyWidth);
    dash = w.find('-');
  }
  return key;
}

std::string SurveyRowKey(const SurveyRow& row) {
  auto cell = [&](int c) { return c < static_cast<int>(row.size()) ? row[c] : std::string(); };
  return cell(kSurveyColumnUse) + cell(1) + cell(2) + cell(3) + LotSortKey(cell(kSurveyColumnLotNumber));
}

void SortSurveyRows(std::vector<SurveyRow>& rows) {
  // Each row's key is made once and travels with its row.
  std::vector<std::string> keys(rows.size());
  for (size_t i = kSurveyFirstDataRow; i < rows.size(); ++i) keys[i] = SurveyRowKey(rows[i]);
  for (size_t i = kSurveyFirstDataRow; i < rows.size(); ++i) {
    for (size_t j = i + 1; j < rows.size(); ++j) {
      if (keys[i] < keys[j]) continue;
      std::swap(rows[i], rows[j]);
      std::swap(keys[i], keys[j]);
    }
  }
}

}  // namespace area

namespace {

constexpr int kSurveyFile = 3;

void Refuse(App& app, const std::string& message) {
  RtColor(2);
  RtPrintStr(message, true);
  RtColor(7);
  PlaySound(app, "chord.wav");
}

}  // namespace

std::vector<area::SurveyRow> SurveyTableRows(const App& app) {
  const area::State& a = app.area;
  std::vector<area::SurveyRow> rows;
  for (int r = 0; r < a.SurveyTableRowCount; ++r) {
    area::SurveyRow row;
    for (int c = 0; c < area::kSurveyColumnCount; ++c) row.push_back(a.SurveyTable(r)(c));
    rows.push_back(std::move(row));
  }
  return rows;
}

void SetSurveyTableRows(App& app, const std::vector<area::SurveyRow>& rows) {
  area::State& a = app.area;
  for (int r = 0; r < area::kSurveyRowCapacity; ++r) {
    for (int c = 0; c < area::kSurveyColumnCount; ++c) {
      a.SurveyTable(r)(c) = r < static_cast<int>(rows.size()) && c < static_cast<int>(rows[r].size())
                                ? rows[r][c]
                                : std::string();
    }
  }
  a.SurveyTableRowCount = static_cast<double>(rows.size());
}

Jump SurveyTableMenu(App& app) {
  RtCls();
  RtPrintStr("", true);
  RtPrintStr(" 土地調査表", true);
  RtPrintStr(" 1:新規   2:編集  3:読込&書込  4:標示切替  5:抽出印刷 ", false);
  app.input.GuideNumber = 330;
  InputMenuChoice(app);
  RtPrintStr("", true);
  switch (static_cast<int>(std::round(app.input.AnswerValue))) {
    case 1: return {WriteSurveyTableTemplate};
    case 2: return {EditSurveyTableInSpreadsheet};
    case 3: return {SurveyTableReadWriteMenu};
    case 4: return {SurveyTableDisplaySwitch};
    case 5: return {ExtractSurveyTable};
    default: return {AreaMenu};
  }
}

Jump SurveyTableReadWriteMenu(App& app) {
  RtPrintStr("", true);
  RtPrintStr(" 1:土地調査を読込  2:土地調査へ書込  3:ソート ", false);
  app.input.GuideNumber = 326;
  InputMenuChoice(app);
  RtPrintStr("", true);
  switch (static_cast<int>(std::round(app.input.AnswerValue))) {
    case 1: return {ReadSurveyTable};
    case 2: return {WriteSurveyTable};
    case 3: return {SortSurveyTable};
    default: return {SurveyTableMenu};
  }
}

Jump WriteSurveyTableTemplate(App& app) {
  const std::string path = area::SurveyTablePath(app);
  if (RtFileExists(path)) {
    RtPrintStr("前のデータがあります。削除しますか [Y,N]Y", false);
    app.input.GuideNumber = 17;
    InputPointName(app);
    if (RtUcase(app.input.Answer) == "N") return {SurveyTableMenu};
  }
  PlaySound(app, "recycle.wav");
  // The new file replaces the old one only once it is complete.
  RtOpen(kSurveyFile, path, RtFileMode::Output);
  for (const std::string& line : area::SurveyTemplateLines(path)) RtPrintToFile(kSurveyFile, line);
  RtClose(kSurveyFile);
  return {EditSurveyTableInSpreadsheet};
}

Jump EditSurveyTableInSpreadsheet(App& app) {
  ReleaseTopmostMain(app);
  app.input.GuideNumber = 332;
  ShowGuideNext(app);
  RtShell("EXCEL.EXE", area::SurveyTablePath(app), true, 8, rt::ProgramRole::kSpreadsheet);
  RestoreTopmost(app);
  return {ReadSurveyTable};
}

std::vector<std::string> area::SurveyFileFields(App& app) {
  std::vector<std::string> fields;
  const std::string path = SurveyTablePath(app);
  if (!RtFileExists(path)) return fields;
  RtOpen(kSurveyFile, path, RtFileMode::Input);
  std::string field;
  while (!RtEof(kSurveyFile)) {
    RtInputVars(kSurveyFile, field);
    fields.push_back(field);
  }
  RtClose(kSurveyFile);
  return fields;
}

Jump ReadSurveyTable(App& app) {
  const std::string path = area::SurveyTablePath(app);
  if (!RtFileExists(path)) {
    Refuse(app, "土地調査表のファイルがありません");
    return {SurveyTableMenu};
  }
  area::SurveyRows read = area::SurveyRowsOf(area::SurveyFileFields(app));
  for (size_t r = area::kSurveyFirstDataRow; r < read.rows.size(); ++r) area::ApplyAreaRule(read.rows[r]);
  SetSurveyTableRows(app, read.rows);
  if (read.overflow) Refuse(app, "2001行を超えた行は読込まれていません");
  ReadParcelFile(app);
  return {SurveyTableDisplaySwitch};
}

Jump WriteSurveyTable(App& app) {
  const area::State& a = app.area;
  if (a.SurveyTable(0)(0).empty()) {
    RtPrintStr("", true);
    RtLocate(5, RtCsrlin());
    RtColor(10);
    RtPrintStr("土地調査表が読込まれていません", false);
    RtColor(7);
    app.input.GuideNumber = 333;
    InputMenuChoice(app);
    RtPrintStr("", true);
    return {SurveyTableReadWriteMenu};
  }
  // The old file stays until the new one is complete.
  RtOpen(kSurveyFile, area::SurveyTablePath(app), RtFileMode::Output);
  for (const area::SurveyRow& row : SurveyTableRows(app)) RtPrintToFile(kSurveyFile, area::SurveyFileLine(row));
  RtClose(kSurveyFile);
  return {SurveyTableMenu};
}

Jump SortSurveyTable(App& app) {
  std::vector<area::SurveyRow> rows = SurveyTableRows(app);
  for (size_t i = area::kSurveyFirstDataRow; i < rows.size(); ++i) {
    RtPrintNum(static_cast<double>(i) - 3, true);
  }
  area::SortSurveyRows(rows);
  SetSurveyTableRows(app, rows);
  return {SurveyTableMenu};
}

void WriteSurveyRowOfParcel(App& app) {
  const area::State& a = app.area;
  if (a.SurveyExtractInParcelOrder == 0) return;
  const std::string lot = RtTrim(a.RecordLotNumber);
  for (int r = area::kSurveyFirstDataRow; r < a.SurveyTableRowCount; ++r) {
    if (RtTrim(a.SurveyTable(r)(area::kSurveyColumnLotNumber)) != lot) continue;
    std::string line;
    for (int c = 0; c < area::kSurveyColumnCount; ++c) {
      if (c == area::kSurveyColumnLotNumber) line += " ";
      line += a.SurveyTable(r)(c) + area::SurveySeparatorText(a.SurveyExtractSeparator, false);
    }
    RtPrintToFile(core::kPrintBuffer, line);
    return;
  }
}
