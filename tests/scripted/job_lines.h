// The lines of a job file as a session saved it, for the sessions that check
// the points a command stored.
#pragma once

#include <string>
#include <vector>

namespace scripted {

// The lines of `file`, without their CR LF.
inline std::vector<std::string> JobLines(const std::string& file) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < file.size();) {
    const size_t end = file.find("\r\n", at);
    lines.push_back(file.substr(at, end == std::string::npos ? std::string::npos : end - at));
    at = end == std::string::npos ? file.size() : end + 2;
  }
  return lines;
}

}  // namespace scripted
