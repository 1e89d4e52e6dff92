#pragma once
// The displayed list computed from the collected entries: the entries whose kind is shown, in
// collection order or sorted once in ascending list order, and the count of every kind over all
// entries, shown or hidden. The window fills its list box and count labels from it.
#include <array>
#include <cstddef>
#include <vector>

#include "core/files/FileKind.h"
#include "core/files/SortList.h"

namespace tossbox {

// Indexed by kindIndex(): true = the kind is shown.
using KindFlags = std::array<bool, kFileKindCount>;
using KindCounts = std::array<std::size_t, kFileKindCount>;

struct DisplayedList {
  std::vector<std::size_t> entryNumbers;  // the displayed entries, in display order
  KindCounts counts{};                    // every entry of each kind, shown or not
};

// Entries of no kind are neither shown nor counted.
[[nodiscard]] DisplayedList RebuildList(const SortList& list, const KindFlags& shown,
                                        bool sortAscending);

}  // namespace tossbox
