#include "runtime/folders.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "runtime/errors.h"
#include "runtime/runtime.h"
#include "runtime/text.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Sets (or with nullopt removes) an environment variable for its lifetime.
class EnvironmentVariable {
 public:
  EnvironmentVariable(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~EnvironmentVariable() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  EnvironmentVariable(const EnvironmentVariable&) = delete;
  EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

class FoldersTest : public ::testing::Test {
 protected:
  TempFolder dir;
  Runtime runtime;
  RuntimeScope scope{runtime};
};

TEST(HostPath, BackslashesBecomeSlashesButTrailBytesStay) {
  EXPECT_EQ(rt::HostPath("C:\\DATA\\SITE.SIM"), "C:/DATA/SITE.SIM");
  // "表" and "ソ" end in the byte 0x5C.
  EXPECT_EQ(rt::HostPath("\\work\\表\\ソ.PRN"), Utf8(u8"/work/表/ソ.PRN"));
  EXPECT_EQ(rt::HostPath("/already/host"), "/already/host");
  EXPECT_EQ(rt::HostPath(""), "");
}

TEST_F(FoldersTest, WindowsFolderFromTheProgramsOwnVariable) {
  const std::string wanted = dir / Utf8(u8"設定/win");
  EnvironmentVariable own("KRN_WINDOWS_DIR", wanted + "/");
  EnvironmentVariable xdg("XDG_CONFIG_HOME", dir / "xdg");
  EXPECT_EQ(RtWindowsFolder(), rt::Utf8ToCp932(wanted) + "/");
  EXPECT_TRUE(fs::is_directory(wanted));
  EXPECT_FALSE(fs::exists(dir / "xdg"));
}

TEST_F(FoldersTest, WindowsFolderUnderXdgConfigHomeOrHome) {
  EnvironmentVariable own("KRN_WINDOWS_DIR", std::nullopt);
  EnvironmentVariable home("HOME", dir / "home");
  {
    EnvironmentVariable xdg("XDG_CONFIG_HOME", dir / "xdg");
    EXPECT_EQ(RtWindowsFolder(), dir / "xdg/krn/");
    EXPECT_TRUE(fs::is_directory(dir / "xdg/krn"));
  }
  {
    EnvironmentVariable xdg("XDG_CONFIG_HOME", "relative/is/ignored");
    EXPECT_EQ(RtWindowsFolder(), dir / "home/.config/krn/");
  }
  EnvironmentVariable xdg("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(RtWindowsFolder(), dir / "home/.config/krn/");
  EXPECT_TRUE(fs::is_directory(dir / "home/.config/krn"));
}

TEST_F(FoldersTest, RelativeWindowsFolderIsMadeAbsolute) {
  RtChdir(dir.path());
  EnvironmentVariable own("KRN_WINDOWS_DIR", "conf");
  EXPECT_EQ(RtWindowsFolder(), dir / "conf/");
}

TEST_F(FoldersTest, WindowsFolderThatCannotBeMadeIsError76) {
  WriteHostFile(dir / "file", "");
  EnvironmentVariable own("KRN_WINDOWS_DIR", dir / "file/win");
  EXPECT_EQ(RaisedError([] { RtWindowsFolder(); }), kErrPathNotFound);
}

TEST_F(FoldersTest, ChangeTheCurrentFolderToAJapaneseName) {
  const std::string name = "測量";  // CP932
  EXPECT_TRUE(RtMkDir(dir.path() + "\\" + name));
  EXPECT_TRUE(RtChdir(dir.path() + "\\" + name + "\\"));
  EXPECT_EQ(RtCurDir(), dir.path() + "/" + name);
  EXPECT_EQ(fs::current_path().string(), dir / Utf8(u8"測量"));
  EXPECT_TRUE(RtChdir(".."));
  EXPECT_EQ(RtCurDir(), dir.path());
}

TEST_F(FoldersTest, RootFolderKeepsItsSlash) {
  RtChdir("/");
  EXPECT_EQ(RtCurDir(), "/");
}

TEST_F(FoldersTest, MissingFolderIsError76) {
  const std::string before = RtCurDir();
  EXPECT_EQ(RaisedError([&] { RtChdir(dir / "missing"); }), kErrPathNotFound);
  WriteHostFile(dir / "file", "");
  EXPECT_EQ(RaisedError([&] { RtChdir(dir / "file"); }), kErrPathNotFound);
  EXPECT_EQ(RtCurDir(), before);
}

TEST_F(FoldersTest, TheFolderIsRestoredWhenTheRuntimeEnds) {
  const fs::path before = fs::current_path();
  {
    Runtime inner;
    RuntimeScope installed(inner);
    RtChdir(dir.path());
    EXPECT_EQ(fs::current_path(), fs::path(dir.path()));
  }
  EXPECT_EQ(fs::current_path(), before);
}

TEST_F(FoldersTest, MakeFolder) {
  EXPECT_TRUE(RtMkDir(dir / "new"));
  EXPECT_TRUE(fs::is_directory(dir / "new"));
  EXPECT_FALSE(RtMkDir(dir / "new"));  // already there
  EXPECT_EQ(RaisedError([&] { RtMkDir(dir / "no/such"); }), kErrPathNotFound);
  WriteHostFile(dir / "file", "");
  EXPECT_EQ(RaisedError([&] { RtMkDir(dir / "file"); }), kErrAccessDenied);
}

}  // namespace
