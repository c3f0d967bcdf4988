// What every fuzz target shares: a scratch folder of its own for the files an
// input becomes, emptied after each input and removed when the target ends, and
// the outcomes a reader is allowed.
//
// The scratch folder lies in $TMPDIR (else /tmp); fuzz/run gives each target a
// TMPDIR that it removes afterwards, so nothing is left behind even when a
// target dies on a finding. The Windows folder of the program (KRN_WINDOWS_DIR)
// is a folder inside it, and the scratch folder is the current folder while an
// input runs; libFuzzer's own folder is current again between inputs.
#pragma once

#include <malloc.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/app.h"
#include "runtime/errors.h"
#include "runtime/events.h"
#include "shell/program.h"

namespace fuzz {

// The routine table is filled once, before the first App, as the program's main does.
inline const bool kProgramRoutinesInstalled = (InstallProgramRoutines(), true);

class Scratch {
 public:
  // Never destroyed: it is removed at exit, after the statics are gone.
  static Scratch& Get() {
    static Scratch* scratch = new Scratch;
    return *scratch;
  }

  // The folder in host form (ASCII, so also its CP932 form), without a "/" at its end.
  const std::string& path() const { return path_; }
  std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

  // Empties the scratch folder but for an empty Windows folder and makes it current.
  void Enter() const {
    std::error_code ec;
    std::filesystem::current_path(path_, ec);
    if (ec) Die("cannot enter the scratch folder " + path_);
    RemoveEntries(path_, "windows");
    RemoveEntries(path_ + "/windows", "");
    std::filesystem::create_directory(path_ + "/windows", ec);
  }

  // Empties the scratch folder and makes the folder current that was at the start.
  void Leave() const {
    Enter();
    std::error_code ec;
    std::filesystem::current_path(start_, ec);
  }

  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

 private:
  Scratch() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/krn-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) Die("cannot make a scratch folder in " + pattern);
    start_ = std::filesystem::current_path().string();
    path_ = std::filesystem::canonical(pattern).string();
    setenv("KRN_WINDOWS_DIR", (path_ + "/windows").c_str(), 1);
    std::atexit([] { Get().Remove(); });
    // Each input builds a fresh App, whose tables and window pictures are large
    // blocks: kept in the heap rather than mapped and unmapped every time, they
    // cost no page faults, which makes the fast targets about three times faster.
    // (AddressSanitizer's allocator ignores this.)
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
  }

  static void RemoveEntries(const std::string& folder, std::string_view keep) {
    std::error_code ec;
    std::vector<std::filesystem::path> entries;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
      if (entry.path().filename() != keep) entries.push_back(entry.path());
    }
    for (const auto& entry : entries) std::filesystem::remove_all(entry, ec);
  }

  void Remove() const {
    std::error_code ec;
    std::filesystem::current_path(start_, ec);
    std::filesystem::remove_all(path_, ec);
  }

  [[noreturn]] static void Die(const std::string& message) {
    std::fprintf(stderr, "fuzz: %s\n", message.c_str());
    std::abort();
  }

  std::string path_;
  std::string start_;
};

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// The scratch folder as the job folder and the data folder.
inline void UseScratchFolders(App& app) {
  app.shell.JobFolder = Scratch::Get().path() + "/";
  app.shell.DataFolder = app.shell.JobFolder;
}

// The job JOB.PRN in the scratch folder, with its connection-line file JOB.SEN.
inline void UseScratchJob(App& app) {
  UseScratchFolders(app);
  app.settings.ZA = "JOB";
  app.job.FileExtension = ".PRN";
}

inline std::string_view Bytes(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Runs one input's work in a fresh scratch folder. A reader may refuse a file
// with a run-time error, and the program may end because the (empty) script
// ran out when something asked for input; anything else that escapes is a finding.
template <class Work>
void RunInput(Work&& work) {
  Scratch::Get().Enter();
  try {
    work();
  } catch (const RtError&) {
  } catch (const RtScriptEnded&) {
  }
  Scratch::Get().Leave();
}

}  // namespace fuzz
