#include "core/files/SortList.h"

#include <array>

#include "core/files/PathRules.h"

namespace tossbox {

namespace {

// Room for one more item with the usual doubling (reserve(n + 1) would reallocate every time).
template <typename T>
void reserveOneMore(std::vector<T>& items) {
  if (items.size() < items.capacity()) return;
  items.reserve(items.empty() ? 64 : items.size() * 2);
}

}  // namespace

std::string makeEntryText(std::string_view name, std::size_t number) {
  std::array<char, kEntryNumberDigits> digits{};
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    *it = static_cast<char>('0' + number % 10);
    number /= 10;
  }
  std::string text;
  text.reserve(name.size() + 1 + kEntryNumberDigits);
  text.append(name);
  text.push_back('\t');
  text.append(digits.data(), digits.size());
  return text;
}

std::optional<std::size_t> entryNumberOf(std::string_view entryText) {
  if (entryText.size() < kEntryNumberDigits) return std::nullopt;
  std::size_t number = 0;
  for (const char c : entryText.substr(entryText.size() - kEntryNumberDigits)) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + static_cast<std::size_t>(c - '0');
  }
  return number;
}

std::string_view entryNameOf(std::string_view entryText) {
  constexpr std::size_t suffix = 1 + kEntryNumberDigits;
  if (entryText.size() < suffix) return {};
  return entryText.substr(0, entryText.size() - suffix);
}

std::optional<std::size_t> SortList::add(std::string path) {
  const std::size_t number = paths_.size();
  if (number >= kMaxEntries) return std::nullopt;
  const std::string_view name = LastPathPart(path);
  const std::optional<FileKind> fileKind = fileKindOf(name);
  // Reserve everything first so that a failed allocation leaves the three lists in step.
  reserveOneMore(paths_);
  reserveOneMore(entries_);
  reserveOneMore(kinds_);
  std::string entry = makeEntryText(name, number);
  paths_.push_back(std::move(path));
  entries_.push_back(std::move(entry));
  kinds_.push_back(fileKind ? static_cast<std::uint8_t>(kindNumber(*fileKind)) : 0);
  return number;
}

void SortList::clear() {
  // Assigning empty vectors gives the memory of a large list back, which clear() would keep.
  paths_ = {};
  entries_ = {};
  kinds_ = {};
}

std::optional<FileKind> SortList::kind(std::size_t number) const {
  const std::uint8_t value = kinds_.at(number);
  if (value == 0) return std::nullopt;
  return static_cast<FileKind>(value);
}

const std::string* SortList::pathOfEntry(std::string_view entryText) const {
  const std::optional<std::size_t> number = entryNumberOf(entryText);
  if (!number || *number >= paths_.size()) return nullptr;
  return &paths_[*number];
}

}  // namespace tossbox
