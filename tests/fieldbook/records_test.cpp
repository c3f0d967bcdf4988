// The record layouts, byte for byte against the worked examples (columns are
// 1-based bytes; the expected texts are written out by hand).
#include "fieldbook/records.h"

#include <gtest/gtest.h>

#include <string>

#include "core/columns.h"
#include "core/numeric.h"
#include "fieldbook/running_height.h"

namespace {

using columns::Columns;

TEST(Records, ByteExamplesOfTheLayouts) {
  // The 37-column sight 123.4567 / 90.1234 / 45 / 1.5 named A1.
  const std::string sight = fieldbook::TraverseSightRecord("' 123.456", "  90.1234", "  45.0000", "  1.500", "A1");
  EXPECT_EQ(sight, "' 123.456  90.1234  45.0000  1.500 A1");
  EXPECT_EQ(Columns(sight, 3, 9), "123.456");
  EXPECT_EQ(Columns(sight, 12, 18), "90.1234");
  EXPECT_EQ(Columns(sight, 21, 27), "45.0000");
  EXPECT_EQ(Columns(sight, 30, 34), "1.500");
  EXPECT_EQ(Columns(sight, 36, 37), "A1");

  // Station A, back-sight B, height 1.5: 42 columns, 41 trimmed: the long form.
  const std::string station = fieldbook::StationRecord("A", "B", columns::PadTo(Format3Decimals(1.5), 7));
  EXPECT_EQ(station, "*A                B                 1.500 ");
  EXPECT_EQ(station.size(), 42u);
  EXPECT_EQ(Columns(station, 19, 19), "B");
  EXPECT_EQ(Columns(station, 37, 41), "1.500");

  // Levelling start BM1 at 12.345: the height, a blank and 12.3450, in 26-33.
  const std::string run = fieldbook::LevelRunRecord("BM1", 12.345);
  EXPECT_EQ(run, "*_BM1                 H=  12.3450");
  EXPECT_EQ(Columns(run, 23, 25), "H= ");
  EXPECT_EQ(Columns(run, 26, 33), " 12.3450");

  // Back sight 1.2345 on BM1 at 25.3 m: 26 columns.
  const std::string back = fieldbook::LevelReadingRecord("^", "BM1", "'  25.300", "  1.2345");
  EXPECT_EQ(back, "^BM1        25.300  1.2345");
  EXPECT_EQ(Columns(back, 13, 18), "25.300");
  EXPECT_EQ(Columns(back, 21, 26), "1.2345");
  EXPECT_EQ(fieldbook::LevelName(back), "BM1     ");
  EXPECT_DOUBLE_EQ(fieldbook::LevelReading(back), 1.2345);

  // The turning record of the first sight with the new instrument height 1.45.
  const std::string turning = fieldbook::TurningRecord(sight, 1.45);
  EXPECT_EQ(Columns(turning, 2, 37), Columns(sight, 2, 37));
  EXPECT_EQ(Columns(turning, 38, 44), "       ");
  EXPECT_EQ(Columns(turning, 45, 50), " 1.450");
  EXPECT_DOUBLE_EQ(columns::ColumnValue(turning, 45, 51), 1.45);
  // A one-character name still puts the height in column 45.
  EXPECT_EQ(Columns(fieldbook::TurningRecord("' 1.000 X", 0), 45, 50), " 0.000");

  // The run ended at P3: "-->" in 11-13, the end name, the old columns 20-39.
  const std::string ended = fieldbook::EndedLevelRunRecord(run, "P3      ");
  EXPECT_EQ(ended, "*_BM1     -->P3         H=  12.3450");
  EXPECT_TRUE(fieldbook::IsEndedLevelRun(ended));
  EXPECT_FALSE(fieldbook::IsEndedLevelRun(run));
}

// A levelling run in the book: record 1 the run record, 2 its first back sight.
struct LevelRun {
  RtTable<std::string> records{20};
  int count = 0;
  void Add(const std::string& record) { records(++count) = record; }
  std::string Reading(const char* kind, const char* name, double reading) {
    return fieldbook::LevelReadingRecord(kind, name, "'   0.000", columns::DecimalWindow(reading, 3, 8));
  }
  fieldbook::RunningHeight Height(const std::string& previous = "PREV") const {
    return fieldbook::LevelRunningHeightOf(records, 2, count, 10, "NEXT", previous);
  }
};

TEST(LevelRunningHeight, FollowsTheWorkedRunByHeightOfInstrument) {
  // Height of instrument HI = height + back sight; a point's height = HI - reading.
  LevelRun run;
  run.Add(fieldbook::LevelRunRecord("BM1", 10));
  run.Add(run.Reading("^", "BM1", 1.5));
  EXPECT_EQ(run.Height().text, "        11.5");  // 10 + 1.5, the line of sight
  run.Add(run.Reading("'", "P2", 1.2));
  EXPECT_EQ(run.Height().text, "        10.3");  // 11.5 - 1.2
  EXPECT_EQ(run.Height().suggestion, "NEXT");
  run.Add(run.Reading("^", "P2", 0.8));
  EXPECT_EQ(run.Height().text, "        10.3");  // the turning point, before its back sight
  EXPECT_EQ(run.Height().suggestion, "PREV");
  run.Add(run.Reading("'", "P3", 2.1));
  EXPECT_DOUBLE_EQ(RoundTo4Decimals(run.Height().height), 9);  // 10.3 + 0.8 - 2.1
  // Two intermediate sights from one line of sight: 11.1 - 0.5.
  run.Add(run.Reading("'", "P4", 0.5));
  EXPECT_DOUBLE_EQ(RoundTo4Decimals(run.Height().height), 10.6);

  // Ended at P4 with a back sight of 1.0 there, P3 read again at 2.2: the
  // difference to its earlier height 9 is shown before the height.
  run.records(1) = fieldbook::EndedLevelRunRecord(run.records(1), "P4");
  run.Add(run.Reading("^", "P4", 1.0));
  run.Add(run.Reading("'", "P3", 2.7));
  const fieldbook::RunningHeight back = run.Height();
  EXPECT_DOUBLE_EQ(RoundTo4Decimals(back.height), 8.9);  // 10.6 + 1.0 - 2.7
  EXPECT_TRUE(back.repeated);
  EXPECT_EQ(back.text, " .1  8.9");
  EXPECT_EQ(back.suggestion, "P2      ");  // the point before P3's earlier sight
}

TEST(LevelRunningHeight, ReadsNothingOutsideARunTheBookHolds) {
  LevelRun run;
  run.Add("*A                B                 1.500 ");
  run.Add("' 123.456  90.1234  45.0000  1.500 A1");
  for (int start : {0, 1, 2, 3, 99}) {
    const fieldbook::RunningHeight h = fieldbook::LevelRunningHeightOf(run.records, start, run.count, 10, "N", "P");
    EXPECT_FALSE(h.valid) << start;
    EXPECT_EQ(h.suggestion, "N");
  }
}

}  // namespace
