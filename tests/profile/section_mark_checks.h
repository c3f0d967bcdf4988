// Reading the marks of the grade line and the band in tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app.h"
#include "profile/section_marks.h"

namespace section_mark_checks {

using profile::SectionMark;
using Kind = profile::SectionMark::Kind;

inline void ExpectLine(const SectionMark& m, double x1, double y1, double x2, double y2) {
  EXPECT_NEAR(m.x1, x1, 1e-9);
  EXPECT_NEAR(m.y1, y1, 1e-9);
  EXPECT_NEAR(m.x2, x2, 1e-9);
  EXPECT_NEAR(m.y2, y2, 1e-9);
}

inline std::vector<SectionMark> Of(const profile::SectionMarks& marks, Kind kind) {
  std::vector<SectionMark> out;
  for (const SectionMark& m : marks) {
    if (m.kind == kind) out.push_back(m);
  }
  return out;
}

inline std::vector<std::string> Texts(const profile::SectionMarks& marks) {
  std::vector<std::string> out;
  for (const SectionMark& m : Of(marks, Kind::ValueText)) out.push_back(m.text);
  return out;
}

// The grade tests' section: 1:1000, ratio 0.1, the paper origin at chainage
// -20 and height 5 (chainage c at paper x c + 20, height h at y (h - 5) x 10);
// the datum at y 10 with a 5 mm gap and 1 mm between rows, the 15 mm gradient
// row (item 14) first, text 2.4 wide 0.7, leaders of 20 mm.
inline void SetUpGradeSection(App& app) {
  app.lines.ScaleDenominator = 1000;
  app.view.PlotOriginX = 5;
  app.view.PlotOriginY = -20;
  app.view.VerticalRatio = 0.1;
  profile::State& p = app.profile;
  p.ProfileDatumY = 10;
  p.ProfileDatumGap = 5;
  p.ProfileRowSpacing = 1;
  p.ProfileLastRow = 0;
  p.ProfileRowItem(0) = 14;  // gradient, 15 mm: circles of radius 6.8 standing on y -10
  p.ProfileRowHeight(0) = 15;
  p.ProfileItemDigits(3) = 2;
  p.ProfileItemDigits(14) = 2;
  p.ProfileLeaderLength = 20;
  p.ProfileValueTextSize = 2.4;
  p.ProfileValueTextWidth = 0.7;
}

}  // namespace section_mark_checks
