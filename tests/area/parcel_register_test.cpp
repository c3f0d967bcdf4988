// The parcel chooser in the coordinate area report: registering, reloading,
// series, deletion and the editor round trip, with "K.D" checked byte for byte
// after each step.
#include "area/parcel_register.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "area/area_fixture.h"
#include "area/area_menu.h"
#include "area/coordinate_area_report.h"
#include "runtime/process_fixture.h"

namespace {

const std::string kParcel12 =
    "D00, 1 ,12,1,\r\nB01, 1 ,A1,\r\nB01, 2 ,A2,\r\nB01, 3 ,A3,\r\nB01, 4 ,A4,\r\nD99,\r\n";
const std::string kParcel12Dash1 = "D00, 2 ,12-1,2,\r\nB01, 1 ,A1,\r\nB01, 2 ,A2,\r\nB01, 3 ,A3,\r\nD99,\r\n";

class ParcelRegisterTest : public AreaTest {
 protected:
  void SetUp() override {
    AreaTest::SetUp();
    SetSquare();
    area::State& a = app.area;
    a.LabelX.Dimension(2000);
    a.LabelY.Dimension(2000);
    a.LabelText.Dimension(4000);
    std::ofstream(Kd(), std::ios::binary);  // the empty work file of start-up
  }
  std::string Kd() { return app.shell.DataFolder + "K.D"; }
  std::string ReadKd() {
    std::ifstream in(Kd(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // The report in style 0 on `script`, then "Q" to the area menu.
  void Report(const std::string& script) {
    EXPECT_EQ(RunUntil(CoordinateAreaReport, "0\n" + script + "Q\n", AreaMenu, 200), AreaMenu);
  }
  void RegisterBoth() { Report("12\nY\nA1\nA2\nA3\nA4\n\n12-1\nW\nA1\nA2\nA3\n\n"); }
  int IndexOf(const std::string& part) {
    const auto lines = Lines();
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].find(part) != std::string::npos) return static_cast<int>(i);
    }
    return -1;
  }
};

TEST_F(ParcelRegisterTest, RegistersReloadsAndDeletesParcels) {
  RegisterBoth();
  EXPECT_EQ(ReadKd(), kParcel12 + kParcel12Dash1);
  EXPECT_EQ(app.area.LabelCount, 2);
  EXPECT_EQ(app.area.LabelText(1), "12-1");
  // The closed parcel counted, the open one not.
  EXPECT_EQ(CountContaining(U8(u8"地番＝12          面積=     100.00㎡  累積=     100.00㎡   1筆")), 1);
  EXPECT_EQ(CountContaining(U8(u8"地番＝12-1        面積=       0.00㎡  累積=     100.00㎡   1筆")), 1);

  // Reloaded by its land number (with or without "@"): its vertices feed the figure.
  app.area.CumulativeParcelArea = 0;
  app.area.CumulativeParcelCount = 0;
  ForgetTranscript();
  Report("@12\n");
  EXPECT_EQ(CountContaining("S=       100.0000000"), 1);
  EXPECT_EQ(ReadKd(), kParcel12 + kParcel12Dash1);

  // "K" deletes 12-1 and its outline; Enter alone ends the deletions.
  ForgetTranscript();
  Report("K\n12-1\n\n");
  EXPECT_EQ(ReadKd(), kParcel12);
  EXPECT_EQ(CountContaining(U8(u8"12-1を削除しました")), 1);
  EXPECT_FALSE(RtFileExists(Kd() + "D"));
  int switchedOff = 0;
  for (int k = 1; k <= app.lines.LineVertexCount; ++k) switchedOff += app.lines.LineType(k) == 9;
  EXPECT_GE(switchedOff, 2);
}

TEST_F(ParcelRegisterTest, SeriesDeliverTheirParcelsInFileOrder) {
  RegisterBoth();
  std::ofstream(Kd(), std::ios::app | std::ios::binary) << "D00, 3 ,13,1,\r\nB01, 1 ,A1,\r\nB01, 2 ,A2,\r\nB01, 3 ,A3,\r\nD99,\r\n";
  ForgetTranscript();
  Report("=\n");
  const int first = IndexOf(U8(u8" 地番  12")), second = IndexOf(U8(u8" 地番  12-1")),
            third = IndexOf(U8(u8" 地番  13"));
  EXPECT_GE(first, 0);
  EXPECT_LT(first, second);
  EXPECT_LT(second, third);
  EXPECT_EQ(app.area.ParcelSeriesMode, 0);  // over, and asked again

  ForgetTranscript();
  Report("12=\n");
  EXPECT_EQ(CountContaining(U8(u8" 地番  12")), 2);  // 12 and 12-1, not 13
  EXPECT_EQ(CountContaining(U8(u8" 地番  13")), 0);
}

TEST_F(ParcelRegisterTest, NAsksAgainAndACommaIsRefused) {
  Report("9\nN\n9,1\nY\n");
  EXPECT_EQ(CountContaining(U8(u8"地番に , は使えません")), 1);
  EXPECT_EQ(ReadKd(), "");
}

TEST_F(ParcelRegisterTest, VRunsTheEditorOnTheFileAndReadsItAgain) {
  RegisterBoth();
  const std::string editor = app.shell.DataFolder + "edit.sh";
  std::ofstream(editor) << "#!/bin/sh\ncp \"$1\" \"$1.seen\"\nsed -i 's/,12-1,/,7-2,/' \"$1\"\n";
  chmod(editor.c_str(), 0755);
  const testing_support::ScopedEnv env("KRN_EDITOR", editor);
  ForgetTranscript();
  Report("V\n");
  std::ifstream seen(Kd() + ".seen", std::ios::binary);
  std::stringstream s;
  s << seen.rdbuf();
  EXPECT_EQ(s.str(), kParcel12 + kParcel12Dash1);
  EXPECT_EQ(app.area.LabelText(1), "7-2");
  EXPECT_TRUE(Holds(ReportLines(), " 地番  V"));
}

TEST_F(ParcelRegisterTest, TotalsAreCutToHundredthsParcelByParcel) {
  app.area.CurrentLotNumber = "@1";
  app.area.ParcelArea = 120.456;
  Answers("\n");
  EditParcelRegister(app);
  EXPECT_EQ(app.area.ParcelSource, 0);
  app.area.CurrentLotNumber = "@2";
  app.area.ParcelArea = 80.004;
  Answers("\n");
  EditParcelRegister(app);
  EXPECT_NEAR(app.area.CumulativeParcelArea, 200.45, 1e-9);
  EXPECT_EQ(app.area.CumulativeParcelCount, 2);
  EXPECT_EQ(CountContaining(U8(u8"面積=     120.45㎡  累積=     120.45㎡   1筆")), 1);
  EXPECT_EQ(CountContaining(U8(u8"面積=      80.00㎡  累積=     200.45㎡   2筆")), 1);
}

}  // namespace

TEST_F(ParcelRegisterTest, AClickOnAParcelLabelAnswersTheLandNumber) {
  RegisterBoth();
  ASSERT_EQ(app.area.LabelText(0), "12");
  // The view position of the label of 12, in the view's own units.
  const ui::ViewState& v = app.view;
  const double viewX = (app.area.LabelY(0) - v.ViewOriginY) / v.ViewScale;
  const double viewY = v.ViewHeight - (app.area.LabelX(0) - v.ViewOriginX) / (v.ViewScale * v.VerticalRatio);
  app.area.CumulativeParcelArea = 0;
  app.area.CumulativeParcelCount = 0;
  ForgetTranscript();
  // The click offers "12"; Enter takes it and the parcel is reloaded.
  Report("!click view " + std::to_string(viewX) + " " + std::to_string(viewY) + "\n\n");
  EXPECT_EQ(CountContaining("S=       100.0000000"), 1);
  EXPECT_EQ(app.area.LotNumberPickEnabled, 0);
}
