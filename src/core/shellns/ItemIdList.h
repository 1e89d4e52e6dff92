#pragma once
// An item-ID list in its published byte layout: a sequence of items, each a 16-bit little-endian
// size that counts its own two bytes followed by that many bytes of data less two, ended by a
// 16-bit zero. The folder tree keeps one per node, so the lists are values that always hold a
// well-formed layout; bytes from anywhere else are checked before they become one.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tossbox {

// The size of the list at the start of `bytes`, terminator included; nullopt when the bytes do
// not hold a whole list (an item running past the end, an item size of 1, no terminator).
// Bytes after the terminator are not looked at.
[[nodiscard]] std::optional<std::size_t> itemIdListSize(std::span<const std::uint8_t> bytes);

class ItemIdList {
 public:
  // The most data one item can carry: its size field is 16 bits and counts itself.
  static constexpr std::size_t kMaxItemData = 0xFFFF - 2;

  // The empty list, a terminator only: the desktop's own list.
  ItemIdList();

  // A copy of the list at the start of `bytes`; nullopt when they hold none.
  [[nodiscard]] static std::optional<ItemIdList> copyOf(std::span<const std::uint8_t> bytes);
  // A list of one item carrying `data`; nullopt when the data does not fit a 16-bit size.
  [[nodiscard]] static std::optional<ItemIdList> ofItem(std::string_view data);

  [[nodiscard]] std::span<const std::uint8_t> bytes() const { return bytes_; }
  // The size in bytes, terminator included.
  [[nodiscard]] std::size_t size() const { return bytes_.size(); }
  [[nodiscard]] bool hasItems() const { return bytes_.size() > 2; }
  // The data of each item, front to back.
  [[nodiscard]] std::vector<std::string_view> items() const;

  friend bool operator==(const ItemIdList&, const ItemIdList&) = default;

 private:
  explicit ItemIdList(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  friend ItemIdList concatenate(const ItemIdList& first, const ItemIdList& second);

  std::vector<std::uint8_t> bytes_;
};

// `first` without its terminator followed by `second` with it.
[[nodiscard]] ItemIdList concatenate(const ItemIdList& first, const ItemIdList& second);

}  // namespace tossbox
