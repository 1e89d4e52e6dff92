#include "core/shellns/ItemIdList.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace tossbox {

namespace {

constexpr std::size_t kSizeField = 2;

std::size_t sizeFieldAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::size_t>(bytes[offset]) |
         (static_cast<std::size_t>(bytes[offset + 1]) << 8);
}

}  // namespace

std::optional<std::size_t> itemIdListSize(std::span<const std::uint8_t> bytes) {
  std::size_t offset = 0;
  while (true) {
    if (bytes.size() - offset < kSizeField) return std::nullopt;
    const std::size_t itemSize = sizeFieldAt(bytes, offset);
    if (itemSize == 0) return offset + kSizeField;
    // A size below two would not even cover its own field (and a size of 0 ends the list).
    if (itemSize < kSizeField) return std::nullopt;
    if (itemSize > bytes.size() - offset) return std::nullopt;
    offset += itemSize;
  }
}

ItemIdList::ItemIdList() : bytes_(kSizeField, 0) {}

std::optional<ItemIdList> ItemIdList::copyOf(std::span<const std::uint8_t> bytes) {
  const std::optional<std::size_t> size = itemIdListSize(bytes);
  if (!size) return std::nullopt;
  std::vector<std::uint8_t> copy(*size);
  std::copy_n(bytes.begin(), *size, copy.begin());
  return ItemIdList(std::move(copy));
}

std::optional<ItemIdList> ItemIdList::ofItem(std::string_view data) {
  if (data.size() > kMaxItemData) return std::nullopt;
  const std::size_t itemSize = data.size() + kSizeField;
  std::vector<std::uint8_t> bytes(itemSize + kSizeField);
  bytes[0] = static_cast<std::uint8_t>(itemSize & 0xFF);
  bytes[1] = static_cast<std::uint8_t>(itemSize >> 8);
  std::copy(data.begin(), data.end(), bytes.begin() + kSizeField);
  return ItemIdList(std::move(bytes));
}

std::vector<std::string_view> ItemIdList::items() const {
  std::vector<std::string_view> result;
  std::size_t offset = 0;
  while (true) {
    const std::size_t itemSize = sizeFieldAt(bytes_, offset);
    if (itemSize == 0) return result;
    result.emplace_back(reinterpret_cast<const char*>(bytes_.data() + offset + kSizeField),
                        itemSize - kSizeField);
    offset += itemSize;
  }
}

ItemIdList concatenate(const ItemIdList& first, const ItemIdList& second) {
  const std::size_t firstItems = first.size() - kSizeField;
  if (firstItems > std::numeric_limits<std::size_t>::max() - second.size()) {
    throw std::length_error("item-ID list too long");
  }
  std::vector<std::uint8_t> bytes(firstItems + second.size());
  std::copy_n(first.bytes_.begin(), firstItems, bytes.begin());
  std::copy(second.bytes_.begin(), second.bytes_.end(), bytes.begin() + firstItems);
  return ItemIdList(std::move(bytes));
}

}  // namespace tossbox
