// A table of fixed bound, indexed 0..bound like the program's dimensioned arrays.
// An index outside the table is run-time error 9, never a write outside it.
#pragma once

#include <cmath>
#include <concepts>
#include <cstddef>
#include <source_location>
#include <vector>

#include "runtime/errors.h"

template <typename T>
class RtTable {
 public:
  RtTable() = default;
  // Indexes 0 to `bound`, every element value-initialised (0, empty text).
  explicit RtTable(int bound) { Dimension(bound); }

  // Makes the table anew with indexes 0 to `bound`, every element cleared.
  void Dimension(int bound) { cells_.assign(bound < 0 ? 0 : static_cast<size_t>(bound) + 1, T{}); }

  int Bound() const { return static_cast<int>(cells_.size()) - 1; }
  bool Contains(long long i) const { return i >= 0 && static_cast<size_t>(i) < cells_.size(); }

  // Element i, written like the program's arrays: PointX(i). An index given as a
  // number with a fraction is rounded half away from zero, as subscripts are. The
  // place of the caller is the place of the error.
  template <std::integral I>
  T& operator()(I i, std::source_location where = std::source_location::current()) {
    return Cell(static_cast<long long>(i), where);
  }
  template <std::integral I>
  const T& operator()(I i, std::source_location where = std::source_location::current()) const {
    return const_cast<RtTable*>(this)->Cell(static_cast<long long>(i), where);
  }
  T& operator()(double i, std::source_location where = std::source_location::current()) {
    return Cell(Subscript(i), where);
  }
  const T& operator()(double i, std::source_location where = std::source_location::current()) const {
    return const_cast<RtTable*>(this)->Cell(Subscript(i), where);
  }

 private:
  static long long Subscript(double i) {
    return std::isfinite(i) && std::fabs(i) < 1e15 ? std::llround(i) : -1;
  }
  T& Cell(long long i, const std::source_location& where) {
    if (!Contains(i)) RtRaise(kErrSubscript, where);
    return cells_[static_cast<size_t>(i)];
  }

  std::vector<T> cells_;
};
