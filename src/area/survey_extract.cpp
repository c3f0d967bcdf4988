#include "area/survey_extract.h"

#include <algorithm>
#include <cmath>

#include "area/area_menu.h"
#include "area/labels.h"
#include "area/parcel_file.h"
#include "area/survey_table.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/sound.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace area {

std::string SurveySeparatorText(double separator, bool onWindow) {
  if (separator == 1) return " ";
  if (separator == 2) return onWindow ? " " : "\t";
  if (separator == 3) return ",";
  return "";
}

std::vector<std::vector<std::string>> ExtractRecordsOf(const std::vector<std::string>& fields) {
  std::vector<std::vector<std::string>> records;
  const auto heading = std::find(fields.begin(), fields.end(), "備考２");
  if (heading == fields.end()) return records;
  const size_t start = static_cast<size_t>(heading - fields.begin()) + 2;
  for (size_t i = start; i < fields.size(); i += kSurveyColumnCount) {
    const size_t end = std::min(fields.size(), i + kSurveyColumnCount);
    std::vector<std::string> record(fields.begin() + static_cast<long>(i), fields.begin() + static_cast<long>(end));
    record.resize(kSurveyColumnCount);
    records.push_back(std::move(record));
  }
  return records;
}

std::string ExtractLine(const std::vector<std::string>& record, double separator, bool onWindow) {
  if (separator != 1 && separator != 2 && separator != 3) return "";
  std::string line;
  for (int c = 0; c <= 15; ++c) {
    std::string text = c < static_cast<int>(record.size()) ? record[c] : std::string();
    if (c == kSurveyColumnLotNumber) text = " " + text;
    if (c == kSurveyColumnRegisteredArea && (text.empty() || IsNumberText(text))) {
      const double v = RtVal(text);
      const std::string category = record.size() > 5 ? record[kSurveyColumnRegisteredCategory] : std::string();
      if (v < 10 || category == "宅地") text = FormatDecimals(v, 2);
    }
    if (separator == 2) text += text.size() <= 10 ? std::string(10 - text.size(), ' ') : std::string("  ");
    line += text + SurveySeparatorText(separator, onWindow);
  }
  return line;
}

}  // namespace area

namespace {

constexpr int kLotNumberItem = 4;
constexpr int kParcelOrderItem = 16;

std::string Column(const std::vector<std::string>& record, double item) {
  const long c = static_cast<long>(item);
  return c >= 0 && c < static_cast<long>(record.size()) ? RtTrim(record[c]) : std::string();
}

Jump AskItem(App& app, bool clear);
Jump AskItemCleared(App& app) { return AskItem(app, true); }
Jump AskItemAgain(App& app) { return AskItem(app, false); }

// Lists the values of the item's column, asks one and writes the matching
// records; again until Enter alone.
Jump ExtractByValue(App& app) {
  area::State& a = app.area;
  for (;;) {
    RtColor(4);
    std::vector<std::string> values;
    const auto records = area::ExtractRecordsOf(area::SurveyFileFields(app));
    for (const auto& record : records) {
      const std::string v = Column(record, a.SurveyExtractItem);
      if (v.empty() || std::find(values.begin(), values.end(), v) != values.end()) continue;
      values.push_back(v);
      RtPrintStr(" " + v, false);
    }
    if (values.empty()) {
      RtPrintStr("", true);
      RtColor(7);
      RtPrintStr("何もありません", true);
      PlaySound(app, "chord.wav");
      return {AskItemAgain};
    }
    RtPrintStr(" 無し", true);
    RtColor(7);
    RtPrintStr("", true);
    RtPrintStr("抽出文字＝", false);
    std::string value;
    if (a.SurveyExtractItem == kLotNumberItem) {
      app.input.GuideNumber = 329;
      a.LotNumberPickEnabled = 1;
      InputPointName(app);
      a.LotNumberPickEnabled = 0;
      value = app.input.Answer;
    } else {
      app.input.GuideNumber = 328;
      InputMenuChoice(app);
      value = app.input.AnswerCopy;
    }
    RtPrintStr("", true);
    if (app.input.Answer.empty()) return {AskItemCleared};
    value = value == "無し" ? std::string() : RtTrim(value);
    a.SurveyExtractValue = value;
    for (const auto& record : records) {
      if (Column(record, a.SurveyExtractItem) != value) continue;
      RtPrintStr(area::ExtractLine(record, a.SurveyExtractSeparator, true), true);
      RtPrintToFile(core::kPrintBuffer, area::ExtractLine(record, a.SurveyExtractSeparator, false));
    }
  }
}

Jump AskItem(App& app, bool clear) {
  area::State& a = app.area;
  if (clear) RtCls();
  RtColor(7);
  RtPrintStr("", true);
  RtPrintStr("抽出項目選択", true);
  RtPrintStr(" 1:町村      2:大字     3:字    4:地番  5:公簿地目 6:現況地目", true);
  RtPrintStr(" 7:公簿面積  8:実測面積 9:用途 10:住所 11:所有者  12:備考１", true);
  RtPrintStr("13:立者住所 14:立会者  15:備考２       16:SIMA順 ", false);
  app.input.GuideNumber = 327;
  InputMenuChoice(app);
  RtPrintStr("", true);
  if (app.input.Answer.empty()) return {AreaMenu};
  a.SurveyExtractItem = app.input.AnswerValue;
  if (a.SurveyExtractItem == kParcelOrderItem) {
    a.SurveyExtractInParcelOrder = 1;
    ReadParcelFile(app);
    a.SurveyExtractInParcelOrder = 0;
    return {ShowResultMenu};
  }
  if (!RtFileExists(area::SurveyTablePath(app))) {
    RtColor(2);
    RtPrintStr("土地調査表のファイルがありません", true);
    RtColor(7);
    PlaySound(app, "chord.wav");
    return {AreaMenu};
  }
  return {ExtractByValue};
}

}  // namespace

Jump ExtractSurveyTable(App& app) {
  area::State& a = app.area;
  app.output.ReportTitle = "土地調査表　抽出";
  RtPrintStr(" 出力方法選択　 1:スペース区切  2:Ｔａｂ区切  3:カンマ区切 ", false);
  app.input.GuideNumber = 331;
  InputMenuChoice(app);
  RtPrintStr("", true);
  if (app.input.Answer.empty()) return {AreaMenu};
  a.SurveyExtractSeparator = app.input.AnswerValue;
  return {AskItemCleared};
}
