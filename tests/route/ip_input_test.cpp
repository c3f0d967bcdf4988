// The IP and settings input on the route table, and the station-list header.
#include "route/ip_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "points/point_question.h"
#include "route/route_menu.h"
#include "runtime/text.h"

namespace {

class IpInputTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    UseNumberedPoints(20);
    app.route.FirstIpNumber = 1;
  }
  // A route: start 1, IPs (point, R, A1, A2), end point with 9999.
  void StoreRoute(const std::vector<std::vector<double>>& ips, double end) {
    route::State& r = app.route;
    r.RouteValue(5) = 1;
    int row = 6;
    for (const auto& ip : ips) {
      for (int k = 0; k < 4; ++k) r.RouteValue(row + k) = ip[k];
      r.RouteLabel(row) = app.points.PointName(static_cast<int>(ip[0]));
      row += 4;
    }
    r.RouteValue(row) = end;
    r.RouteValue(row + 1) = 9999;
  }
  Entry Run(const std::string& script) {
    Answers(script);
    return InputRouteIps(app).next;
  }
  double V(int row) { return app.route.RouteValue(row); }
};

TEST_F(IpInputTest, TypesARouteAndWalksItWithEnter) {
  // First IP number, start, IP 1 (point, R, A1, A2), end point with 9999.
  EXPECT_EQ(Run("\n1\n\n2\n100\n30\n40\n\n3\n9999\n"), SeriesRouteMenu);
  const double expected[] = {1, 2, 100, 30, 40, 3, 9999};
  for (int k = 0; k < 7; ++k) EXPECT_EQ(V(5 + k), expected[k]) << 5 + k;
  EXPECT_EQ(app.route.RouteLabel(5), app.points.PointName(1));
  EXPECT_EQ(app.route.RouteLabel(6), app.points.PointName(2));
  EXPECT_EQ(app.route.RouteIpDisplay, 1);

  // Enter everywhere walks the table unchanged and ends after the end's R.
  EXPECT_EQ(Run(std::string(1 + 1 + 5 + 3, '\n')), SeriesRouteMenu);
  for (int k = 0; k < 7; ++k) EXPECT_EQ(V(5 + k), expected[k]) << 5 + k;
  EXPECT_EQ(CountContaining(U8(u8"IP.2 の点＝")), 2);
}

TEST_F(IpInputTest, InsertDeleteRestartAndJump) {
  // IPs 1-5 at points 2-6, the end (IP 6) at point 7.
  StoreRoute({{2, 10, 0, 0}, {3, 20, 0, 0}, {4, 30, 1, 2}, {5, 40, 0, 0}, {6, 50, 0, 0}}, 7);
  // Jump to IP 3, insert: its old values stand at 3 and 4, the end is IP 7.
  Run("\n\n3\nS\n\n\n\n\nQ\n");
  EXPECT_TRUE(Printed(U8(u8"挿入変化点を入力して下さい")));
  EXPECT_EQ(V(14), 4);
  EXPECT_EQ(V(18), 4);
  EXPECT_EQ(V(21), 2);
  EXPECT_EQ(V(30), 7);
  EXPECT_EQ(V(31), 9999);
  // Delete IP 3 twice: IP 5 (point 5) moves to IP 3, the end to IP 5.
  Run("\n\n3\nK\nK\nQ\n");
  EXPECT_EQ(V(14), 5);
  EXPECT_EQ(V(22), 7);
  EXPECT_EQ(V(23), 9999);
  // "0" goes back to the start point; the first IP is shown as FirstIpNumber.
  ForgetTranscript();
  Run("5\n\n0\n\nQ\n");
  EXPECT_EQ(app.route.FirstIpNumber, 5);
  EXPECT_EQ(V(2), 5);
  EXPECT_EQ(CountContaining(U8(u8"ｽﾀｰﾄ点＝")), 2);
  EXPECT_EQ(CountContaining(U8(u8" 入力 IP 番号  5 ")), 2);
  // Typing 5 goes to the fifth stored IP and shows it as 5.
  ForgetTranscript();
  EXPECT_EQ(Run("\n\n5\n\n\n\n"), SeriesRouteMenu);  // IP 5 is the end row now
  EXPECT_EQ(CountContaining(U8(u8"IP.5 の点＝        7")), 1);
}

TEST_F(IpInputTest, RefusesWhatWouldLoseRowsOrLeaveTheTable) {
  StoreRoute({{2, 10, 0, 0}}, 3);
  app.route.RouteValue(997) = 5;  // the last group in use
  // "S" refused, then 0.5, 250, -1 and a text refused; Q ends.
  Run("\n\nS\n0.5\n250\n-1\nABC\nQ\n");
  EXPECT_EQ(CountContaining(U8(u8"挿入できません")), 1);
  EXPECT_EQ(CountContaining(U8(u8"1 から 249 の整数")), 4);
  EXPECT_EQ(V(997), 5);
  EXPECT_EQ(V(6), 2);
  // IP 249 holds an end point only: after its R the entry ends.
  EXPECT_EQ(Run("\n\n249\n\n9\n12\n"), SeriesRouteMenu);
  EXPECT_EQ(V(998), 9);
  EXPECT_EQ(V(999), 12);
}

TEST_F(IpInputTest, WalkStopsAfterIp82) {
  std::vector<std::vector<double>> ips(83, std::vector<double>{2, 10, 0, 0});
  StoreRoute(ips, 3);
  // Enter through IPs 1 to 82 (five answers each) returns to the menu.
  EXPECT_EQ(Run("\n\n" + [] {
              std::string s;
              for (int k = 0; k < 82 * 5; ++k) s += "\n";
              return s;
            }()),
            SeriesRouteMenu);
  EXPECT_EQ(CountContaining(U8(u8"IP.82 の点＝")), 1);
  EXPECT_EQ(CountContaining(U8(u8"IP.83 の点＝")), 0);
  // IP 83 by its number, and the menu again after it.
  EXPECT_EQ(Run("\n\n83\n\n\n\n\n\n"), SeriesRouteMenu);
  EXPECT_EQ(CountContaining(U8(u8"IP.83 の点＝")), 1);
}

TEST_F(IpInputTest, SettingsKeepOnEnterAndStoreTheirRows) {
  route::State& r = app.route;
  r.StationInterval = 20;
  r.DistanceRounding = 1000;
  Answers("150.5\n\n1\n100\n");
  EXPECT_EQ(InputRouteSettings(app).next, SeriesRouteMenu);
  EXPECT_EQ(r.StartChainage, 150.5);
  EXPECT_EQ(V(0), 150.5);
  EXPECT_EQ(r.StationInterval, 20);
  EXPECT_EQ(V(1), 0);  // Enter: the row is not written
  EXPECT_EQ(r.CentreGradeFlag, 1);
  EXPECT_EQ(V(3), 1);
  EXPECT_EQ(V(4), 100);
}

TEST_F(IpInputTest, StationListHeader) {
  const struct {
    double flag, widthStakes;
    const char8_t* header;  // nullptr: nothing written
  } cases[] = {
      {0, 0, u8"  点名     単距離   追加距離      Ｘ          Ｙ          弦長"},
      {1, 0, u8"  点名     単距離   追加距離      Ｘ          Ｙ       計画高      弦長"},
      {1, 1, nullptr},
  };
  for (const auto& c : cases) {
    ResetPrintBuffer(app);
    app.route.CentreGradeFlag = c.flag;
    app.route.WidthStakeMode = c.widthStakes;
    PrintStationListHeader(app);
    const std::string expected =
        c.header ? "\r\n" + rt::Utf8ToCp932(U8(c.header)) + "\r\n" : std::string();
    EXPECT_EQ(PrintBuffer(), expected);
  }
}

}  // namespace
