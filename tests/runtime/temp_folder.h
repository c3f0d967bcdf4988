// A fresh temporary folder for one test, removed with everything in it afterwards.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "runtime/errors.h"
#include "support/raised_error.h"

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = ::testing::TempDir() + "krn-test-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = std::filesystem::canonical(pattern).string();
  }
  ~TempFolder() {
    std::error_code ec;
    // Give back write permission that a test took away, then remove everything.
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ec)) {
      chmod(entry.path().c_str(), 0700);
    }
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder in host form; its name is ASCII, so it is also its CP932 form.
  const std::string& path() const { return path_; }
  // path() + "/" + name (name in whichever encoding the caller needs).
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string ReadHostFile(const std::string& hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteHostFile(const std::string& hostPath, const std::string& bytes) {
  std::ofstream out(hostPath, std::ios::binary);
  out << bytes;
}

