// Leaving the DXF menu at once on the sample job, whose connection lines stand
// on several layers: the default plot writes the points, the scale's grid and
// the lines cut at the marks after one question, with distances and
// directions on their layers, and the job's lines stay as they were.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripted/session.h"
#include "support/dxf_entities.h"
#include "support/u8.h"

namespace {

using scripted::Krn;
using scripted::SampleJob;
using scripted::SessionResult;

// The CAD menu at 1:500 with the origin X 0, Y 0 and no rotation, then
// "6:DXF" and the drawing KOJI1; Enter leaves the menu at once.
const std::string kPlotAndLeave = "9\n4\n3\n500\n0\n0\n5\n0\n\n6\n!file KOJI1\n\n";
// The question about lines inside marks, answered with its default, then the
// result menu and the main menu, and the job saved under a new name.
const std::string kAnswerThenSave = "\n\n\n5\n4\n1\n!file NEW.PRN\n";

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(DxfDefaultPlotSession, TheSampleJobsLinesGoIntoTheDrawingAndStayInTheJob) {
  const SessionResult plotted = Krn(kPlotAndLeave + kAnswerThenSave, {"./SAMPLE.PRN"}, SampleJob());
  ASSERT_EQ(plotted.status, 0) << plotted.errors << plotted.transcript;
  EXPECT_EQ(Occurrences(plotted.transcript, U8(u8"マーク内の線を抜く[Y,N]Y")), 1u) << plotted.transcript;

  const dxf_entities::Drawing d = dxf_entities::Read(*plotted.dataFolder / "KOJI1.DXF");
  EXPECT_EQ(d.readErrors, 0) << d.all;
  EXPECT_EQ(d.auditErrors, 0) << d.all;
  // The sample's lines stand on layers 2 to 6 and 8.
  for (const char* layer : {"2", "3", "4", "5", "6", "8"}) {
    EXPECT_FALSE(d.On(layer, "LINE").empty() && d.On(layer, "ARC").empty() && d.On(layer, "CIRCLE").empty())
        << "layer " << layer << "\n" << d.all;
  }
  EXPECT_FALSE(d.On(U8(u8"距離"), "TEXT").empty()) << d.all;
  EXPECT_FALSE(d.On(U8(u8"方向角"), "TEXT").empty()) << d.all;
  EXPECT_FALSE(d.On(U8(u8"方眼"), "LINE").empty()) << d.all;

  // The plot changes none of the job's lines: saved afterwards they are the
  // lines of the same job saved without a plot.
  const SessionResult unplotted = Krn("5\n4\n1\n!file NEW.PRN\n", {"./SAMPLE.PRN"}, SampleJob());
  ASSERT_EQ(unplotted.status, 0) << unplotted.errors;
  ASSERT_FALSE(unplotted.File("NEW.SEN").empty());
  EXPECT_EQ(plotted.File("NEW.SEN"), unplotted.File("NEW.SEN"));
}

}  // namespace
