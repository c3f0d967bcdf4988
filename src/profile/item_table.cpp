#include "profile/item_table.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "cad/cad_menu.h"
#include "core/app.h"
#include "profile/extent.h"
#include "profile/item_names.h"
#include "profile/settings.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace profile {

namespace {

struct Preset {
  std::vector<int> items;       // rows 0 to last, from the top
  std::vector<int> heights;     // one per row, or one for every row
  double rowSpacing;
  std::vector<std::pair<int, int>> decimals;  // (item, decimals)
};

// Types 1 to 6: "道路", "道路mm", "簡易", "渓流", "山腹", "多線種".
const Preset& PresetOf(int type) {
  static const std::vector<Preset> kPresets = {
      {{14, 13, 12, 11, 4, 3, 2, 1, 10},
       {15, 12, 12, 15, 15, 15, 12, 15, 15},
       1,
       {{14, 3}, {13, 3}, {12, 3}, {11, 3}, {4, 2}, {3, 2}, {2, 2}, {10, 2}}},
      {{14, 13, 12, 11, 4, 3, 2, 1, 10},
       {15},
       1,
       {{14, 3}, {13, 3}, {12, 3}, {11, 3}, {4, 3}, {3, 3}, {2, 3}, {10, 3}}},
      {{4, 3, 2, 1}, {15}, 2, {{4, 2}, {3, 2}, {2, 2}}},
      {{9, 4, 7, 3, 2, 1}, {12}, 0, {{9, 1}, {4, 2}, {7, 2}, {3, 1}, {2, 1}}},
      {{8, 4, 7, 6, 5, 3, 2, 1}, {12}, 0, {{8, 1}, {4, 1}, {7, 1}, {6, 1}, {5, 1}, {3, 1}, {2, 1}}},
      {{19, 18, 17, 16, 4, 3, 2, 1}, {15}, 1, {{19, 3}, {18, 3}, {17, 3}, {16, 3}, {4, 3}, {3, 3}, {2, 3}}},
  };
  return kPresets[static_cast<size_t>(type - 1)];
}

}  // namespace

void LoadProfilePreset(State& s, int type) {
  if (type < 1 || type > 6) return;
  if (type == 1) {
    for (int k = 0; k <= 20; ++k) {
      s.ProfileItemDigits(k) = 3;
      s.ProfileRowHeight(k) = 15;
    }
  }
  const Preset& p = PresetOf(type);
  for (size_t r = 0; r < p.items.size(); ++r) {
    s.ProfileRowItem(r) = static_cast<int16_t>(p.items[r]);
    s.ProfileRowHeight(r) = static_cast<int16_t>(p.heights.size() == 1 ? p.heights[0] : p.heights[r]);
  }
  for (const auto& [item, decimals] : p.decimals) s.ProfileItemDigits(item) = static_cast<int16_t>(decimals);
  s.ProfileLastRow = static_cast<double>(p.items.size()) - 1;
  s.ProfileRowSpacing = p.rowSpacing;
}

}  // namespace profile

namespace {

constexpr int kLastEditorRow = 20;

// A typed whole number of the row table: rounded to the nearest, a half to the
// even neighbour.
double TableInteger(double value) { return std::nearbyint(value); }

bool FitsTable(double value) { return value >= -32768 && value <= 32767; }

// The first `bytes` bytes of a CP932 text, never cutting a double-byte character.
std::string FirstBytes(const std::string& text, size_t bytes) {
  size_t end = 0;
  while (end < text.size()) {
    const auto lead = static_cast<unsigned char>(text[end]);
    const size_t width = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
    if (end + width > bytes) break;
    end += width;
  }
  return text.substr(0, end);
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

Jump LeaveItemTable(App& app) {
  ComputeProfileFreeHeight(app);
  return {ShowProfileItemMenu};
}

void PrintItemList(const profile::State& s) {
  RtColor(5);
  RtPrintStr(" 項目一覧", true);
  std::string list;
  for (int item = 0; item <= kLastEditorRow; ++item) {
    std::string number = RtTrim(RtStr(item));
    number.insert(0, 3 - std::min<size_t>(3, number.size()), ' ');
    std::string name = FirstBytes(s.ProfileItemName(item), 10);
    name.append(10 - name.size(), ' ');
    list += number + ":" + name;
  }
  RtPrintStr(list, true);
  RtColor(7);
}

// The row's item, or a refusal and the question again: an item beyond the 28
// names has no name and no decimals, and a stored one fails every later drawing.
void AskRowItem(App& app, int row) {
  profile::State& s = app.profile;
  for (;;) {
    RtLocate(50, RtCsrlin());
    RtPrintStr("[ Q  E ]", false);
    RtLocate(0, RtCsrlin());
    RtPrintStr("上から", false);
    RtColor(6);
    RtPrintStr(RtToFullWidth(RtStr(row + 1)), false);
    RtColor(7);
    RtPrintStr(" 行目の項目＝ ", false);
    if (row <= s.ProfileLastRow) {
      const int item = s.ProfileRowItem(row);
      const std::string name = s.ProfileItemName.Contains(item) ? s.ProfileItemName(item) : "";
      RtPrintStr(RtTrim(RtStr(item)) + ":" + name, false);
    } else {
      // The item this row held in an earlier layout marks the end of the table.
      const int stale = s.ProfileRowItem(row);
      if (s.ProfileItemName.Contains(stale)) s.ProfileItemName(stale) = "E";
      RtPrintStr("E", false);
    }
    app.input.GuideNumber = 348;
    InputMenuChoice(app);
    if (app.input.Answer.empty()) return;
    const double item = TableInteger(app.input.AnswerValue);
    if (item >= 0 && item <= profile::kLastProfileItem) {
      s.ProfileRowItem(row) = static_cast<int16_t>(item);
      return;
    }
    RtColor(12);
    RtPrintStr(" 項目は 0 から 27 までです", true);
    RtColor(7);
  }
}

// A row-table value prompt; Enter keeps the value, a number beyond the table's
// 16-bit entries is refused.
void AskTableValue(App& app, std::string_view label, int16_t& value, int guide, std::string_view after) {
  if (!profile::AskProfileValue(app, label, value, guide, after)) return;
  const double typed = TableInteger(app.input.AnswerValue);
  if (FitsTable(typed)) {
    value = static_cast<int16_t>(typed);
  } else {
    RtColor(12);
    RtPrintStr(" 値が大きすぎます", true);
    RtColor(7);
  }
}

}  // namespace

void LoadRoadProfileType(App& app) { profile::LoadProfilePreset(app.profile, 1); }

Jump ChooseProfileType(App& app) {
  profile::State& s = app.profile;
  RtPrintStr("", true);
  RtPrintStr(" 1:道路  2:道路mm  3:簡易  4:渓流  5:山腹  6:多線種  7:修正 ", false);
  app.input.GuideNumber = 347;
  InputMenuChoice(app);
  if (app.input.Answer.empty()) return {ShowProfileItemMenu};
  // A clicked "3:簡易" names the type; a typed 3 leaves the name empty.
  const std::string& copy = app.input.AnswerCopy;
  s.ProfileTypeName = copy.size() > 2 ? FirstBytes(copy.substr(2), 10) : "";
  // The name is a field of the job file's comma list: a comma in it would shift
  // every field after it and make the saved job unreadable.
  std::erase(s.ProfileTypeName, ',');
  const int choice = cad::ChoiceOf(app.input.AnswerValue);
  if (choice >= 1 && choice <= 6) {
    profile::LoadProfilePreset(s, choice);
    return LeaveItemTable(app);
  }
  if (choice == 7) return {EditProfileItems};
  return {ShowProfileItemMenu};
}

Jump EditProfileItems(App& app) {
  profile::State& s = app.profile;
  for (int row = 0; row <= kLastEditorRow; ++row) {
    RtCls(RtWindowId::Main);
    // End marks of earlier rows stay until the editor ends; item 0 loses its own.
    s.ProfileItemName(0) = "空白";
    PrintItemList(s);
    AskRowItem(app, row);
    const std::string copy = Upper(app.input.AnswerCopy);
    if (copy == "Q") break;
    const int item = s.ProfileRowItem(row);
    const bool endMark = s.ProfileItemName.Contains(item) && s.ProfileItemName(item) == "E";
    if (!app.input.Answer.starts_with("0") && (copy == "E" || endMark)) {
      s.ProfileLastRow = row - 1;
      break;
    }
    AskTableValue(app, "項目幅 [10,12,15,17,18,20]＝", s.ProfileRowHeight(row), 349, "mm ");
    AskTableValue(app, "数値丸め [1,2,3]＝", s.ProfileItemDigits(item), 350, "桁 ");
  }
  SetProfileItemNames(app);
  return LeaveItemTable(app);
}
