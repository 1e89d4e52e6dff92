#pragma once
// GIF colour tables: the global table of the logical screen and a frame's local table.
#include <cstdint>
#include <vector>

#include "core/gif/GifByteReader.h"

namespace tossbox {

struct GifColor {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const GifColor&) const = default;
};

// Up to 256 RGB entries. Reading never marks a table sorted.
class TGIFColorMap {
 public:
  static constexpr int kCapacity = 256;

  [[nodiscard]] int count() const { return static_cast<int>(entries_.size()); }
  [[nodiscard]] int capacity() const { return kCapacity; }
  [[nodiscard]] bool empty() const { return entries_.empty(); }
  [[nodiscard]] bool sorted() const { return sorted_; }
  void setSorted(bool sorted) { sorted_ = sorted; }
  [[nodiscard]] const GifColor& operator[](int index) const { return entries_[index]; }

  // 0 without entries, otherwise the smallest n (1..8) with 2^n >= count.
  [[nodiscard]] int bitsPerPixel() const;
  // The entry as opaque ARGB; an index past the table reads as black.
  [[nodiscard]] std::uint32_t argb(int index) const;

  // Reads `entries` entries of 3 bytes; raises "Premature end of data" when the file is shorter.
  void read(GifByteReader& reader, int entries);
  void clear();

 private:
  std::vector<GifColor> entries_;
  bool sorted_ = false;
};

// The logical screen's table, read after the screen descriptor.
class TGIFGlobalColorMap : public TGIFColorMap {};

// A frame's own table, read after its image descriptor.
class TGIFLocalColorMap : public TGIFColorMap {};

}  // namespace tossbox
