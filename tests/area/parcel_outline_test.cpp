// The outline of the parcel in hand copied into the line table as area lines.
#include "area/parcel_outline.h"

#include <gtest/gtest.h>

#include "core/app.h"
#include "core/point_names.h"

namespace {

struct OutlineCase {
  const char* kind;
  int vertices;      // SelectionIndex
  int appended;      // entries added
  bool closingCopy;  // the last entry repeats vertex 0
};

TEST(AddParcelOutlineAsAreaLines, AppendsOnePolylineOnTheAreaLayer) {
  const OutlineCase cases[] = {
      {"1", 4, 5, true},   // closed: n + 1
      {"", 3, 4, true},    // any kind but "2" is closed
      {"2", 4, 4, false},  // open: n
      {"1", 0, 2, true},   // no vertex: entry 0 still taken, and closed again
      {"2", 0, 1, false},
  };
  for (const OutlineCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << " vertices " << c.vertices);
    App app;
    points::Store& p = app.points;
    for (int n = 1; n <= 4; ++n) {
      p.PointName(10 + n) = DefaultPointName(10 + n);
      p.SelectionList(n - 1) = static_cast<int16_t>(10 + n);
    }
    p.SelectionIndex = c.vertices;
    app.area.ParcelKind = c.kind;
    cad::Lines& l = app.lines;
    l.LineVertexCount = 7;  // lines already drawn stay
    l.LineType(7) = 3;
    l.LineArc(8) = "stale 1";
    AddParcelOutlineAsAreaLines(app);
    ASSERT_EQ(l.LineVertexCount, 7 + c.appended);
    EXPECT_EQ(l.LineType(7), 3);
    for (int k = 0; k < c.appended; ++k) {
      const int entry = 8 + k;
      const int vertex = c.closingCopy && k == c.appended - 1 ? 0 : k;
      EXPECT_EQ(l.LinePointNumber(entry), 11 + vertex) << entry;
      EXPECT_EQ(l.LinePointName(entry), DefaultPointName(11 + vertex)) << entry;
      EXPECT_EQ(l.LineType(entry), k == 0 ? 9 : 0) << entry;
      EXPECT_EQ(l.LineLayer(entry), 6) << entry;
      EXPECT_EQ(l.LineArc(entry), "") << entry;
    }
    EXPECT_EQ(l.CurrentLineType, 0);
  }
}

TEST(AddParcelOutlineAsAreaLines, AnOutlinePastTheTableIsRefusedWhole) {
  App app;
  app.shell.PlaySoundPrefix = " play /media/";
  points::Store& p = app.points;
  for (int n = 0; n < 3; ++n) p.SelectionList(n) = static_cast<int16_t>(n + 1);
  p.SelectionIndex = 3;
  app.area.ParcelKind = "1";
  cad::Lines& l = app.lines;
  l.LineVertexCount = cad::kLineCapacity - 3;  // room for the three, not the closing copy
  AddParcelOutlineAsAreaLines(app);
  EXPECT_EQ(l.LineVertexCount, cad::kLineCapacity - 3);
  EXPECT_EQ(app.rt.notes.back(), "[sound] chord.wav");
  app.area.ParcelKind = "2";  // open: exactly fits
  AddParcelOutlineAsAreaLines(app);
  EXPECT_EQ(l.LineVertexCount, cad::kLineCapacity);
}

}  // namespace
