#pragma once
// Removing the temporary files a run of the program left behind when it was killed: the
// settings store's half-written replacements and the sorting's unfinished hidden copies. Only
// names the program itself makes, only regular files of the user running it, and never
// through a link. Safe only while no other copy of the program runs, which the single-instance
// lock makes sure of.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tossbox {

// Whether `name` is `prefix` followed by exactly `randomLength` ASCII letters or digits, the
// shape of the names mkstemp and the careful copy make.
[[nodiscard]] bool isTemporaryName(std::string_view name, std::string_view prefix,
                                   std::size_t randomLength);

// Removes from `folder` each regular file owned by this user whose name `isOurs` accepts;
// the number removed. A folder that cannot be read removes nothing.
int removeOwnLeftovers(const std::string& folder,
                       const std::function<bool(std::string_view name)>& isOurs);

}  // namespace tossbox
