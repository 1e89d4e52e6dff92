#pragma once
// The collected files: `SortList`, the full path of every file in the order of collection, and
// `EntryList`, the entry text of each ("name", TAB, the entry number in nine zero-padded digits).
// Both live in this one class so that they can only grow together and be emptied together: the
// entry number n always indexes both. Paths are kept byte for byte as given.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/FileKind.h"

namespace tossbox {

// Entry numbers are written with nine digits, so there is room for 10^9 entries.
inline constexpr std::size_t kMaxEntries = 1'000'000'000;
inline constexpr std::size_t kEntryNumberDigits = 9;

// The entry text of the file `name` with entry number `number` (< kMaxEntries).
[[nodiscard]] std::string makeEntryText(std::string_view name, std::size_t number);
// The entry number read back from the last nine characters of an entry text; nullopt when the
// text is too short or those characters are not all digits.
[[nodiscard]] std::optional<std::size_t> entryNumberOf(std::string_view entryText);
// The file name of an entry text: all before the TAB that precedes the number. Linux names may
// hold TABs themselves, so this is not "the text before the first TAB".
[[nodiscard]] std::string_view entryNameOf(std::string_view entryText);

class SortList {
 public:
  // Appends `path` with the entry text made from its last part and returns its entry number;
  // nullopt (and nothing added) once kMaxEntries entries are held.
  [[nodiscard]] std::optional<std::size_t> add(std::string path);
  // Empties both lists (the only way anything leaves them).
  void clear();

  [[nodiscard]] std::size_t size() const { return paths_.size(); }
  [[nodiscard]] bool empty() const { return paths_.empty(); }

  // `SortList` and `EntryList`, index = entry number.
  [[nodiscard]] const std::vector<std::string>& paths() const { return paths_; }
  [[nodiscard]] const std::vector<std::string>& entries() const { return entries_; }
  [[nodiscard]] const std::string& path(std::size_t number) const { return paths_.at(number); }
  [[nodiscard]] const std::string& entryText(std::size_t number) const {
    return entries_.at(number);
  }
  // The kind of entry `number` by its name; nullopt for a name of no kind.
  [[nodiscard]] std::optional<FileKind> kind(std::size_t number) const;

  // The path an entry text (a displayed list item) stands for; nullptr when its number is
  // malformed or not held.
  [[nodiscard]] const std::string* pathOfEntry(std::string_view entryText) const;

 private:
  std::vector<std::string> paths_;
  std::vector<std::string> entries_;
  // The kind number of every entry (0 for none), so that a rebuild need not parse names.
  std::vector<std::uint8_t> kinds_;
};

}  // namespace tossbox
