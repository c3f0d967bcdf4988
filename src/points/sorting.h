// Sorting the point selection: by name in natural order (the text, then the
// trailing number by its value), by X, Y or Z, or removing repeated numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct App;

// The "S" command of the selection: asks the kind ("ソート種類 ..."; Enter is
// "a") and reorders SelectionList entries 0 to SelectionLast in place:
//   A X Y Z  by the name key, X, Y or Z, ascending (as the prompt's legend says:
//            capitals ascend)
//   a x y z  the same, descending
//   J        removes repeated numbers, the first of each kept, order kept;
//            SelectionLast is lowered by the number removed
// Any other answer leaves the list. After a name sort PointNamePrefix and
// PointNameNumber hold the parts of the name keyed last (the list's last entry
// as it was given), so the next name proposed follows from it.
void SortPoints(App& app);

namespace points {

// The name key of a name: its text part, then its trailing number right-aligned
// in 16 characters, so that names with the same text sort by the number's value
// (A2 before A10). The split looks at the first 16 bytes only: the prefix runs
// to the last byte among them that is not a digit ("0" to "9", ":" and ";"),
// the number is the value of the up to 16 bytes after it.
struct NameKey {
  std::string prefix;
  double number = 0;
  std::string key;
};
NameKey BuildNameSortKey(std::string_view name);

enum class SortOrder { Ascending, Descending };

// The exchange sort of the selection: for each position i, every later position
// j whose key is not greater (ascending) or not smaller (descending) than the
// key now at i changes place with it. Equal keys change places too, so entries
// of equal keys do not keep their order (three equal ones come out reversed).
// `keys` holds one key per entry, built once.
void ExchangeSort(std::vector<int16_t>& entries, const std::vector<std::string>& keys,
                  SortOrder order);
void ExchangeSort(std::vector<int16_t>& entries, const std::vector<double>& keys,
                  SortOrder order);

// The entries without repeated numbers, the first of each kept in its place.
std::vector<int16_t> WithoutRepeats(const std::vector<int16_t>& entries);

}  // namespace points
