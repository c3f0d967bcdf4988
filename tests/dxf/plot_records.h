// The entity records of DXF text (CR LF lines, a group-code line then its value
// line) split into records, for tests that check the groups a writer wrote.
#pragma once

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace plot_records {

struct Record {
  std::string kind;
  std::vector<std::pair<std::string, std::string>> groups;  // code (no blanks), value

  bool Has(const std::string& code) const {
    for (const auto& [c, v] : groups) {
      if (c == code) return true;
    }
    return false;
  }
  std::string Text(const std::string& code) const {
    for (const auto& [c, v] : groups) {
      if (c == code) return v;
    }
    return "<missing " + code + ">";
  }
  double Number(const std::string& code) const { return std::strtod(Text(code).c_str(), nullptr); }
  // The x and y of the VERTEX records that follow a POLYLINE are kept here.
  std::vector<std::pair<double, double>> vertices;
};

// The records of `text`; from the line after "ENTITIES" when the text holds a
// whole drawing. VERTEX records go into their POLYLINE, SEQEND is dropped.
inline std::vector<Record> Parse(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < text.size();) {
    const size_t end = text.find("\r\n", at);
    if (end == std::string::npos) break;
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  size_t start = 0;
  for (size_t k = 0; k + 1 < lines.size(); ++k) {
    if (lines[k] == "  2" && lines[k + 1] == "ENTITIES") start = k + 2;
  }
  std::vector<Record> records;
  bool inPolyline = false;
  Record vertex;
  for (size_t k = start; k + 1 < lines.size(); k += 2) {
    std::string code = lines[k];
    code.erase(0, code.find_first_not_of(' '));
    const std::string& value = lines[k + 1];
    if (code == "0") {
      if (!vertex.kind.empty() && inPolyline)
        records.back().vertices.emplace_back(vertex.Number("10"), vertex.Number("20"));
      vertex = Record{};
      if (value == "ENDSEC" || value == "EOF") break;
      if (value == "SEQEND") {
        inPolyline = false;
        continue;
      }
      if (value == "VERTEX" && inPolyline) {
        vertex.kind = value;
        continue;
      }
      records.push_back({value, {}, {}});
      inPolyline = value == "POLYLINE";
      continue;
    }
    if (!vertex.kind.empty()) {
      vertex.groups.emplace_back(code, value);
    } else if (!records.empty()) {
      records.back().groups.emplace_back(code, value);
    }
  }
  return records;
}

}  // namespace plot_records
