// A fresh program for the area commands: the point question's set-up (names,
// view, print buffer in a temporary data folder), a runner that follows the
// entries of a command until it leaves for a given one, and the report's lines.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "points/point_question.h"
#include "support/text_lines.h"

class AreaTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    app.settings.ZD = 2;
    app.settings.TN = 1000;
  }

  // The 10 x 10 square A1 (0, 0), A2 (10, 0), A3 (10, 10), A4 (0, 10) as points 1-4.
  void SetSquare() {
    SetPoint(1, 0, 0, "A1");
    SetPoint(2, 10, 0, "A2");
    SetPoint(3, 10, 10, "A3");
    SetPoint(4, 0, 10, "A4");
  }

  // Runs `entry` on `script` and the entries it goes on to, until one leaves for
  // `stop` (returned or jumped to), which is returned; at most `hops` entries.
  Entry RunUntil(Entry entry, const std::string& script, Entry stop, int hops = 50) {
    Answers(script);
    Entry e = entry;
    for (int k = 0; k < hops && e != stop; ++k) {
      try {
        e = e(app).next;
      } catch (const JumpException& jump) {
        e = jump.target;
      }
    }
    return e;
  }

  // The print buffer's lines (CP932), closing it.
  std::vector<std::string> ReportLines() { return LinesOf(PrintBuffer()); }
  static bool Holds(const std::vector<std::string>& lines, const std::string& line) {
    return HoldsLine(lines, line);
  }
};
