// Test helpers for printed reports: a sample report that runs over a page end,
// and the text of printed pages made comparable (read back with a command such
// as pdftotext, split at form feeds, blanks squeezed).
#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

// What a command prints on its standard output.
inline std::string CommandOutput(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  pclose(pipe);
  return out;
}

// A line with its runs of blanks made one blank and no blanks at its ends.
inline std::string Squeezed(const std::string& line) {
  std::istringstream words(line);
  std::string word, result;
  while (words >> word) result += (result.empty() ? "" : " ") + word;
  return result;
}

// The text of each page: its non-empty lines, squeezed. Pages end at form feeds.
inline std::vector<std::vector<std::string>> PagesOf(const std::string& utf8Text) {
  std::vector<std::vector<std::string>> pages(1);
  std::istringstream in(utf8Text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    for (size_t feed; (feed = line.find('\f')) != std::string::npos;) {
      if (const std::string before = Squeezed(line.substr(0, feed)); !before.empty()) {
        pages.back().push_back(before);
      }
      pages.emplace_back();
      line.erase(0, feed + 1);
    }
    if (const std::string text = Squeezed(line); !text.empty()) pages.back().push_back(text);
  }
  while (!pages.empty() && pages.back().empty()) pages.pop_back();
  return pages;
}

// A report (CP932) of a table that runs over a page end.
inline std::string TwoPageReport() {
  std::string report = "  開放トラバース計算\r\n_\r\n";
  for (int i = 1; i <= 80; ++i) {
    report += "  T." + std::to_string(i) + "   X= " + std::to_string(1000 + i) + ".125   Y= " +
              std::to_string(2000 + 2 * i) + ".500\r\n";
  }
  return report;
}
