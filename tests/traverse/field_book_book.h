// A field book for the calculation's tests: its records as the field book
// writes them, and an open traverse with side shots whose points are computed
// here by the polar formulas, independently of the program.
#pragma once

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace field_book_book {

inline constexpr double kRad = 3.14159265358979323846 / 180;

// A sight record: kind, slope distance (8), vertical (9), horizontal (9),
// target height (7), a blank, the name (8) and, for a turn, a blank and the
// next station's instrument height (7).
inline std::string Sight(char kind, double s, double v, double h, double f, const std::string& name,
                         double nextHeight = -1) {
  char text[96];
  std::snprintf(text, sizeof text, "%c%8.3f%9.4f%9.4f%7.3f %-8s", kind, s, v, h, f, name.c_str());
  std::string record = text;
  if (nextHeight >= 0) {
    std::snprintf(text, sizeof text, " %7.3f", nextHeight);
    record += text;
  }
  return record;
}

// A station record in the short form: station, back-sight, instrument height.
inline std::string Station(const std::string& name, const std::string& backsight, double height) {
  char text[64];
  std::snprintf(text, sizeof text, "*%-8s %-8s %7.3f", name.c_str(), backsight.c_str(), height);
  return text;
}

// Decimal degrees as dd.mmss.
inline double Dms(double degrees) {
  const double d = std::trunc(degrees);
  const double m = std::trunc((degrees - d) * 60 + 1e-9);
  const double s = ((degrees - d) * 60 - m) * 60;
  return d + m / 100 + s / 10000;
}

// One sight: kind, S, zenith angle and horizontal reading (degrees), target
// height, name, and for a turn the next instrument height.
struct Shot {
  char kind;
  double s, zenith, horizontal, f;
  const char* name;
  double nextHeight = -1;
};

// The open traverse: station ST (100, 200, 10) oriented on BS at 30 degrees,
// instrument height 1.5; side shots, a turn with a new instrument height, side
// shots beyond. The first sight is the textbook's worked example.
inline const std::vector<Shot> kShots = {
    {'\'', 50, 80, 45, 1.6, "P1"},          {'\'', 30, 95, 300, 1.5, "P2"},
    {'T', 80, 88.5, 170, 1.5, "T1", 1.45},  {'\'', 25, 91, 60, 1.3, "P3"},
    {'\'', 40, 85, 200, 2.0, "P4"},
};
inline constexpr double kStationX = 100, kStationY = 200, kStationZ = 10, kOrientation = 30;

// The records of the sights, their readings turned by `turn` degrees and the
// vertical readings under the convention vv (0 zenith, 90 elevation).
inline std::vector<std::string> ShotRecords(double turn = 0, double vv = 0) {
  std::vector<std::string> records;
  for (const Shot& s : kShots) {
    double h = s.horizontal + turn;
    if (h >= 360) h -= 360;
    const double v = vv == 90 ? 90 - s.zenith : s.zenith;
    records.push_back(Sight(s.kind, s.s, Dms(v), Dms(h), s.f, s.name, s.nextHeight));
  }
  return records;
}

struct Point {
  double x, y, z;
};
// The points by name: |sin V| S along the azimuth, S cos V + station height + i
// - f, the back direction and the new instrument height beyond each turn.
inline std::map<std::string, Point> PolarPoints() {
  Point station{kStationX, kStationY, kStationZ};
  double orientation = kOrientation, i = 1.5;
  std::map<std::string, Point> points;
  for (const Shot& s : kShots) {
    const double azimuth = orientation + s.horizontal;
    const double horizontal = std::fabs(std::sin(s.zenith * kRad)) * s.s;
    const Point p{station.x + horizontal * std::cos(azimuth * kRad), station.y + horizontal * std::sin(azimuth * kRad),
                  s.s * std::cos(s.zenith * kRad) + station.z + i - s.f};
    points[s.name] = p;
    if (s.kind == 'T') {
      station = p;
      orientation = std::fmod(azimuth + 180, 360);
      i = s.nextHeight;
    }
  }
  return points;
}

}  // namespace field_book_book
