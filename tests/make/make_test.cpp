// The commands a new user types at the top of the source tree: `make deps`
// waits while another install of packages runs instead of failing, and
// `make run` builds the program alone, not the tests and benchmarks.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/temp_folder.h"

namespace {

// The top of the source tree (KRN_TEST_DATA is <source>/tests/data).
std::string SourceTree() {
  const std::string testData = KRN_TEST_DATA;
  return testData.substr(0, testData.rfind("/tests/"));
}

// Standard output and error of a shell command, with "exit=N" added.
std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen((command + " 2>&1; echo \"exit=$?\"").c_str(), "r")) {
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
    pclose(pipe);
  }
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The lines of `make -n TARGET` that build with CMake.
std::vector<std::string> BuildCommands(const std::string& target) {
  std::vector<std::string> builds;
  for (const std::string& line : Lines(Shell("make -n -C '" + SourceTree() + "' " + target))) {
    if (line.starts_with("cmake --build ")) builds.push_back(line);
  }
  return builds;
}

TEST(Makefile, RunBuildsTheProgramAloneAndBuildEverything) {
  const std::vector<std::string> run = BuildCommands("run");
  ASSERT_EQ(run.size(), 1u);
  EXPECT_TRUE(run[0].starts_with("cmake --build build/release ")) << run[0];
  EXPECT_TRUE(run[0].ends_with(" --target krn")) << run[0];
  for (const char* target : {"build", "bench"}) {
    const std::vector<std::string> all = BuildCommands(target);
    ASSERT_EQ(all.size(), 1u) << target;
    EXPECT_EQ(all[0].find("--target"), std::string::npos) << target << ": " << all[0];
  }
}

class MakeDepsTest : public ::testing::Test {
 protected:
  // A stand-in apt-get on the PATH: it logs its arguments, and an update fails
  // as when another install holds the package lists until it has been tried
  // `busyUpdates` times.
  void FakeAptGet(int busyUpdates) {
    const std::string script =
        "#!/bin/sh\n"
        "echo \"$*\" >> '" + bin / "log" + "'\n"
        "case \" $* \" in *\" update \"*)\n"
        "  [ \"$(grep -c ' update' '" + bin / "log" + "')\" -gt " + std::to_string(busyUpdates) +
        " ] || { echo 'E: Could not get lock /var/lib/apt/lists/lock.' >&2; exit 100; };;\n"
        "esac\n";
    WriteHostFile(bin / "apt-get", script);
    chmod((bin / "apt-get").c_str(), 0755);
  }

  // `make deps` for a package that is not installed, with the stand-in.
  std::string Deps(const std::string& variables) {
    return Shell("env PATH='" + bin.path() + "':\"$PATH\" make -s -C '" + SourceTree() +
               "' deps PACKAGES=krn-no-such-package SUDO= APT_RETRY=1 " + variables);
  }

  std::vector<std::string> AptCalls() const { return Lines(ReadHostFile(bin / "log")); }

  TempFolder bin;
};

TEST_F(MakeDepsTest, WaitsForThePackageListsAndTheDpkgLock) {
  FakeAptGet(2);
  const std::string out = Deps("");
  EXPECT_NE(out.find("exit=0"), std::string::npos) << out;
  const std::string update = "-o DPkg::Lock::Timeout=600 update -qq";
  EXPECT_EQ(AptCalls(),
            (std::vector<std::string>{update, update, update,
                                      "-o DPkg::Lock::Timeout=600 install -y -qq "
                                      "--no-install-recommends krn-no-such-package"}))
      << out;
}

TEST_F(MakeDepsTest, GivesUpWhenTheListsStayBusy) {
  FakeAptGet(1000);
  const std::string out = Deps("APT_WAIT=2");
  EXPECT_EQ(out.find("exit=0"), std::string::npos) << out;
  EXPECT_EQ(AptCalls().size(), 3u) << out;  // at 0, 1 and 2 seconds; no install
}

}  // namespace
