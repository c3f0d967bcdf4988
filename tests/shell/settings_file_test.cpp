#include "shell/settings_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app.h"
#include "runtime/files.h"
#include "runtime/temp_folder.h"

namespace {

// The file as the program writes it: CP932 lines ended by CR LF.
std::string Crlf(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() { app.shell.DataFolder = folder.path() + "/"; }

  std::string Path(const std::string& name) const { return folder / name; }

  // Reads `bytes` as a settings file into `target`.
  void Read(const std::string& bytes, App& target) {
    WriteHostFile(Path("read.DEF"), bytes);
    ASSERT_TRUE(RtOpen(4, Path("read.DEF"), RtFileMode::Input));
    refused = ReadSettings(target);
    RtClose(4);
  }
  void Read(const std::string& bytes) { Read(bytes, app); }

  // Writes the settings of `source` as "name" and returns its bytes.
  std::string Write(App& source, const std::string& name) {
    RtOpen(4, Path(name), RtFileMode::Output);
    WriteSettingsLines(source);
    RtClose(4);
    return ReadHostFile(Path(name));
  }

  TempFolder folder;
  App app;
  std::vector<std::string> refused;  // what the last Read did not take
};

void SetUnusualSettings(App& a) {
  shell::Settings& s = a.settings;
  s.ZA = "現場A";
  s.ZD = 1;
  s.ZE = 3;
  s.TN = 100;
  s.TZ = 10;
  s.T = 100;
  s.VV = 90;
  s.ZAKE = 9;
  s.GAMEN = 2;
  s.RG = 15;
  s.ZEH = -1;
  s.ZEE = -1;
  s.ZEI = 1;
  s.ZEG = -1;
  s.ZEF = -1;
  s.COX = 3;
  s.VZ = "C:/TOOLS/EDIT.EXE";
  s.VX = "C:\\CAD\\作図.EXE";
  s.MOX = 1.0625;
  a.view.MouseScaleRatio = 1.0625;
}

TEST_F(SettingsFileTest, WritesEveryLineAsLabelValueAndBlank) {
  SetUnusualSettings(app);
  EXPECT_EQ(Write(app, "KRN2000.DEF"), Crlf({
                                           "仕事名 ZA$=現場A ",
                                           "             ",
                                           "ＺＤモード   [ 1 2 3 4 ] ZD= 1 ",
                                           "ＺＥモード [ 0 1 2 3 4 ] ZE= 3 ",
                                           "座標丸め [ 10 100 1000 ] TN= 100 ",
                                           "標高丸め [ 10 100 1000 ] TZ= 10 ",
                                           "距離丸め [ 10 100 1000 ]  T= 100 ",
                                           "鉛直角  水平    [ 0 90 ] VV= 90 ",
                                           "座標系  ZAKE= 9 ",
                                           "ウインドウ配置 [ 0 1 2 ] GAMEN= 2 ",
                                           "バックカラー黒白[ 0 15 ] RG= 15 ",
                                           "グラフィック方眼[ 1 -1 ] ZEH=-1 ",
                                           "点名標示 [ 1 -1 ] ZEE=-1 ",
                                           "標高標示 [ 1 -1 ] ZEI= 1 ",
                                           "ﾏｰｸ・ｺｰﾄﾞ[ 1 -1 ] ZEG=-1 ",
                                           "結線標示 [ 1 -1 ] ZEF=-1 ",
                                           "通信ﾎﾟｰﾄ [ 1 2 3 4 5 ] COX= 3 ",
                                           "使用ｴﾃﾞｨﾀ VZ$=C:/TOOLS/EDIT.EXE ",
                                           "使用CAD VX$=C:\\CAD\\作図.EXE ",
                                           "MOX= 1.0625 ",
                                       }));
}

TEST_F(SettingsFileTest, ReadsBackWhatItWroteByteForByte) {
  SetUnusualSettings(app);
  const std::string written = Write(app, "KRN2000.DEF");

  App other;
  other.input.InputStyle = -1;
  Read(written, other);
  const shell::Settings& s = other.settings;
  EXPECT_EQ(s.ZD, 1);
  EXPECT_EQ(s.ZE, 3);
  EXPECT_EQ(s.TN, 100);
  EXPECT_EQ(s.TZ, 10);
  EXPECT_EQ(s.T, 100);
  EXPECT_EQ(s.VV, 90);
  EXPECT_EQ(s.ZAKE, 9);
  EXPECT_EQ(s.GAMEN, 2);
  EXPECT_EQ(s.RG, 15);
  EXPECT_EQ(s.ZEH, -1);
  EXPECT_EQ(s.ZEE, -1);
  EXPECT_EQ(s.ZEI, 1);
  EXPECT_EQ(s.ZEG, -1);
  EXPECT_EQ(s.ZEF, -1);
  EXPECT_EQ(s.COX, 3);
  // An editor path holding "/" stays whole.
  EXPECT_EQ(s.VZ, "C:/TOOLS/EDIT.EXE");
  EXPECT_EQ(s.VX, "C:\\CAD\\作図.EXE");
  EXPECT_EQ(s.MOX, 1.0625);
  EXPECT_EQ(other.input.InputStyle, 1);
  // The job name is never read; the saved ratio is not made live by reading.
  EXPECT_EQ(s.ZA, "");
  EXPECT_EQ(other.view.MouseScaleRatio, 1);

  other.settings.ZA = app.settings.ZA;
  other.view.MouseScaleRatio = s.MOX;
  EXPECT_EQ(Write(other, "again.DEF"), written);
}

TEST_F(SettingsFileTest, DefaultsAreThoseOfAStartWithoutASettingsFile) {
  SetUnusualSettings(app);
  app.input.InputStyle = -1;
  app.points.PointCapacity = 5;
  ApplyDefaultSettings(app);
  const shell::Settings& s = app.settings;
  EXPECT_EQ(s.ZD, 2);
  EXPECT_EQ(s.ZE, 0);
  EXPECT_EQ(s.TN, 1000);
  EXPECT_EQ(s.TZ, 1000);
  EXPECT_EQ(s.T, 1000);
  EXPECT_EQ(s.VZ, "NOTEPAD.EXE");
  EXPECT_EQ(app.points.PointCapacity, 9999);
  EXPECT_EQ(s.ZEE, 1);
  EXPECT_EQ(s.ZEF, 1);
  EXPECT_EQ(s.ZEG, 1);
  EXPECT_EQ(s.ZEH, 1);
  EXPECT_EQ(s.ZEI, -1);
  EXPECT_EQ(s.GAMEN, 0);
  EXPECT_EQ(s.RG, 0);
  EXPECT_EQ(s.COX, 1);
  EXPECT_EQ(app.input.InputStyle, 1);

  // A fresh program holds the same values, and VV, ZAKE, MOX and VX$ empty.
  const App fresh;
  EXPECT_EQ(fresh.settings.VV, 0);
  EXPECT_EQ(fresh.settings.ZAKE, 0);
  EXPECT_EQ(fresh.settings.MOX, 0);
  EXPECT_EQ(fresh.settings.VX, "");
  EXPECT_EQ(fresh.settings.ZD, 2);
  EXPECT_EQ(fresh.settings.ZEI, -1);
}

TEST_F(SettingsFileTest, KeysAreFoundAnywhereAndTheFirstOneCounts) {
  Read(Crlf({
      "何でも ZE=2 ZD=1",
      "  T=10 TN=100",
      "ZD=3",
      "ZEF=-1 ZEE=-1 COX=5",
  }));
  EXPECT_EQ(app.settings.ZD, 1);
  EXPECT_EQ(app.settings.ZE, 2);
  EXPECT_EQ(app.settings.T, 10);
  EXPECT_EQ(app.settings.TN, 100);
  EXPECT_EQ(app.settings.ZEF, -1);
  EXPECT_EQ(app.settings.ZEE, -1);
  EXPECT_EQ(app.settings.COX, 5);
}

TEST_F(SettingsFileTest, ValuesAreCutAndTrimmed) {
  const std::string longPath = "/" + std::string(120, 'e');
  Read(Crlf({
      // 30 bytes after the key: blanks, then digits cut after the 30th byte.
      "TN=" + std::string(26, ' ') + "123456",
      "VZ$=" + longPath,
      "VX$=　全角で囲む　",
      "ZAKE=  7  ",
  }));
  EXPECT_EQ(app.settings.TN, 1234);
  EXPECT_EQ(app.settings.VZ, longPath.substr(0, 99));
  EXPECT_EQ(app.settings.VX, "全角で囲む");
  EXPECT_EQ(app.settings.ZAKE, 7);
}

TEST_F(SettingsFileTest, ValuesTheProgramCannotUseKeepTheSettingAndAreNamed) {
  struct Case {
    std::string line;
    double shell::Settings::*setting;
    std::string refused;  // the line that names it
  };
  using S = shell::Settings;
  const std::vector<Case> cases = {
      {"TN=abc", &S::TN, "TN=「abc」は使えません (1000 のまま)"},
      {"TZ= 0 ", &S::TZ, "TZ=「0」は使えません (1000 のまま)"},
      {"T=-10", &S::T, "T=「-10」は使えません (1000 のまま)"},
      {"ZD=2.5kg", &S::ZD, "ZD=「2.5kg」は使えません (2 のまま)"},
      {"ZE= 5 ", &S::ZE, "ZE=「5」は使えません (0 のまま)"},
      {"VV= 45 ", &S::VV, "VV=「45」は使えません (0 のまま)"},
      {"ZAKE= 20 ", &S::ZAKE, "ZAKE=「20」は使えません (0 のまま)"},
      {"GAMEN=7", &S::GAMEN, "GAMEN=「7」は使えません (0 のまま)"},
      {"RG= 7 ", &S::RG, "RG=「7」は使えません (0 のまま)"},
      {"ZEH= 0 ", &S::ZEH, "ZEH=「0」は使えません (1 のまま)"},
      {"ZEI=", &S::ZEI, "ZEI=「」は使えません (-1 のまま)"},
      {"COX=x", &S::COX, "COX=「x」は使えません (1 のまま)"},
      {"COX= 9 ", &S::COX, "COX=「9」は使えません (1 のまま)"},
      // A ratio that puts the layouts' windows off the screen, or no ratio at all.
      {"MOX= 1" + std::string(28, '0'), &S::MOX,
       "MOX=「1" + std::string(28, '0') + "」は使えません (0 のまま)"},
      {"MOX= -1.0625 ", &S::MOX, "MOX=「-1.0625」は使えません (0 のまま)"},
      {"MOX= .3 ", &S::MOX, "MOX=「.3」は使えません (0 のまま)"},
  };
  for (const Case& c : cases) {
    App fresh;
    Read(Crlf({c.line, "VX$=CAD.EXE"}), fresh);
    EXPECT_EQ(fresh.settings.*c.setting, app.settings.*c.setting) << c.line;
    EXPECT_EQ(refused, std::vector<std::string>{c.refused}) << c.line;
    EXPECT_EQ(fresh.settings.VX, "CAD.EXE") << c.line;  // the rest is read
  }
  // Values of the choices, and the two that stand for others, are taken silently.
  Read(Crlf({"ZE= 4 VV= 90 ZAKE= 19 GAMEN= 2 RG= 15 ZEH=-1 TN= 1 COX= 0 MOX= 0 "}));
  EXPECT_TRUE(refused.empty()) << refused.front();
  EXPECT_EQ(app.settings.COX, 1);  // a port of 0 is port 1
  EXPECT_EQ(app.settings.TN, 1);
}

TEST_F(SettingsFileTest, CoxZeroBecomesOne) {
  Read(Crlf({"COX= 0 "}));
  EXPECT_EQ(app.settings.COX, 1);
}

TEST_F(SettingsFileTest, AMissingKeyKeepsTheSettingItHad) {
  app.settings.TN = 100;
  app.settings.VZ = "gedit";
  app.settings.MOX = 0;
  app.input.InputStyle = -1;
  Read(Crlf({"仕事名 ZA$=KRN2000 ", "ＺＤモード   [ 1 2 3 4 ] ZD= 3 "}));
  EXPECT_EQ(app.settings.ZD, 3);
  EXPECT_EQ(app.settings.TN, 100);
  EXPECT_EQ(app.settings.VZ, "gedit");
  EXPECT_EQ(app.settings.MOX, 0);
  EXPECT_EQ(app.settings.ZA, "");
  EXPECT_EQ(app.input.InputStyle, 1);
}

TEST_F(SettingsFileTest, ReadsTheSavedMouseRatio) {
  Read(Crlf({"仕事名 ZA$=KRN2000 ", "MOX= 1.0625 "}));
  EXPECT_EQ(app.settings.MOX, 1.0625);
  EXPECT_EQ(app.view.MouseScaleRatio, 1);
}

TEST_F(SettingsFileTest, TheRatioLineIsWrittenOnlyForASavedRatioOnNewSystems) {
  app.view.MouseScaleRatio = 0.923;
  // A run that started without a saved ratio writes none, even after a calibration.
  EXPECT_EQ(SettingsLines(app).size(), 19u);

  app.settings.MOX = 1.25;
  ASSERT_EQ(SettingsLines(app).size(), 20u);
  EXPECT_EQ(SettingsLines(app).back(), "MOX= .923 ");

  app.shell.OldWindowsFlag = 1;
  EXPECT_EQ(SettingsLines(app).size(), 19u);
}

class MouseRewriteTest : public SettingsFileTest {
 protected:
  std::string Settings() const { return ReadHostFile(Path("KRN2000.DEF")); }
};

TEST_F(MouseRewriteTest, ReplacesTheRatioLine) {
  WriteHostFile(Path("KRN2000.DEF"), Crlf({"仕事名 ZA$=KRN2000 ", "ZD= 2 ", "MOX= 1.25 "}));
  app.view.MouseScaleRatio = 1200.0 / 1300.0;
  RewriteMouseCalibration(app);
  EXPECT_EQ(Settings(), Crlf({"仕事名 ZA$=KRN2000 ", "ZD= 2 ", "MOX= .923076923076923 "}));
  EXPECT_FALSE(RtFileExists(Path("$kl$")));
}

TEST_F(MouseRewriteTest, AddsARatioLineToAFileWithoutOne) {
  WriteHostFile(Path("KRN2000.DEF"), Crlf({"仕事名 ZA$=KRN2000 ", "ZD= 2 "}));
  app.view.MouseScaleRatio = 1.0625;
  RewriteMouseCalibration(app);
  EXPECT_EQ(Settings(), Crlf({"仕事名 ZA$=KRN2000 ", "ZD= 2 ", "MOX= 1.0625 "}));
}

TEST_F(MouseRewriteTest, KeepsTheSettingsAfterTheRatioLine) {
  WriteHostFile(Path("KRN2000.DEF"),
                Crlf({"ZD= 2 ", "MOX= 1.25 ", "ZEF=-1 ", "MOX= 3 ", "COX= 2 "}));
  app.view.MouseScaleRatio = 2;
  RewriteMouseCalibration(app);
  EXPECT_EQ(Settings(), Crlf({"ZD= 2 ", "MOX= 2 ", "ZEF=-1 ", "COX= 2 "}));
}

TEST_F(MouseRewriteTest, CreatesTheSettingsFileWhenItIsMissing) {
  app.view.MouseScaleRatio = 1.125;
  app.shell.OldWindowsFlag = 1;  // saving would write no ratio; the rewrite does
  RewriteMouseCalibration(app);
  EXPECT_EQ(Settings(), Crlf({"MOX= 1.125 "}));
}

TEST_F(MouseRewriteTest, AnOldWorkFileIsReplacedAndRemoved) {
  WriteHostFile(Path("$kl$"), "old\r\n");
  WriteHostFile(Path("KRN2000.DEF"), Crlf({"ZD= 2 "}));
  app.view.MouseScaleRatio = 1;
  RewriteMouseCalibration(app);
  EXPECT_EQ(Settings(), Crlf({"ZD= 2 ", "MOX= 1 "}));
  EXPECT_FALSE(RtFileExists(Path("$kl$")));
}

TEST_F(MouseRewriteTest, AlwaysRewritesTheSettingsFileOfTheDataFolder) {
  WriteHostFile(Path("KRN2000.DEF"), Crlf({"ZD= 2 "}));
  const std::string other = Crlf({"ZD= 4 ", "MOX= 1.5 "});
  WriteHostFile(Path("OTHER.DEF"), other);
  Read(other);
  app.view.MouseScaleRatio = 1.5;
  RewriteMouseCalibration(app);
  EXPECT_EQ(Settings(), Crlf({"ZD= 2 ", "MOX= 1.5 "}));
  EXPECT_EQ(ReadHostFile(Path("OTHER.DEF")), other);
}

}  // namespace
