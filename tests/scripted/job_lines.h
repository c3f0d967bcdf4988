// The lines of a job file as a session saved it, for the sessions that check
// the points a command stored.
#pragma once

#include <map>
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

// A point of a saved point list: X, Y, Z and the attribute.
struct SavedPoint {
  double x, y, z;
  std::string attribute;
};

// The points of a saved point list by name, read from the columns of its lines.
inline std::map<std::string, SavedPoint> SavedPointsByName(const std::string& file) {
  std::map<std::string, SavedPoint> points;
  for (const std::string& line : JobLines(file)) {
    if (line.size() < 58) continue;
    std::string name = line.substr(0, 16);
    name.erase(name.find_last_not_of(' ') + 1);
    points[name] = {std::stod(line.substr(16, 14)), std::stod(line.substr(30, 14)),
                    std::stod(line.substr(44, 14)), line.size() > 59 ? line.substr(59) : ""};
  }
  return points;
}

}  // namespace scripted
