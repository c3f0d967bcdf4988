#include "shell/settings_file.h"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app.h"
#include "core/constants.h"
#include "runtime/dialogs.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace {

using core::kSettingsFile;
constexpr int kCopyFile = 3;
// Blanks after every line of the joined text: a value taken after a key never
// runs into the next line.
constexpr int kLinePadding = 100;
constexpr int kNumberWidth = 30;
constexpr int kTextWidth = 99;

constexpr std::string_view kMouseKey = "MOX=";

// The whole settings file as one text, each line followed by blanks.
std::string JoinSettingsFile() {
  std::string joined;
  std::string line;
  while (!RtEof(kSettingsFile)) {
    RtLineInputVar(kSettingsFile, line);
    joined += line;
    joined.append(kLinePadding, ' ');
  }
  return joined;
}

// The `width` bytes after the first `key` (with its "=") in the joined text,
// blanks removed at both ends; none when the key is not there.
std::optional<std::string> FindValue(const std::string& joined, std::string_view key, int width) {
  const int at = RtInstr(joined, key);
  if (at == 0) return std::nullopt;
  const std::string_view after = std::string_view(joined).substr(at - 1 + key.size());
  return RtTrim(rt::CutBytes(after, width));
}

// True when a value text begins with a number as RtVal reads one: a sign, then
// digits or a point and a digit.
bool StartsWithNumber(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i < text.size() && text[i] == '.') ++i;
  return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

bool IsWhole(double v) { return v == std::floor(v); }

// The values each number key can take.
bool IsComputedPointMode(double v) { return v == 1 || v == 2 || v == 3 || v == 4; }
bool IsZeMode(double v) { return IsWhole(v) && v >= 0 && v <= 4; }
// Steps per metre: above 0, and at most a micrometre.
bool IsRoundingFactor(double v) { return v > 0 && v <= 1e6; }
bool IsVerticalConvention(double v) { return v == 0 || v == 90; }
bool IsCoordinateSystem(double v) { return IsWhole(v) && v >= 0 && v <= 19; }
bool IsLayout(double v) { return v == 0 || v == 1 || v == 2; }
bool IsBackground(double v) { return v == 0 || v == 15; }
bool IsSwitch(double v) { return v == 1 || v == -1; }
// Port 0 stands for port 1.
bool IsPort(double v) { return IsWhole(v) && v >= 0 && v <= 5; }
// 0: no saved ratio.
bool IsSavedMouseRatio(double v) { return v == 0 || IsUsableMouseRatio(v); }

// Reads the number after `key` into `setting` when it is one of `usable`; a key
// that is missing leaves the setting as it was, and so does a value that cannot
// be used, which adds a line to `refused`.
void ReadNumber(const std::string& joined, std::string_view key, double& setting,
                bool (*usable)(double), std::vector<std::string>& refused) {
  const auto value = FindValue(joined, key, kNumberWidth);
  if (!value) return;
  if (StartsWithNumber(*value) && usable(RtVal(*value))) {
    setting = RtVal(*value);
    return;
  }
  refused.push_back(std::string(key) + "「" + *value + "」は使えません (" +
                    RtTrim(RtStr(setting)) + " のまま)");
}

void ReadText(const std::string& joined, std::string_view key, std::string& setting) {
  if (const auto value = FindValue(joined, key, kTextWidth)) setting = *value;
}

// A settings line: the label (ending in the key and "="), the value, a blank.
std::string Line(std::string_view label, std::string_view value) {
  std::string line(label);
  line += value;
  line += ' ';
  return line;
}

std::string Line(std::string_view label, double value) { return Line(label, RtStr(value)); }

std::string MouseLine(const App& app) { return Line(kMouseKey, app.view.MouseScaleRatio); }

}  // namespace

std::vector<std::string> ReadSettings(App& app) {
  // The number keys in the order of the file, with the values each can take.
  // The saved mouse ratio is only kept; start-up decides whether to use it.
  struct NumberKey {
    std::string_view key;
    double shell::Settings::*setting;
    bool (*usable)(double);
  };
  using S = shell::Settings;
  static constexpr NumberKey kNumberKeys[] = {
      {"ZD=", &S::ZD, IsComputedPointMode}, {"ZE=", &S::ZE, IsZeMode},
      {"TN=", &S::TN, IsRoundingFactor},    {"TZ=", &S::TZ, IsRoundingFactor},
      {"T=", &S::T, IsRoundingFactor},      {"VV=", &S::VV, IsVerticalConvention},
      {"ZAKE=", &S::ZAKE, IsCoordinateSystem}, {"GAMEN=", &S::GAMEN, IsLayout},
      {"RG=", &S::RG, IsBackground},        {"ZEH=", &S::ZEH, IsSwitch},
      {"ZEE=", &S::ZEE, IsSwitch},          {"ZEI=", &S::ZEI, IsSwitch},
      {"ZEG=", &S::ZEG, IsSwitch},          {"ZEF=", &S::ZEF, IsSwitch},
      {"COX=", &S::COX, IsPort},            {kMouseKey, &S::MOX, IsSavedMouseRatio},
  };
  const std::string joined = JoinSettingsFile();
  shell::Settings& s = app.settings;
  std::vector<std::string> refused;
  for (const NumberKey& k : kNumberKeys) ReadNumber(joined, k.key, s.*k.setting, k.usable, refused);
  ReadText(joined, "VZ$=", s.VZ);
  ReadText(joined, "VX$=", s.VX);
  app.input.InputStyle = 1;
  if (s.COX == 0) s.COX = 1;
  return refused;
}

void ReportRefusedSettings(std::string_view fileName, const std::vector<std::string>& refused) {
  if (refused.empty()) return;
  std::string text = std::string(fileName) + " の次の設定は読みませんでした:";
  for (const std::string& line : refused) text += "\r\n" + line;
  RtMessageBox(text, "設定ファイル", kButtonsOk, kIconWarning, RtWindowId::Main);
}

bool IsUsableMouseRatio(double ratio) { return ratio >= 0.5 && ratio <= 2; }

void ApplyDefaultSettings(App& app) {
  shell::Settings& s = app.settings;
  s.ZD = 2;
  s.ZE = 0;
  s.TN = 1000;
  s.TZ = 1000;
  s.T = 1000;
  s.VZ = "NOTEPAD.EXE";
  app.points.PointCapacity = core::kPointCapacity;
  s.ZEE = 1;
  s.ZEF = 1;
  s.ZEG = 1;
  s.ZEH = 1;
  s.ZEI = -1;
  s.GAMEN = 0;
  s.RG = 0;
  s.COX = 1;
  app.input.InputStyle = 1;
}

std::vector<std::string> SettingsLines(const App& app) {
  const shell::Settings& s = app.settings;
  std::vector<std::string> lines = {
      Line("仕事名 ZA$=", s.ZA),
      Line("            ", ""),
      Line("ＺＤモード   [ 1 2 3 4 ] ZD=", s.ZD),
      Line("ＺＥモード [ 0 1 2 3 4 ] ZE=", s.ZE),
      Line("座標丸め [ 10 100 1000 ] TN=", s.TN),
      Line("標高丸め [ 10 100 1000 ] TZ=", s.TZ),
      Line("距離丸め [ 10 100 1000 ]  T=", s.T),
      Line("鉛直角  水平    [ 0 90 ] VV=", s.VV),
      Line("座標系  ZAKE=", s.ZAKE),
      Line("ウインドウ配置 [ 0 1 2 ] GAMEN=", s.GAMEN),
      Line("バックカラー黒白[ 0 15 ] RG=", s.RG),
      Line("グラフィック方眼[ 1 -1 ] ZEH=", s.ZEH),
      Line("点名標示 [ 1 -1 ] ZEE=", s.ZEE),
      Line("標高標示 [ 1 -1 ] ZEI=", s.ZEI),
      Line("ﾏｰｸ・ｺｰﾄﾞ[ 1 -1 ] ZEG=", s.ZEG),
      Line("結線標示 [ 1 -1 ] ZEF=", s.ZEF),
      Line("通信ﾎﾟｰﾄ [ 1 2 3 4 5 ] COX=", s.COX),
      Line("使用ｴﾃﾞｨﾀ VZ$=", s.VZ),
      Line("使用CAD VX$=", s.VX),
  };
  // A run that started without a saved ratio saves none; old systems never do.
  if (s.MOX != 0 && app.shell.OldWindowsFlag == 0) lines.push_back(MouseLine(app));
  return lines;
}

void WriteSettingsLines(App& app) {
  for (const std::string& line : SettingsLines(app)) RtPrintToFile(kSettingsFile, line);
}

void RewriteMouseCalibration(App& app) {
  const std::string settingsPath = app.shell.DataFolder + "KRN2000.DEF";
  const std::string copyPath = app.shell.DataFolder + "$kl$";
  // A missing settings file is not an error here: the copy then holds the
  // ratio alone, and the other settings keep their defaults at the next start.
  const bool haveSettings = RtOpen(kSettingsFile, settingsPath, RtFileMode::Input);
  RtOpen(kCopyFile, copyPath, RtFileMode::Output);
  bool ratioWritten = false;
  std::string line;
  while (haveSettings && !RtEof(kSettingsFile)) {
    RtLineInputVar(kSettingsFile, line);
    if (RtInstr(line, kMouseKey) == 0) {
      RtPrintToFile(kCopyFile, line);
    } else if (!ratioWritten) {
      // The ratio replaces the first "MOX=" line in place; the settings after
      // it are kept, and any further "MOX=" line (never read) is dropped.
      RtPrintToFile(kCopyFile, MouseLine(app));
      ratioWritten = true;
    }
  }
  if (!ratioWritten) RtPrintToFile(kCopyFile, MouseLine(app));
  RtClose(kSettingsFile);
  RtClose(kCopyFile);
  RtFileCopy(copyPath, settingsPath);
  RtKill(copyPath);
}
