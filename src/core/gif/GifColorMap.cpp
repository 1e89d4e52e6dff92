#include "core/gif/GifColorMap.h"

#include <algorithm>

#include "core/gif/GifBitmap.h"

namespace tossbox {

int TGIFColorMap::bitsPerPixel() const {
  if (entries_.empty()) return 0;
  int bits = 1;
  while (bits < 8 && (1 << bits) < count()) ++bits;
  return bits;
}

std::uint32_t TGIFColorMap::argb(int index) const {
  if (index < 0 || index >= count()) return gifArgb(0, 0, 0);
  const GifColor& c = entries_[index];
  return gifArgb(c.red, c.green, c.blue);
}

void TGIFColorMap::read(GifByteReader& reader, int entries) {
  entries = std::clamp(entries, 0, kCapacity);
  const auto bytes = reader.readExact(static_cast<std::size_t>(entries) * 3);
  entries_.clear();
  entries_.reserve(static_cast<std::size_t>(entries));
  for (int i = 0; i < entries; ++i) {
    entries_.push_back({bytes[i * 3], bytes[i * 3 + 1], bytes[i * 3 + 2]});
  }
  sorted_ = false;
}

void TGIFColorMap::clear() {
  entries_.clear();
  sorted_ = false;
}

}  // namespace tossbox
