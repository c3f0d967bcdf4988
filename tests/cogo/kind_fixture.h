// A fresh program for the coordinate calculations: a few named points of the
// test's own, the print buffer open, every computed point registered with its
// proposed name and number (two Enters), and the kinds run until a point
// question is answered "Q" or their first point is abandoned.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "files/result.h"
#include "points/point_question.h"
#include "support/text_lines.h"

class KindTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    app.settings.ZD = 2;
    app.shell.PointNamePrefix = "N";
    app.shell.PointNameNumber = 0;
  }

  struct Named {
    const char* name;
    double x, y, z;
  };
  // The points 1, 2, ... in this order; registrations follow them.
  void Place(std::initializer_list<Named> points) {
    int i = 0;
    for (const Named& n : points) SetPoint(++i, n.x, n.y, n.name, n.z);
    app.points.NextPointNumber = i + 1;
    first_ = i + 1;
  }

  // Forgets the points registered so far: the next one is registered first.
  void ForgetRegistered() {
    for (int n = first_; n <= app.points.PointCount; ++n) SetPoint(n, 0, 0, DefaultPointName(n));
    app.points.PointCount = first_ - 1;
    app.points.NextPointNumber = first_;
  }

  // Runs the entry on `script` and gives the entry it left for: the one it
  // returned or jumped to.
  Entry Run(Entry entry, const std::string& script) {
    Answers(script);
    try {
      return entry(app).next;
    } catch (const JumpException& jump) {
      return jump.target;
    }
  }

  // The k-th point registered (0 first).
  int Registered(int k) const { return first_ + k; }
  void ExpectRegistered(int k, double x, double y, double z = 0, double within = 5e-4) {
    const points::Store& p = app.points;
    const int n = Registered(k);
    EXPECT_NEAR(p.PointX(n), x, within) << "registration " << k;
    EXPECT_NEAR(p.PointY(n), y, within) << "registration " << k;
    EXPECT_NEAR(p.PointZ(n), z, 1e-9) << "registration " << k;
  }
  int RegisteredCount() const { return static_cast<int>(app.points.PointCount) - first_ + 1; }

  // The print buffer's lines (CP932), closing it.
  std::vector<std::string> BufferLines() { return LinesOf(PrintBuffer()); }
  static bool Holds(const std::vector<std::string>& lines, const std::string& line) {
    return HoldsLine(lines, line);
  }

 private:
  int first_ = 1;
};
