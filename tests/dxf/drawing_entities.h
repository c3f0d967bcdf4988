// The entities of a drawing as the program wrote them (CP932 text, CR LF): each
// record's kind and its groups in order, read straight from the code and value
// lines; and the numbers of the lines python3-ezdxf prints.
#pragma once

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "runtime/files.h"

namespace drawing_entities {

struct Entity {
  std::string kind;
  std::vector<std::pair<int, std::string>> groups;  // after the "0" group

  // The value of the first group `code`; empty when there is none.
  std::string Value(int code) const {
    for (const auto& [c, v] : groups) {
      if (c == code) return v;
    }
    return {};
  }
  double Number(int code) const { return std::stod(Value(code)); }
  bool Has(int code) const {
    for (const auto& g : groups) {
      if (g.first == code) return true;
    }
    return false;
  }
};

// The records after "ENTITIES" up to its "ENDSEC".
inline std::vector<Entity> Read(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t at = 0; at < text.size();) {
    const size_t end = text.find("\r\n", at);
    if (end == std::string::npos) break;
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  std::vector<Entity> entities;
  bool inside = false;
  for (size_t k = 0; k + 1 < lines.size(); k += 2) {
    const int code = std::stoi(lines[k]);
    const std::string& value = lines[k + 1];
    if (!inside) {
      inside = code == 2 && value == "ENTITIES";
      continue;
    }
    if (code == 0) {
      if (value == "ENDSEC") break;
      entities.push_back({value, {}});
    } else if (!entities.empty()) {
      entities.back().groups.emplace_back(code, value);
    }
  }
  return entities;
}

inline std::vector<Entity> Of(const std::vector<Entity>& all, const std::string& kind, const std::string& layer) {
  std::vector<Entity> out;
  for (const Entity& e : all) {
    if (e.kind == kind && e.Value(8) == layer) out.push_back(e);
  }
  return out;
}

// The blank-separated words of a line that ezdxf printed.
inline std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

}  // namespace drawing_entities
