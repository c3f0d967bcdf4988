// A fresh program state for the tests of the point questions: every number named
// as start-up names it, a few points of the test's own, the print buffer open in
// a temporary data folder, and the console transcript collected.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app.h"
#include "core/control.h"
#include "core/point_names.h"
#include "files/result.h"
#include "points/table.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/temp_folder.h"
#include "runtime/windows.h"
#include "support/u8.h"

class PointQuestionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rt::SetTranscriptSink([this](std::string_view line) { transcript_.emplace_back(line); });
    points::Store& p = app.points;
    for (int i = 1; i <= p.PointCapacity; ++i) p.PointName(i) = DefaultPointName(i);
    ui::ViewState& v = app.view;
    v.ViewHeight = RtWindowHeight(RtWindowId::View);
    v.ViewWidth = RtWindowWidth(RtWindowId::View);
    v.ViewHalfHeight = v.ViewHeight / 2;
    v.ViewHalfWidth = v.ViewWidth / 2;
    app.shell.PlaySoundPrefix = " play /media/";
    app.shell.DataFolder = data_.path() + "/";
    ResetPrintBuffer(app);
  }
  void TearDown() override { rt::SetTranscriptSink(nullptr); }

  void SetPoint(int i, double x, double y, const std::string& name, double z = 0,
                const std::string& attribute = "") {
    points::Store& p = app.points;
    p.PointX(i) = x;
    p.PointY(i) = y;
    p.PointZ(i) = z;
    p.PointName(i) = name;
    p.PointAttribute(i) = attribute;
    if (i > p.PointCount) p.PointCount = i;
  }
  // Points 1 to `count` in use under their default names, each at X = 10 i.
  void UseNumberedPoints(int count) {
    for (int i = 1; i <= count; ++i) SetPoint(i, 10.0 * i, 5.0 * i, DefaultPointName(i));
  }

  // Queues the answers (UTF-8 script lines).
  static void Answers(const std::string& script) { rt::LoadScript(script); }

  // The transcript so far (UTF-8), the cursor's row included.
  std::vector<std::string> Lines() {
    rt::FlushTranscript();
    return transcript_;
  }
  bool Printed(const std::string& line) {
    for (const std::string& l : Lines()) {
      if (l == line) return true;
    }
    return false;
  }
  int CountContaining(const std::string& part) {
    int n = 0;
    for (const std::string& l : Lines()) n += l.find(part) != std::string::npos;
    return n;
  }
  void ForgetTranscript() {
    rt::FlushTranscript();
    transcript_.clear();
  }

  // What the print buffer holds (CP932), closing it.
  std::string PrintBuffer() {
    RtClose(5);
    return ReadHostFile(data_ / "PRINTR.DAT");
  }
  int TimesPlayed(const std::string& sound) const {
    int n = 0;
    for (const std::string& note : app.rt.notes) n += note == "[sound] " + sound;
    return n;
  }

  // The entry a jump out of `routine` goes to; nullptr when it returned.
  template <typename F>
  static Entry JumpTarget(F routine) {
    try {
      routine();
    } catch (const JumpException& jump) {
      return jump.target;
    }
    return nullptr;
  }

  TempFolder data_;  // outlives the program state, whose print buffer lies in it
  App app;

 private:
  std::vector<std::string> transcript_;
};
