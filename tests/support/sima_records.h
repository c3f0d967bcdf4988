// An independent reader of SIMA files for the tests: its own small code, not
// the program's. It checks that every line is a whole record with the fields its
// record type has, and gives back the points of the A01 records.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace sima_records {

// The fields of a line split at every comma, blanks around each removed.
inline std::vector<std::string> SplitAtCommas(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, ',')) {
    const size_t a = field.find_first_not_of(' ');
    const size_t b = field.find_last_not_of(' ');
    fields.push_back(a == std::string::npos ? "" : field.substr(a, b - a + 1));
  }
  if (!line.empty() && line.back() == ',') fields.emplace_back();
  return fields;
}

struct CheckedPoint {
  std::string name;
  double x, y, z;
};

// Checks every line of a SIMA file: it ends in a comma and holds the number of
// fields its record type has (the empty field behind the last comma counted).
// Returns the A01 points; a failure names the line.
inline std::vector<CheckedPoint> CheckSimaRecords(const std::vector<std::string>& lines) {
  const std::vector<std::pair<std::string, size_t>> fieldCounts = {
      {"G00", 3}, {"A00", 1}, {"A01", 6}, {"A99", 1}, {"D00", 4}, {"B01", 3},
      {"E00", 1}, {"E01", 7}, {"E99", 1}, {"D99", 1}};
  std::vector<CheckedPoint> points;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    EXPECT_TRUE(!line.empty() && line.back() == ',') << "line " << i + 1 << ": " << line;
    const std::vector<std::string> fields = SplitAtCommas(line);
    if (fields.empty()) {
      ADD_FAILURE() << "line " << i + 1 << " is empty";
      continue;
    }
    bool known = false;
    for (const auto& [code, count] : fieldCounts) {
      if (fields.front() != code) continue;
      known = true;
      EXPECT_EQ(fields.size() - 1, count) << "line " << i + 1 << ": " << line;
    }
    EXPECT_TRUE(known) << "line " << i + 1 << ": " << line;
    if (fields.front() == "A01" && fields.size() == 7) {
      points.push_back({fields[2], std::stod(fields[3]), std::stod(fields[4]), std::stod(fields[5])});
    }
  }
  return points;
}

// The lines of a file's text, each without its CR LF; a last line without one
// fails the check.
inline std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find("\r\n", at);
    EXPECT_NE(end, std::string::npos) << "a last line without CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

}  // namespace sima_records
