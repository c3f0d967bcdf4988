// Registration of the work point: the name and number questions, same-named
// points, the commands of the name question, the local system, connection lines,
// the radiation log and the entries that store without a question.
#include "points/registration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "points/point_question.h"
#include "points/table.h"
#include "shell/program.h"

namespace {

class RegistrationTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    Restart();
  }
  // The job as each case starts from: points 1 to 30 (7 and 30 named A), the
  // next number 31, the series at T.4, no sound played, nothing said yet.
  void Restart() {
    points::Store& p = app.points;
    for (int i = 31; i <= 40; ++i) SetPoint(i, 0, 0, DefaultPointName(i));
    UseNumberedPoints(30);
    SetPoint(7, 70, 70, "A");
    SetPoint(30, 300, 300, "A");
    p.PointCount = 30;
    p.NextPointNumber = 31;
    p.NewPointCount = 0;
    app.settings.ZD = 3;
    app.shell.PointNamePrefix = "T.";
    app.shell.PointNameNumber = 4;
    app.rt.notes.clear();
    ForgetTranscript();
  }
  void Register(const std::string& script, double x = 1000, double y = 2000, double z = 0) {
    points::Store& p = app.points;
    p.WorkPointX = x;
    p.WorkPointY = y;
    p.WorkPointZ = z;
    Answers(script);
    StorePoint(app);
  }
};

TEST_F(RegistrationTest, TwoEntersRegisterTheProposedNameUnderTheNextNumber) {
  Register("\n\n", 1000, 2000, 4.5);
  points::Store& p = app.points;
  EXPECT_EQ(p.StoredPointNumber, 31);
  EXPECT_EQ(p.PointName(31), "T.5");
  EXPECT_EQ(p.PointX(31), 1000);
  EXPECT_EQ(p.PointY(31), 2000);
  EXPECT_EQ(p.PointZ(31), 4.5);
  EXPECT_EQ(p.PointCount, 31);
  EXPECT_EQ(p.NextPointNumber, 32);
  EXPECT_EQ(p.CurrentPointNumber, 31);
  EXPECT_EQ(p.WorkPointX, 1000);
  EXPECT_EQ(p.WorkPointZ, 0);
  EXPECT_EQ(p.NewPointList(0), 31);
  EXPECT_EQ(app.shell.PointNameNumber, 5);  // the next proposal follows it
  EXPECT_EQ(TimesPlayed("ding.wav"), 1);
  // The questions, each below its command line at column 34.
  const std::string commands = "[[=],P,M,L,/,=,*,+,Q] 30";
  EXPECT_TRUE(Printed(U8(u8" 31 ﾃﾝﾒｲ= T.5 ?") + std::string(19, ' ') + commands));
  EXPECT_TRUE(Printed(U8(u8"T.5 ﾃﾝﾊﾞﾝ= 31 ?") + std::string(19, ' ') + commands));
}

TEST_F(RegistrationTest, TheNumberItselfAsNameSkipsTheNumberQuestion) {
  Register("31\n");
  EXPECT_EQ(app.points.PointName(31), " 31");
  EXPECT_EQ(CountContaining(U8(u8"ﾃﾝﾊﾞﾝ=")), 0);
  Register("^AB\n\n");
  EXPECT_EQ(app.points.PointName(32), " AB");
}

TEST_F(RegistrationTest, ASameNameIsListedAndItsLowestNumberProposed) {
  Register("A\n\n", 5, 6);
  const std::string pad(15, ' ');  // "A" in its field of 16
  EXPECT_TRUE(
      Printed(U8(u8"    7 ﾆ A") + pad + "      70.000      70.000     0.000 " + U8(u8"ｱﾘ")));
  EXPECT_TRUE(
      Printed(U8(u8"   30 ﾆ A") + pad + "     300.000     300.000     0.000 " + U8(u8"ｱﾘ")));
  EXPECT_EQ(app.points.StoredPointNumber, 7);
  EXPECT_EQ(app.points.PointX(7), 5);  // replaced
  EXPECT_EQ(app.points.PointCount, 30);
}

TEST_F(RegistrationTest, NumbersOutsideTheTableAreRefusedAndTextsAreNames) {
  // -5, 2.5 and 10000 are refused, each asking again with the name typed; "B12"
  // at the number question is a new name; then 40.
  Register("N\n-5\n\n2.5\n\n10000\n\nB12\n40\n");
  EXPECT_EQ(CountContaining(U8(u8"点番が許容範囲を超えています")), 3);
  EXPECT_EQ(TimesPlayed("chord.wav"), 3);
  EXPECT_EQ(app.points.PointName(40), "B12");
  EXPECT_EQ(app.points.StoredPointNumber, 40);
  EXPECT_EQ(app.points.NextPointNumber, 41);
}

TEST_F(RegistrationTest, AFullTableRefusesTheNumberAfterItsLast) {
  points::Store& p = app.points;
  SetPoint(9999, 1, 1, "LAST");
  p.NextPointNumber = 9999;
  // A new name gets 10000, which is refused; a free number below is taken.
  Register("NEW\n\n\n9000\n");
  EXPECT_EQ(CountContaining(U8(u8"点番が許容範囲を超えています")), 1);
  EXPECT_EQ(p.PointName(9000), "NEW");
  EXPECT_EQ(p.NextPointNumber, 9001);
  EXPECT_EQ(p.PointCount, 9999);

  // Stored at the last number, the next number stays there.
  Register("LAST2\n9999\n");
  EXPECT_EQ(p.PointName(9999), "LAST2");
  EXPECT_EQ(p.NextPointNumber, 9999);
}

TEST_F(RegistrationTest, PPassesAndQLeaves) {
  Register("p\n");
  EXPECT_EQ(app.points.PointCount, 30);
  EXPECT_EQ(app.points.StoredPointNumber, 31);
  EXPECT_EQ(TimesPlayed("ding.wav"), 0);
  EXPECT_EQ(JumpTarget([&] { Register("q\n"); }), ShowResultMenu);
  EXPECT_EQ(app.points.PointCount, 30);
}

TEST_F(RegistrationTest, ZdFourStoresNothing) {
  app.settings.ZD = 4;
  Register("NAME\n");
  EXPECT_EQ(app.points.StoredPointNumber, app.shell.Epsilon);
  EXPECT_EQ(app.points.PointCount, 30);
  EXPECT_EQ(app.points.NextPointNumber, 31);
}

TEST_F(RegistrationTest, NumberQuestionAnswers) {
  // Answers at the number question after the name N: 0 and a text are new
  // names (asked again for their number), P there passes.
  const struct {
    const char* script;
    double stored;  // 0: nothing stored
    const char* name;
  } cases[] = {
      {"N\n0\n\n", 31, "0"},
      {"N\nB12\n\n", 31, "B12"},
      {"N\nP\n", 0, ""},
      {"N\n12\n", 12, "N"},  // below PointCount
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    Restart();
    Register(c.script);
    points::Store& p = app.points;
    if (c.stored == 0) {
      EXPECT_EQ(p.PointCount, 30);
      EXPECT_EQ(TimesPlayed("ding.wav"), 0);
      continue;
    }
    EXPECT_EQ(p.PointName(c.stored), c.name);
    EXPECT_EQ(p.NextPointNumber, c.stored + 1);
  }
}

TEST_F(RegistrationTest, AStoreBelowPointCountLeavesTheCountAndTheSeriesAlone) {
  Register("N\n12\n");
  points::Store& p = app.points;
  EXPECT_EQ(p.PointCount, 30);
  EXPECT_EQ(p.NextPointNumber, 13);
  EXPECT_EQ(app.shell.PointNameNumber, 4);
  // The next question shows 13, but a new name is offered PointCount + 1.
  Register("NEW\n\n");
  EXPECT_EQ(CountContaining(U8(u8" 13 ﾃﾝﾒｲ= T.5 ")), 1);
  EXPECT_EQ(CountContaining(U8(u8"NEW ﾃﾝﾊﾞﾝ= 31 ")), 1);
  EXPECT_EQ(p.PointName(31), "NEW");
}

TEST_F(RegistrationTest, ACaretNameKeepsAllItsCharacters) {
  Register("^ABCDEFGHIJKLMNOP\n\n");
  EXPECT_EQ(app.points.PointName(31), " ABCDEFGHIJKLMNOP");
}

TEST_F(RegistrationTest, APrefixProposesTheNameAfterTheHighestNumberedMatch) {
  SetPoint(2, 20, 10, "A7");
  SetPoint(3, 30, 15, "A1");
  SetPoint(7, 70, 70, "B");
  SetPoint(30, 300, 300, "C");
  Register("A=\n\n\n");
  EXPECT_TRUE(Printed(U8(u8" 31 ﾃﾝﾒｲ= A2 ?") + std::string(20, ' ') + "[[=],P,M,L,/,=,*,+,Q] 30"));
  EXPECT_EQ(app.points.PointName(31), "A2");

  // Nothing begins with XYZ: said, and the text offered as the next default.
  Register("XYZ=\nNEW\n\n");
  EXPECT_EQ(CountContaining(U8(u8"ｱﾘﾏｾﾝ")), 1);
  EXPECT_EQ(CountContaining(U8(u8" 32 ﾃﾝﾒｲ= XYZ= ")), 1);
  EXPECT_EQ(app.points.PointName(32), "NEW");
}

TEST_F(RegistrationTest, LPicksTheNumberOnTheCoordinateTable) {
  // The table opens at 31 (the number a new name gets); one row back is point
  // 30, whose name is then proposed; accepting it replaces point 30, not 7.
  Register("L\n-\n\n\n");
  points::Store& p = app.points;
  EXPECT_EQ(CountContaining(U8(u8" 30 ﾃﾝﾒｲ= A ")), 1);
  EXPECT_EQ(p.StoredPointNumber, 30);
  EXPECT_EQ(p.PointX(30), 1000);
  EXPECT_EQ(p.PointX(7), 70);
  EXPECT_EQ(p.WorkPointX, 1000);  // the work point is the point registered again
}

TEST_F(RegistrationTest, ZdOnePrintsTheListLineWithoutAQuestion) {
  app.settings.ZD = 1;
  Register("", 1000, 2000);
  EXPECT_EQ(CountContaining(U8(u8"ﾃﾝﾒｲ=")), 0);
  EXPECT_EQ(app.points.PointCount, 30);
  EXPECT_EQ(app.points.NewPointCount, 0);
  EXPECT_NE(PrintBuffer().find("X=   1000.000  Y=   2000.000"), std::string::npos);
}

TEST_F(RegistrationTest, TraverseInputAsksOnlyTheName) {
  app.traverse.TraverseInputKind = 1;
  Register("K12\n", 5, 6);
  points::Store& p = app.points;
  EXPECT_EQ(app.input.Answer, "K12");
  EXPECT_EQ(p.PointCount, 30);
  EXPECT_EQ(TimesPlayed("chord.wav"), 1);
  EXPECT_EQ(TimesPlayed("ding.wav"), 0);
  EXPECT_EQ(app.shell.PointNamePrefix, "K");
  EXPECT_EQ(app.shell.PointNameNumber, 12);
  EXPECT_EQ(p.LineConnectMode, 0);  // no line mode under a traverse kind
  EXPECT_EQ(p.PointInputMode, 1);
}

TEST_F(RegistrationTest, TheObservationsReRegistrationSkipsSameNamesAndCommands) {
  traverse::State& t = app.traverse;
  t.TraverseInputKind = 2;
  t.ObservationRunning = 1;
  t.ObservationCommand = "*";
  app.points.NextPointNumber = 30;  // stepped back by the loop
  // "A" is borne by 7 and 30, "P" would pass: here both are names.
  Register("A\n\n");
  EXPECT_EQ(CountContaining(U8(u8"ｱﾘ")), 0);
  EXPECT_EQ(app.points.StoredPointNumber, 30);
  EXPECT_EQ(app.points.PointX(30), 1000);
  EXPECT_EQ(app.points.PointX(7), 70);
  app.points.NextPointNumber = 30;
  Register("P\n\n");
  EXPECT_EQ(app.points.PointName(30), "P");
}

// The base line of the local system: from (100, 200) to the north, chainage 1000.
class BaseLineTest : public RegistrationTest {
 protected:
  void SetUp() override {
    RegistrationTest::SetUp();
    cogo::State& c = app.cogo;
    c.BasePointX = 100;
    c.BasePointY = 200;
    c.BaseAzimuth = 0;
    c.BaseChainage = 1000;
  }
};

TEST_F(BaseLineTest, LocalPointsAreStoredAsStationAndOffsetAndStarSwitches) {
  const struct {
    double mode;
    const char* script;
    double x, y;
  } cases[] = {
      {-1, "\n\n", 1010, 5},
      {-1, "*\n\n\n", 110, 205},  // offered again in public coordinates
      {1, "*\n\n\n", 1010, 5},
      {-1, "*\n*\n\n\n", 1010, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    Restart();
    app.points.CoordinateDisplayMode = c.mode;
    Register(c.script, 110, 205);
    EXPECT_NEAR(app.points.PointX(31), c.x, 1e-9);
    EXPECT_NEAR(app.points.PointY(31), c.y, 1e-9);
    EXPECT_EQ(app.points.WorkPointX, 110);  // the public point, as passed in
  }
}

TEST_F(BaseLineTest, PlusChangesTheHeightAndMovesThePointOntoTheBase) {
  const struct {
    const char* what;
    double mode, ze, radius;
    double x, y;  // stored
  } cases[] = {
      {"public: height only", 1, 0, 0, 110, 205},
      {"local: onto the line", -1, 0, 0, 1010, 0},
      {"ZE 4: the foot, public", 1, 4, 0, 110, 200},
      {"ZE 4: onto the arc, public", 1, 4, 50, 100, 250},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Restart();
    app.points.CoordinateDisplayMode = c.mode;
    app.settings.ZE = c.ze;
    app.cogo.BaseRadius = c.radius;
    Register("+\n2.5\n\n\n", c.radius == 0 ? 110 : 100, c.radius == 0 ? 205 : 240, 10);
    points::Store& p = app.points;
    EXPECT_NEAR(p.PointX(31), c.x, 1e-9);
    EXPECT_NEAR(p.PointY(31), c.y, 1e-9);
    EXPECT_EQ(p.PointZ(31), 12.5);
    EXPECT_EQ(p.HeightIncrement, 2.5);  // kept through the restart
  }
}

TEST_F(BaseLineTest, ZeFourShowsAndListsStationAndOffset) {
  app.settings.ZE = 4;
  app.settings.ZD = 2;
  Register("\n\n", 110, 205);
  EXPECT_GE(CountContaining("x=   1010.000  y=      5.000"), 1);
  EXPECT_GE(CountContaining("X=    110.000  Y=    205.000"), 1);
  const std::string buffer = PrintBuffer();
  EXPECT_NE(buffer.find("x=   1010.000  y=      5.000"), std::string::npos) << buffer;
  EXPECT_EQ(app.points.PointX(31), 110);
}

TEST_F(RegistrationTest, StakeOutCommandsReportAndAskAgain) {
  Register("=\n\n/\n\n\n");  // Enter ends the guidance at its distance question
  EXPECT_EQ(CountContaining(" --[]--> "), 2);  // from the station of the start
  EXPECT_EQ(CountContaining(U8(u8"ﾓﾄﾞﾘﾏｼﾀ")), 1);
  EXPECT_EQ(app.view.GuidanceMode, -1);
  EXPECT_EQ(app.points.PointName(31), "T.5");
  // ZE 1 and 2 report after the registration, other settings do not.
  for (double ze : {0.0, 1.0, 2.0, 3.0, 4.0}) {
    ForgetTranscript();
    app.settings.ZE = ze;
    Register(ze == 2 ? "\n\n\n" : "\n\n");  // ZE 2 guides: Enter ends it
    EXPECT_EQ(CountContaining(" --[]--> "), ze == 1 || ze == 2) << ze;
  }
}

class LineModeTest : public RegistrationTest {
 protected:
  void SetUp() override {
    RegistrationTest::SetUp();
    app.lines.CurrentLineType = 1;
    app.points.CurrentMark = 3;
    app.lines.CurrentLayer = 4;
  }
  void ExpectVertex(int k, int point, const std::string& name, int type) {
    const cad::Lines& l = app.lines;
    EXPECT_EQ(l.LinePointNumber(k), point) << k;
    EXPECT_EQ(l.LinePointName(k), name) << k;
    EXPECT_EQ(l.LineType(k), type) << k;
  }
};

TEST_F(LineModeTest, EachPointIsJoinedToThePointRegisteredBefore) {
  Register("\n\n");
  EXPECT_EQ(app.points.PointAttribute(31), "13");
  // The first from PointCount (30), then from the point registered before,
  // wherever it was stored: here a point replaced at 7.
  Register("A\n\n", 70, 80);
  Register("\n\n");
  const cad::Lines& l = app.lines;
  ASSERT_EQ(l.LineVertexCount, 6);
  ExpectVertex(1, 30, "A", 9);
  ExpectVertex(2, 31, "T.5", 1);
  ExpectVertex(3, 31, "T.5", 9);
  ExpectVertex(4, 7, "A", 1);
  ExpectVertex(5, 7, "A", 9);
  ExpectVertex(6, 32, "T.6", 1);
  EXPECT_EQ(l.LineLayer(2), 4);
  EXPECT_EQ(app.points.LineConnectMode, 0);
}

TEST_F(LineModeTest, NoSegmentForTheInvisibleTypeAndAFullTableIsSaid) {
  app.lines.CurrentLineType = 9;
  Register("\n\n");
  EXPECT_EQ(app.lines.LineVertexCount, 0);
  EXPECT_EQ(app.points.PointAttribute(31), "93");

  app.lines.CurrentLineType = 0;
  app.lines.LineVertexCount = cad::kLineCapacity - 1;
  Register("\n\n");
  EXPECT_EQ(CountContaining(U8(u8"接続線が一杯です")), 1);
  EXPECT_EQ(app.lines.LineVertexCount, cad::kLineCapacity - 1);
  EXPECT_EQ(app.points.PointName(32), "T.6");  // stored all the same
}

TEST(RadiationReference, ThreeColumnsAndAllTheDigitsOfALargerNumber) {
  const struct {
    double n;
    const char* text;
  } cases[] = {{5, "  5="}, {7, "  7="}, {31, " 31="}, {999, "999="}, {1234, "1234="}, {9999, "9999="}};
  for (const auto& c : cases) EXPECT_EQ(points::RadiationReferenceOf(c.n), c.text);
}

class RadiationTest : public RegistrationTest {
 protected:
  void SetUp() override {
    RegistrationTest::SetUp();
    app.fieldbook.ZJ = 1;
    app.cogo.RadiationStarted = 1;
    app.cogo.RadiationRecordState = 0;
    app.cogo.RadiationStationText = "*S1       B1        1.500";  // left by the set-up
    fieldbook::State& f = app.fieldbook;
    f.MeasuredDistance = 123.4567;
    f.MeasuredVerticalAngle = 90.1234;
    f.MeasuredHorizontalAngle = 45;
    f.ObservationTargetHeight = 1.5;
  }
};

TEST_F(RadiationTest, TheFirstRecordCarriesTheHeadingAndTheOthersRefer) {
  Register("\n\n");
  Register("\n\n");
  const fieldbook::State& f = app.fieldbook;
  const std::string observation = "' 123.456  90.1234  45.0000  1.500 ";
  EXPECT_EQ(f.FieldBookRecord(31), observation + "T.5      *S1       B1        1.500");
  EXPECT_EQ(f.FieldBookRecord(32), observation + "T.6       31=");
  EXPECT_EQ(f.FieldBookCount, 32);
  EXPECT_EQ(f.FieldBookRecord(1), "");  // records between are left as they are
  // The observation loop's re-registration keeps the text of the record before.
  app.cogo.RadiationRecordState = 2;
  app.points.NextPointNumber = 32;
  Register("\n\n");
  EXPECT_EQ(f.FieldBookRecord(32), observation + "T.6       31=");
}

TEST_F(RadiationTest, TheNoteOfPlusSurvivesItsRestart) {
  app.cogo.BasePointX = 100;
  app.cogo.BasePointY = 200;
  app.points.CoordinateDisplayMode = -1;
  Register("+\n0.25\n\n\n", 110, 203.1234);
  EXPECT_EQ(app.fieldbook.FieldBookRecord(31),
            "' 123.456  90.1234  45.0000  1.500 T.5      ( 3.123/ .25)*S1       B1        1.500");
  EXPECT_EQ(app.points.PointY(31), 0);
}

TEST_F(RegistrationTest, EntriesStoreWithoutAQuestion) {
  points::Store& p = app.points;
  p.PendingPointX = 1;
  p.PendingPointY = 2;
  p.WorkPointX = 10;
  p.WorkPointY = 20;
  p.StoredPointNumber = 12;
  app.input.Answer = "X";
  StorePointAt(app);
  EXPECT_EQ(p.PointName(12), "X");
  EXPECT_EQ(p.PointX(12), 10);
  EXPECT_EQ(p.CurrentPointNumber, 12);
  EXPECT_EQ(p.NextPointNumber, 13);
  EXPECT_EQ(p.WorkPointX, 1);  // the pending point back

  // PrintStoredPoint writes at NextPointNumber and lists that number.
  p.NextPointNumber = 40;
  p.StoredPointNumber = 5;
  app.input.Answer = "Y";
  PrintStoredPoint(app);
  EXPECT_EQ(p.PointName(40), "Y");
  EXPECT_EQ(p.PointName(5), " 5");
  EXPECT_EQ(p.NewPointList(p.NewPointCount - 1), 40);
  EXPECT_EQ(p.PointCount, 40);
}

TEST_F(RegistrationTest, EntriesNeverReplaceTheLastPointOfAFullTable) {
  points::Store& p = app.points;
  p.NextPointNumber = 9999;
  app.input.Answer = "END";
  PrintStoredPoint(app);
  EXPECT_EQ(p.PointName(9999), "END");
  EXPECT_EQ(p.NextPointNumber, 9999);
  // The next point would replace it: refused, nothing stored.
  p.WorkPointX = 5;
  app.input.Answer = "MORE";
  PrintStoredPoint(app);
  EXPECT_EQ(CountContaining(U8(u8"点番 9999 は使用中です")), 1);
  EXPECT_EQ(p.PointName(9999), "END");
  p.StoredPointNumber = 9999;
  StorePointAt(app);
  EXPECT_EQ(CountContaining(U8(u8"点番 9999 は使用中です")), 2);
  EXPECT_EQ(p.PointName(9999), "END");
  EXPECT_EQ(p.NewPointCount, 1);
}

}  // namespace
