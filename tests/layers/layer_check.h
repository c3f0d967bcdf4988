// The check that keeps the source folders in their layer order: a folder
// includes code headers only from folders below it; any folder may read another
// subsystem's state through its state.h, and a state.h itself includes only the
// runtime and core.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace layers {

// The folder names of `order`, a blank-separated list from the lowest layer up.
inline std::vector<std::string> SplitOrder(const std::string& order) {
  std::istringstream words(order);
  std::vector<std::string> folders;
  for (std::string word; words >> word;) folders.push_back(word);
  return folders;
}

inline int RankOf(const std::vector<std::string>& order, const std::string& folder) {
  for (size_t i = 0; i < order.size(); ++i) {
    if (order[i] == folder) return static_cast<int>(i);
  }
  return -1;
}

// "file:line: what is wrong" for every include against the order, in the
// folders below `sourceRoot` (each folder one layer), in path order.
inline std::vector<std::string> CheckLayers(const std::filesystem::path& sourceRoot,
                                            const std::vector<std::string>& order) {
  namespace fs = std::filesystem;
  static const std::regex include(R"(^\s*#\s*include\s+"([^/"]+)/([^"]+)\")");
  std::vector<fs::path> files;
  std::vector<std::string> faults;
  for (const fs::directory_entry& folder : fs::directory_iterator(sourceRoot)) {
    if (!folder.is_directory()) continue;
    const std::string name = folder.path().filename().string();
    if (RankOf(order, name) < 0) {
      faults.push_back(folder.path().string() + ": the folder has no place in the layer order");
      continue;
    }
    for (const fs::directory_entry& file : fs::recursive_directory_iterator(folder.path())) {
      const std::string extension = file.path().extension().string();
      if (file.is_regular_file() && (extension == ".h" || extension == ".cpp")) {
        files.push_back(file.path());
      }
    }
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    const std::string folder = fs::relative(file, sourceRoot).begin()->string();
    const bool isState = file.filename() == "state.h";
    std::ifstream in(file);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
      ++lineNumber;
      std::smatch m;
      if (!std::regex_search(line, m, include)) continue;
      const std::string target = m[1];
      const std::string header = m[2];
      if (target == folder || RankOf(order, target) < 0) continue;
      const std::string where = file.string() + ":" + std::to_string(lineNumber) + ": ";
      if (isState) {
        if (target != "runtime" && target != "core") {
          faults.push_back(where + "a state header includes " + target + "/" + header +
                           "; state headers include only runtime/ and core/");
        }
        continue;
      }
      if (header == "state.h") continue;
      if (RankOf(order, target) > RankOf(order, folder)) {
        faults.push_back(where + folder + "/ includes " + target + "/" + header +
                         ", which stands above it; call it through core/routines.h");
      }
    }
  }
  return faults;
}

}  // namespace layers
