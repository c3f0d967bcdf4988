// Reading the marks of the grade line and the band in tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace section_mark_checks
