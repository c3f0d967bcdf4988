// Traverse blocks for the closure's tests: records written from true points
// with injected errors, and a compass rule coded from the textbook that
// adjusts them from their record texts, independently of the program.
#pragma once

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "traverse/field_book_book.h"

namespace closure_book {

using field_book_book::kRad;
using field_book_book::Sight;

struct P {
  double x, y, z;
};

inline double Azimuth(P a, P b) {
  double az = std::atan2(b.y - a.y, b.x - a.x) / kRad;
  return az < 0 ? az + 360 : az;
}

// A sight between two true points of a traverse, as the field book writes it:
// the reading from the back direction, slope distance and zenith angle of the
// line from the instrument axis to the target. `angleError` (seconds) and
// `distanceError` (metres) are added to the observation.
inline std::string TrueSight(char kind, P from, double back, P to, double i, double f, const char* name, double next = -1,
                      double angleError = 0, double distanceError = 0) {
  double reading = Azimuth(from, to) - back + angleError / 3600;
  while (reading < 0) reading += 360;
  while (reading >= 360) reading -= 360;
  const double d = std::hypot(to.x - from.x, to.y - from.y);
  const double rise = (to.z + f) - (from.z + i);
  const double zenith = std::atan2(d, rise) / kRad;
  return Sight(kind, std::hypot(d, rise) + distanceError, field_book_book::Dms(zenith),
               field_book_book::Dms(reading), f, name, next);
}

// dd.mmss to degrees.
inline double Degrees(double dms) {
  const double d = std::trunc(dms);
  const double m = std::trunc((dms - d) * 100 + 1e-7);
  return d + m / 60 + ((dms - d) * 100 - m) * 100 / 3600;
}

struct Record {
  char kind;
  double s, v, h, f, next;
  std::string name;
};
// A sight record read back by its columns.
inline Record Read(const std::string& r) {
  const auto field = [&](int from, int to) { return std::atof(r.substr(from - 1, to - from + 1).c_str()); };
  std::string name = r.substr(35, 8);
  name.erase(name.find_last_not_of(' ') + 1);
  return {r[0], field(2, 9), field(10, 18), field(19, 27), field(28, 34), r.size() > 44 ? field(45, 51) : 0, name};
}

inline double Mm(double x) { return std::floor(x * 1000 + 0.5) / 1000; }

// One walk of a block's sights from its station: the angle share added at
// every turn, the compass-rule share of the misclosure `m` over the length
// `total` added to every turn point, side shots from the adjusted stations.
struct Walk {
  std::map<std::string, P> points;
  double lastAzimuth = 0, firstTurn = 0, length = 0;
  int turns = 0;
  P end{};
};
inline Walk Traverse(const std::vector<Record>& records, std::size_t count, P station, double orientation, double i,
              bool heights, double share, P m, double total) {
  Walk w;
  for (std::size_t k = 0; k < count; ++k) {
    const Record& r = records[k];
    const bool turn = r.kind == 'T';
    if (turn) orientation += share;
    const double az = orientation + Degrees(r.h);
    const double v = Degrees(r.v) * kRad;
    const double hd = std::fabs(std::sin(v)) * r.s;
    P q{station.x + hd * std::cos(az * kRad), station.y + hd * std::sin(az * kRad),
        heights ? r.s * std::cos(v) + station.z + i - r.f : 0};
    if (turn) {
      if (++w.turns == 1) w.firstTurn = az;
      w.length += hd;
      if (total > 0) {
        q.x += m.x / total * hd;
        q.y += m.y / total * hd;
        if (heights) q.z += m.z / total * hd;
      }
      station = q;
      orientation = az + 180;
      i = r.next;
    }
    w.points[r.name] = q;
    w.lastAzimuth = az;
    w.end = q;
  }
  return w;
}

// The whole adjustment of a block coded from the textbook: the angular
// misclosure shared over n turns, the coordinate and height misclosures of the
// tie point over the leg lengths.
struct Adjustment {
  std::map<std::string, P> points;
  double turns = 0, angular = 0, length = 0;
  P misclosure{};
};
inline Adjustment Compass(const std::vector<std::string>& sights, P start, double orientation, double i, bool heights,
                   bool connecting, P tie, double knownClosing = 0) {
  std::vector<Record> records;
  int turnRecords = 0;
  for (const std::string& s : sights) {
    records.push_back(Read(s));
    turnRecords += records.back().kind == 'T';
  }
  Adjustment a;
  const Walk observed = Traverse(records, records.size(), start, orientation, i, heights, 0, {}, 0);
  const double known = connecting ? knownClosing : observed.firstTurn;
  a.turns = connecting ? turnRecords : turnRecords - 1;
  a.angular = std::remainder(known - observed.lastAzimuth, 360);
  const double share = a.angular / a.turns;
  const std::size_t toTie = records.size() - 1;
  const Walk corrected = Traverse(records, toTie, start, orientation, i, heights, share, {}, 0);
  a.length = corrected.length;
  a.misclosure = {Mm(tie.x - corrected.end.x), Mm(tie.y - corrected.end.y),
                  heights ? Mm(tie.z - corrected.end.z) : 0};
  const Walk adjusted = Traverse(records, toTie, start, orientation, i, heights, share, a.misclosure, a.length);
  a.points = adjusted.points;
  return a;
}

// The known points of the two blocks.
inline const P kStart{1000, 2000, 50}, kBack{1200, 2050, 0};
inline const P kS1{1100, 2150, 52}, kS2{1000, 2300, 55}, kS3{900, 2150, 51}, kSide{1050, 2350, 54};
inline const P kK1{2000, 1000, 0}, kBK1{2000, 800, 0}, kC1{2080, 1100, 0}, kC2{2050, 1250, 0}, kQ1{2100, 1200, 0};
inline const P kK2{2120, 1380, 0}, kBK2{2300, 1400, 0};
// A block along the axes that closes exactly, and a closing point 5 seconds
// east of north from K2.
inline const P kZ1{3000, 3000, 0}, kZB{3000, 2900, 0}, kD1{3100, 3000, 0}, kZT{3100, 3200, 0}, kZC{3000, 3300, 0};
inline const P kNorth{kK2.x + 1000, kK2.y + 1000 * std::tan(5.0 / 3600 * kRad), 0};

// A closed traverse with heights: ST - S1 - S2 (side shot P1) - S3 - ST, the
// closing sight from ST to S1; 8 seconds too much at S2, 3 cm too long S2-S3.
inline std::vector<std::string> ClosedSights() {
  return {TrueSight('T', kStart, Azimuth(kStart, kBack), kS1, 1.5, 1.5, "S1", 1.4),
          TrueSight('T', kS1, Azimuth(kS1, kStart), kS2, 1.4, 1.5, "S2", 1.6),
          TrueSight('\'', kS2, Azimuth(kS2, kS1), kSide, 1.6, 1.3, "P1"),
          TrueSight('T', kS2, Azimuth(kS2, kS1), kS3, 1.6, 1.5, "S3", 1.5, 8, 0.03),
          TrueSight('T', kS3, Azimuth(kS3, kS2), kStart, 1.5, 1.5, "ST", 1.5),
          TrueSight('\'', kStart, Azimuth(kStart, kS3), kS1, 1.5, 1.5, "S1")};
}
// A connecting traverse without heights: K1 (back-sight BK1) - C1 (side shot
// Q1) - C2 - K2, closing on BK2; 6 seconds too much at C1, 2 cm too long C1-C2.
// `tie` names the tie point, `closing` the closing back-sight point and
// `atC2` adds an angle error (seconds) at C2.
inline std::vector<std::string> ConnectingSights(const char* tie = "K2", P closing = kBK2, const char* closingName = "BK2",
                                          double atC2 = 0) {
  const double z = 0;
  return {TrueSight('T', kK1, Azimuth(kK1, kBK1), kC1, z, z, "C1", 0),
          TrueSight('\'', kC1, Azimuth(kC1, kK1), kQ1, z, z, "Q1"),
          TrueSight('T', kC1, Azimuth(kC1, kK1), kC2, z, z, "C2", 0, 6, 0.02),
          TrueSight('T', kC2, Azimuth(kC2, kC1), kK2, z, z, tie, 0, atC2),
          TrueSight('\'', kK2, Azimuth(kK2, kC2), closing, z, z, closingName)};
}

}  // namespace closure_book
