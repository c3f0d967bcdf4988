// The sort keeps the exchange sort's order exactly (equal keys change places),
// but builds every key once and compares small whole ranks in place of the
// keys: the order of two ranks is the order of their keys, so the result is the
// same, and a full selection of 9999 entries sorts in a fraction of a second.
#include "points/sorting.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/app.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

constexpr int kNumberField = 16;

// "0" to "9", and also ":" and ";", count as digits of a trailing number.
bool IsKeyDigit(char c) { return c >= '0' && c <= ';'; }

// The rank of each key: equal keys the same rank, a greater key a greater rank.
template <typename Key>
std::vector<int> RanksOf(const std::vector<Key>& keys) {
  std::vector<int> order(keys.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&keys](int a, int b) { return keys[a] < keys[b]; });
  std::vector<int> ranks(keys.size());
  int rank = 0;
  for (size_t k = 0; k < order.size(); ++k) {
    if (k > 0 && keys[order[k - 1]] < keys[order[k]]) ++rank;
    ranks[order[k]] = rank;
  }
  return ranks;
}

struct Ranked {
  int16_t entry;
  int rank;
};

void ExchangeSortByRank(std::vector<Ranked>& items, points::SortOrder order) {
  const size_t n = items.size();
  const bool ascending = order == points::SortOrder::Ascending;
  for (size_t i = 0; i + 1 < n; ++i) {
    for (size_t j = i + 1; j < n; ++j) {
      const bool exchange =
          ascending ? items[i].rank >= items[j].rank : items[i].rank <= items[j].rank;
      if (exchange) std::swap(items[i], items[j]);
    }
  }
}

template <typename Key>
void SortByKeys(std::vector<int16_t>& entries, const std::vector<Key>& keys,
                points::SortOrder order) {
  const std::vector<int> ranks = RanksOf(keys);
  std::vector<Ranked> items(entries.size());
  for (size_t k = 0; k < entries.size(); ++k) items[k] = {entries[k], ranks[k]};
  ExchangeSortByRank(items, order);
  for (size_t k = 0; k < entries.size(); ++k) entries[k] = items[k].entry;
}

// ---- The selection ----

std::vector<int16_t> SelectedEntries(const points::Store& p) {
  std::vector<int16_t> entries;
  for (int k = 0; k <= p.SelectionLast; ++k) entries.push_back(p.SelectionList(k));
  return entries;
}

void PutSelectedEntries(points::Store& p, const std::vector<int16_t>& entries) {
  for (size_t k = 0; k < entries.size(); ++k) p.SelectionList(static_cast<int>(k)) = entries[k];
  p.SelectionLast = static_cast<double>(entries.size()) - 1;
}

// The name keys of the entries' points; the split state is left from the last.
std::vector<std::string> NameKeysOf(App& app, const std::vector<int16_t>& entries) {
  std::vector<std::string> keys;
  keys.reserve(entries.size());
  points::NameKey last;
  for (const int16_t n : entries) {
    last = points::BuildNameSortKey(app.points.PointName(n));
    keys.push_back(last.key);
  }
  app.shell.PointNamePrefix = last.prefix;
  app.shell.PointNameNumber = last.number;
  return keys;
}

std::vector<double> CoordinateKeysOf(const RtTable<double>& column,
                                     const std::vector<int16_t>& entries) {
  std::vector<double> keys;
  keys.reserve(entries.size());
  for (const int16_t n : entries) keys.push_back(column(n));
  return keys;
}

// Sorts by the kind's key; false for an answer that is no sort kind.
bool SortByKind(App& app, std::vector<int16_t>& entries, const std::string& kind) {
  if (kind.size() != 1) return false;
  const char letter = static_cast<char>(RtLcase(kind)[0]);
  const points::SortOrder order =
      kind[0] == letter ? points::SortOrder::Descending : points::SortOrder::Ascending;
  const points::Store& p = app.points;
  switch (letter) {
    case 'a':
      points::ExchangeSort(entries, NameKeysOf(app, entries), order);
      return true;
    case 'x':
      points::ExchangeSort(entries, CoordinateKeysOf(p.PointX, entries), order);
      return true;
    case 'y':
      points::ExchangeSort(entries, CoordinateKeysOf(p.PointY, entries), order);
      return true;
    case 'z':
      points::ExchangeSort(entries, CoordinateKeysOf(p.PointZ, entries), order);
      return true;
    default:
      return false;
  }
}

}  // namespace

namespace points {

NameKey BuildNameSortKey(std::string_view name) {
  NameKey k;
  // Positions past the end of the name count as digits.
  const int looked = std::min<int>(kNumberField, static_cast<int>(name.size()));
  int q = 0;
  for (int position = looked; position >= 1; --position) {
    if (!IsKeyDigit(name[position - 1])) {
      q = position;
      break;
    }
  }
  k.prefix = std::string(name.substr(0, q));
  k.number = RtVal(name.substr(q, kNumberField));
  const std::string number = std::string(kNumberField, ' ') + RtStr(k.number);
  k.key = k.prefix + number.substr(number.size() - kNumberField);
  return k;
}

void ExchangeSort(std::vector<int16_t>& entries, const std::vector<std::string>& keys,
                  SortOrder order) {
  SortByKeys(entries, keys, order);
}

void ExchangeSort(std::vector<int16_t>& entries, const std::vector<double>& keys,
                  SortOrder order) {
  SortByKeys(entries, keys, order);
}

std::vector<int16_t> WithoutRepeats(const std::vector<int16_t>& entries) {
  std::vector<int16_t> kept;
  std::unordered_set<int16_t> seen;
  for (const int16_t n : entries) {
    if (seen.insert(n).second) kept.push_back(n);
  }
  return kept;
}

}  // namespace points

void SortPoints(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  RtPrintStr("ソート種類  [ a A x X y Y z Z J (a=名,大=昇,小=降)] a ", false);
  in.GuideNumber = 16;
  InputPointName(app);
  const std::string kind = in.Answer.empty() ? "a" : in.Answer;
  std::vector<int16_t> entries = SelectedEntries(p);
  if (kind == "J") {
    PutSelectedEntries(p, points::WithoutRepeats(entries));
    return;
  }
  // A list of fewer than two entries has no order to change.
  if (entries.size() < 2) return;
  if (SortByKind(app, entries, kind)) PutSelectedEntries(p, entries);
}
