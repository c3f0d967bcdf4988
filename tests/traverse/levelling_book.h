// Levelling runs for the tests: their records as the field book writes them,
// and an independent reduction of a run by the textbook methods: heights by
// the height of collimation, the observation book's rise-and-fall check, and
// the calculation book of a round trip or one-way run with the same
// correction per section.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace levelling_book {

struct Reading {
  char kind;  // '^' back sight, '\'' fore sight
  const char* name;
  double distance;
  double staff;
};

// The round trip of the tests: BM1 (10.000) to the stored bench mark BM2
// (11.755) with an intermediate sight P1 and change points TP1 and P2, back
// by P2 and TP2.
inline const std::vector<Reading> kForward = {{'^', "BM1", 30, 1.5}, {'\'', "P1", 20, 1.2}, {'\'', "TP1", 30, 0.8},
                                              {'^', "TP1", 25, 1.7}, {'\'', "P2", 25, 1.1}, {'^', "P2", 30, 1.35},
                                              {'\'', "BM2", 30, 0.9}};
inline const std::vector<Reading> kReturn = {{'^', "BM2", 30, 1.0},   {'\'', "P2", 30, 1.449}, {'^', "P2", 35, 1.2},
                                             {'\'', "TP2", 35, 1.603}, {'^', "TP2", 30, 1.1},  {'\'', "BM1", 30, 2.001}};
inline constexpr double kStart = 10, kBm2 = 11.755;

// A start record as written ("*_", the name in 20 columns, "H= ", the height
// with four decimals), or as the end of the run rewrites it with the closing
// point's name (then "H= " stands in columns 25-27).
inline std::string StartRecord(const std::string& start, double height, const std::string& closing = "") {
  char text[96];
  std::snprintf(text, sizeof text, "*_%-20sH= %s%.4f", start.c_str(), height < 0 ? "-" : " ", std::fabs(height));
  const std::string written = text;
  if (closing.empty()) return written;
  std::snprintf(text, sizeof text, "%-8s", closing.c_str());
  return written.substr(0, 10) + "-->" + std::string(text).substr(0, 8) + written.substr(19);
}

// A reading record: kind, name in 10 columns, distance in 7 (3 decimals),
// staff reading in 8 (4 decimals); `tail` from column 27 on.
inline std::string ReadingRecord(const Reading& r, const std::string& tail = "") {
  char text[64];
  std::snprintf(text, sizeof text, "%c%-10s%7.3f%8.4f", r.kind, r.name, r.distance, r.staff);
  return text + tail;
}

inline double Mm(double x) { return std::floor(x * 1000 + 0.5) / 1000; }
// A mean that ends in half a millimetre goes to the nearest even millimetre.
inline double EvenMm(double x) {
  const double mm = x * 1000;
  const double fraction = mm - std::floor(mm);
  return std::fabs(fraction - 0.5) < 0.01 ? 2 * std::round(mm / 2) / 1000 : x;
}

// One observation book: its fore sights' heights relative to the opening
// back sight's point (height of collimation), and its sums.
struct Book {
  std::vector<std::string> names;  // fore sights in order
  std::vector<double> heights;
  double backsights = 0, foresights = 0, rises = 0, falls = 0, distances = 0;
};

// A fore sight followed by another fore sight is an intermediate sight: it
// does not enter the fore-sight sum.
inline Book Reduce(const std::vector<Reading>& run, double startHeight) {
  Book b;
  double collimation = 0;
  for (std::size_t k = 0; k < run.size(); ++k) {
    const Reading& r = run[k];
    if (r.kind == '^') {
      collimation = (b.heights.empty() ? startHeight : b.heights.back()) + r.staff;
      b.backsights += r.staff;
      continue;
    }
    const double d = run[k - 1].staff - r.staff;
    (d >= 0 ? b.rises : b.falls) += std::fabs(d);
    b.distances += r.distance;
    const bool intermediate = k + 1 < run.size() && run[k + 1].kind == '\'';
    if (!intermediate) b.foresights += r.staff;
    b.names.push_back(r.name);
    b.heights.push_back(collimation - r.staff);
  }
  return b;
}

// One line of the calculation book.
struct Line {
  std::string name;
  double forward, back, mean, correction, decidedDifference, height;
};

struct CalculationBook {
  std::vector<Line> lines;  // after the start point
  double misclosure = 0, perSection = 0;
  int sections = 0;
};

// The calculation book of a run from `startHeight` closed on `decided`: for a
// round trip the forward run's fore sights that the return run visits (the
// visit nearest the closing point), the closing point last; the differences
// of both runs between consecutive such points, their even-millimetre mean,
// and the same correction per section.
inline CalculationBook Calculate(const std::vector<Reading>& forward, const std::vector<Reading>& back,
                                 double startHeight, double decided) {
  const Book f = Reduce(forward, startHeight);
  CalculationBook c;
  std::vector<Line> lines;
  if (back.empty()) {
    double previous = startHeight;
    for (std::size_t k = 0; k < f.names.size(); ++k) {
      lines.push_back({f.names[k], f.heights[k] - previous, 0, f.heights[k] - previous, 0, 0, 0});
      previous = f.heights[k];
    }
  } else {
    const Book r = Reduce(back, 0);
    double previousForward = startHeight;
    double previousBack = r.heights.back();  // the start point relative to the closing point
    for (std::size_t k = 0; k < f.names.size(); ++k) {
      const bool closing = k + 1 == f.names.size();
      double relative = 0;
      bool found = closing;
      for (std::size_t j = 0; j < r.names.size() && !closing; ++j) {
        if (r.names[j] == f.names[k]) {
          relative = r.heights[j];
          found = true;
          break;
        }
      }
      if (!found) continue;
      const double fd = f.heights[k] - previousForward;
      const double bd = relative - previousBack;
      lines.push_back({f.names[k], fd, bd, EvenMm((fd + bd) / 2), 0, 0, 0});
      previousForward = f.heights[k];
      previousBack = relative;
    }
  }
  double observed = 0;
  for (const Line& l : lines) observed += l.mean;
  c.sections = static_cast<int>(lines.size());
  c.misclosure = observed - (decided - startHeight);
  c.perSection = c.misclosure / c.sections;
  double adjusted = startHeight;
  for (Line& l : lines) {
    const double before = adjusted;
    adjusted += l.mean - c.perSection;
    l.height = Mm(adjusted);
    l.decidedDifference = Mm(adjusted) - Mm(before);
    l.correction = std::floor((l.decidedDifference - l.mean) * 10000 + 0.5) / 10000;
  }
  c.lines = lines;
  return c;
}

}  // namespace levelling_book
