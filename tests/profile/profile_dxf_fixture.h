// A section job for the drawing output's tests: scale 1:1000, the chainage
// origin 0 and the height origin 100 m, vertical ratio 0.1, so that chainage c
// lies at paper x = c and height h at paper y = 10 (h - 100); datum level 105
// (paper y 50), gap 10 mm, rows of 15 mm with 1 mm between them, value text
// 2.4 x 0.7. What a SectionPlot gathered, or the drawing file, read back by
// python3-ezdxf.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app.h"
#include "dxf/head.h"
#include "profile/section_plot.h"
#include "profile/single_precision.h"
#include "runtime/files.h"
#include "points/point_question.h"
#include "runtime/temp_folder.h"
#include "support/dxf_entities.h"

class ProfileDxfFixture : public PointQuestionTest {
 protected:
  // Row kinds of the road-like table: gradient, plan height, ground height,
  // chainage, station.
  ProfileDxfFixture() { UseRows({14, 11, 4, 3, 1}); }

  void UseRows(const std::vector<int>& kinds) {
    profile::State& s = app.profile;
    app.lines.ScaleDenominator = 1000;
    app.view.PlotOriginX = 100;
    app.view.PlotOriginY = 0;
    app.view.VerticalRatio = 0.1;
    s.ProfileDatumLevel = 105;
    s.ProfileDatumY = 50;
    s.ProfileDatumGap = 10;
    s.ProfileRowSpacing = 1;
    s.ProfileValueTextSize = profile::SinglePrecision(2.4f);
    s.ProfileValueTextWidth = profile::SinglePrecision(0.7f);
    s.ProfileLastRow = static_cast<double>(kinds.size()) - 1;
    for (size_t r = 0; r < kinds.size(); ++r) {
      s.ProfileRowItem(static_cast<int>(r)) = static_cast<int16_t>(kinds[r]);
      s.ProfileRowHeight(static_cast<int>(r)) = 15;
    }
    for (int k = 0; k <= s.ProfileItemDigits.Bound(); ++k) s.ProfileItemDigits(k) = 2;
    plot.RowTextMargin = 1;
    plot.ValueTextHeight = s.ProfileValueTextSize;
    plot.ValueTextWidthFactor = s.ProfileValueTextWidth;
    plot.StationInterval = 20;
  }

  void AddPoint(int n, const std::string& name, double height, double chainage, const std::string& attribute) {
    points::Store& p = app.points;
    p.PointName(n) = name;
    p.PointX(n) = height;
    p.PointY(n) = chainage;
    p.PointAttribute(n) = attribute;
    if (n > p.PointCount) p.PointCount = n;
  }

  // The bottom edge of row r on paper.
  double RowBottom(int r) const { return 50 - 10 - 16.0 * (r + 1) + 1; }

  // The gathered records inside a drawing of their own, read by ezdxf.
  dxf_entities::Drawing ReadGathered() {
    WriteHostFile(data_ / "S.DXF", dxf::HeadText(0.4, 0.3, 1) + plot.out.Text());
    return ReadDrawing(data_ / "S.DXF");
  }
  // A drawing left open after its ENTITIES, finished here and read by ezdxf.
  static dxf_entities::Drawing ReadDrawing(const std::string& path) {
    WriteHostFile(path, ReadHostFile(path) + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
    dxf_entities::Drawing d = dxf_entities::Read(path);
    EXPECT_EQ(d.readErrors, 0) << d.all;
    EXPECT_EQ(d.auditErrors, 0) << d.all;
    return d;
  }

  profile::SectionPlot plot{app};
};
