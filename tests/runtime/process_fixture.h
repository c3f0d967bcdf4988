// Helpers for tests that start outside programs: a temporary folder, small shell
// scripts in it, and environment variables set for one test only.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace testing_support {

// Sets (or, with nullopt, removes) an environment variable and puts the old value
// back at the end of the scope.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
    if (const char* old = getenv(name_.c_str())) old_ = old;
    Apply(value);
  }
  ~ScopedEnv() { Apply(old_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Apply(const std::optional<std::string>& value) {
    if (value) {
      setenv(name_.c_str(), value->c_str(), 1);
    } else {
      unsetenv(name_.c_str());
    }
  }
  std::string name_;
  std::optional<std::string> old_;
};

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "krn-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  // Writes an executable shell script with the given body.
  std::string Script(const std::string& name, const std::string& body) const {
    const std::string file = Write(name, "#!/bin/sh\n" + body + "\n");
    chmod(file.c_str(), 0755);
    return file;
  }

  std::string Write(const std::string& name, const std::string& content) const {
    const std::string file = *this / name;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    std::ofstream(file) << content;
    return file;
  }

  // The lines of a file; empty when it does not exist.
  std::vector<std::string> Lines(const std::string& name) const {
    std::ifstream in(*this / name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

 private:
  std::string path_;
};

// A UTF-8 literal as std::string (u8"..." is char8_t text).
inline std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

}  // namespace testing_support
