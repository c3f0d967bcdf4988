// The full job the benchmarks work on: every point of the table in use, with the
// names, marks, codes and heights of a field job, and every line vertex in use.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>

#include "cad/state.h"
#include "core/app.h"
#include "points/state.h"

// A job spread over a square kilometre of a survey zone far from its origin.
inline void FillJob(App& app) {
  points::Store& p = app.points;
  const int capacity = core::kPointCapacity;
  for (int i = 1; i <= capacity; ++i) {
    p.PointX(i) = -35000 + (i % 100) * 10.0 + (i % 7) * 0.37;
    p.PointY(i) = 12000 + (i / 100) * 10.0 + (i % 11) * 0.41;
    p.PointZ(i) = 30 + (i % 50) * 0.125;
    p.PointName(i) = "T." + std::to_string(i);
    p.PointAttribute(i) = std::to_string(i % 10) + std::to_string((i / 10) % 10) +
                          (i % 3 == 0 ? "境界杭" : (i % 3 == 1 ? "BL-" + std::to_string(i % 40) : ""));
  }
  p.PointCount = capacity;
  cad::Lines& l = app.lines;
  const int vertices = cad::kLineCapacity;
  // Lines along the rows of points, then along their columns.
  for (int k = 1; k <= vertices; ++k) {
    const int m = k - 1;
    const int number = m < capacity ? m + 1 : ((m - capacity) * 100) % capacity + 1;
    l.LinePointNumber(k) = static_cast<int16_t>(number);
    l.LinePointName(k) = p.PointName(number);
    l.LineLayer(k) = static_cast<int16_t>(k % 15 + 1);
    l.LineType(k) = static_cast<int16_t>(k % 10);
  }
  l.LineVertexCount = vertices;
}

// The job's square kilometre on an A1 sheet at 1:2000.
inline void PutJobOnSheet(App& app) {
  app.lines.PaperWidth = 0.841;
  app.lines.PaperHeight = 0.594;
  app.lines.ScaleDenominator = 2000;
  app.view.PlotOriginX = -35010;
  app.view.PlotOriginY = 11990;
}

// The size of a written file; 0 when it is missing.
inline long FileBytes(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? st.st_size : 0;
}
