// The transfer commands against a streaming peer on a pseudo-terminal: port 5
// of the program (COX 5, KRN_COM5) is the peer's device, with a short receive
// time-out so that a silent peer costs little.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>
#include <string>

#include "core/routines.h"
#include "points/point_question.h"
#include "runtime/clock_state.h"
#include "runtime/files.h"
#include "runtime/serial.h"
#include "support/pty_stream.h"

class LinkTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    app.settings.COX = 5;
    RtComTimeoutCap(400);
  }
  void TearDown() override {
    RtCloseAll();
    RtComTimeoutCap(0);
    unsetenv("KRN_COM5");
    PointQuestionTest::TearDown();
  }
  // A peer that sends `stream` once the port is open.
  PtyStream& Peer(const std::string& stream = {}) {
    peer_ = std::make_unique<PtyStream>(stream);
    setenv("KRN_COM5", peer_->device().c_str(), 1);
    return *peer_;
  }
  // Runs an entry with the answers queued; the entry it jumps or returns to.
  template <typename F>
  Entry Run(const std::string& script, F entry) {
    Answers(script);
    try {
      return entry(app).next;
    } catch (const JumpException& jump) {
      return jump.target;
    }
  }
  // The job JOB.PRN in the test's data folder, for the commands that choose a
  // side file in a dialog, and the check that it kept its name.
  void NameTheJob() {
    app.settings.ZA = "JOB";
    app.job.FileExtension = ".PRN";
    app.shell.JobFolder = data_.path() + "/";
  }
  void ExpectJobKept() {
    EXPECT_EQ(app.settings.ZA, "JOB");
    EXPECT_EQ(app.job.FileExtension, ".PRN");
    EXPECT_EQ(app.shell.JobFolder, data_.path() + "/");
  }
  std::int64_t WaitedUs() const { return app.rt.clock->virtualElapsedUs; }

  std::unique_ptr<PtyStream> peer_;
};
