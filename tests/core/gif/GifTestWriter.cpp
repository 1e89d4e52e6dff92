#include "GifTestWriter.h"

#include <algorithm>

#include "core/gif/GifInterlace.h"

namespace tossbox::gif_test {

namespace {

class BitPacker {
 public:
  void put(unsigned code, unsigned width) {
    buffer_ |= std::uint64_t{code} << count_;
    count_ += width;
    while (count_ >= 8) {
      bytes_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
      buffer_ >>= 8;
      count_ -= 8;
    }
  }
  std::vector<std::uint8_t> finish() {
    if (count_ > 0) bytes_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
    return std::move(bytes_);
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint64_t buffer_ = 0;
  unsigned count_ = 0;
};

}  // namespace

int tableExponent(std::size_t count) {
  int exponent = 0;
  while ((std::size_t{2} << exponent) < count && exponent < 7) ++exponent;
  return exponent;
}

std::vector<std::uint8_t> lzwEncode(std::span<const std::uint8_t> indices, int minCodeSize) {
  const unsigned clearCode = 1u << minCodeSize;
  const unsigned firstFree = clearCode + 2;
  // (prefix code, index) -> code, valid when the stamp matches the current table.
  std::vector<std::uint32_t> table(4096u * 256u, 0);
  std::uint32_t stamp = 1;
  BitPacker packer;
  unsigned codeSize = minCodeSize + 1;
  unsigned nextFree = firstFree;
  packer.put(clearCode, codeSize);
  if (indices.empty()) {
    packer.put(clearCode + 1, codeSize);
    return packer.finish();
  }
  unsigned current = indices[0];
  bool addedSinceClear = false;
  for (std::size_t i = 1; i < indices.size(); ++i) {
    const unsigned index = indices[i];
    const std::uint32_t entry = table[current * 256u + index];
    if ((entry >> 12) == stamp) {
      current = entry & 0xFFF;
      continue;
    }
    packer.put(current, codeSize);
    table[current * 256u + index] = (stamp << 12) | nextFree;
    ++nextFree;
    addedSinceClear = true;
    if (nextFree > (1u << codeSize) && codeSize < 12) ++codeSize;
    if (nextFree == 4096) {
      packer.put(clearCode, codeSize);
      ++stamp;
      codeSize = minCodeSize + 1;
      nextFree = firstFree;
      addedSinceClear = false;
    }
    current = index;
  }
  packer.put(current, codeSize);
  // The decoder adds one more entry on reading the last code, and may widen for the end code.
  if (addedSinceClear && nextFree == (1u << codeSize) && codeSize < 12) ++codeSize;
  packer.put(clearCode + 1, codeSize);
  return packer.finish();
}

std::vector<std::uint8_t> subBlocks(std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> result;
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t size = std::min<std::size_t>(255, data.size() - at);
    result.push_back(static_cast<std::uint8_t>(size));
    result.insert(result.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                  data.begin() + static_cast<std::ptrdiff_t>(at + size));
  }
  result.push_back(0);
  return result;
}

void GifTestWriter::word(int value) {
  bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
  bytes_.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void GifTestWriter::colourTable(const std::vector<std::uint32_t>& colours, int entries) {
  for (int i = 0; i < entries; ++i) {
    const std::uint32_t c = i < static_cast<int>(colours.size()) ? colours[i] : 0;
    bytes_.push_back(static_cast<std::uint8_t>((c >> 16) & 0xFF));
    bytes_.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
    bytes_.push_back(static_cast<std::uint8_t>(c & 0xFF));
  }
}

GifTestWriter& GifTestWriter::header(int width, int height,
                                     const std::vector<std::uint32_t>& globalColours,
                                     int backgroundIndex, const std::string& signature) {
  bytes_.insert(bytes_.end(), signature.begin(), signature.end());
  word(width);
  word(height);
  const int exponent = tableExponent(globalColours.size());
  globalBits_ = exponent + 1;
  bytes_.push_back(static_cast<std::uint8_t>(globalColours.empty() ? 0x70 : 0xF0 | exponent));
  bytes_.push_back(static_cast<std::uint8_t>(backgroundIndex));
  bytes_.push_back(0);
  if (!globalColours.empty()) colourTable(globalColours, 2 << exponent);
  return *this;
}

GifTestWriter& GifTestWriter::comment(const std::string& text) {
  bytes_.push_back(0x21);
  bytes_.push_back(0xFE);
  const auto blocks = subBlocks({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  bytes_.insert(bytes_.end(), blocks.begin(), blocks.end());
  return *this;
}

GifTestWriter& GifTestWriter::loop(int count, const std::string& identifier) {
  bytes_.insert(bytes_.end(), {0x21, 0xFF, 0x0B});
  bytes_.insert(bytes_.end(), identifier.begin(), identifier.end());
  bytes_.insert(bytes_.end(), {0x03, 0x01});
  word(count);
  bytes_.push_back(0);
  return *this;
}

GifTestWriter& GifTestWriter::control(int disposal, int delay,
                                      std::optional<int> transparentIndex) {
  bytes_.insert(bytes_.end(), {0x21, 0xF9, 0x04});
  bytes_.push_back(static_cast<std::uint8_t>((disposal << 2) | (transparentIndex ? 1 : 0)));
  word(delay);
  bytes_.push_back(static_cast<std::uint8_t>(transparentIndex.value_or(0)));
  bytes_.push_back(0);
  return *this;
}

GifTestWriter& GifTestWriter::image(const GifTestImage& image) {
  bytes_.push_back(0x2C);
  word(image.left);
  word(image.top);
  word(image.width);
  word(image.height);
  const bool local = !image.localColours.empty();
  const int exponent = tableExponent(image.localColours.size());
  bytes_.push_back(
      static_cast<std::uint8_t>((local ? 0x80 | exponent : 0) | (image.interlaced ? 0x40 : 0)));
  if (local) colourTable(image.localColours, 2 << exponent);
  const int bits = local ? exponent + 1 : globalBits_;
  const int minCodeSize = image.minCodeSize > 0 ? image.minCodeSize : std::max(2, bits);
  std::vector<std::uint8_t> stored = image.pixels;
  if (image.interlaced) {
    const auto rows = interlacedRowOrder(image.height);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      std::copy_n(image.pixels.begin() + rows[i] * image.width, image.width,
                  stored.begin() + static_cast<std::ptrdiff_t>(i) * image.width);
    }
  }
  bytes_.push_back(static_cast<std::uint8_t>(minCodeSize));
  const auto blocks = subBlocks(lzwEncode(stored, minCodeSize));
  bytes_.insert(bytes_.end(), blocks.begin(), blocks.end());
  return *this;
}

GifTestWriter& GifTestWriter::raw(const std::vector<std::uint8_t>& bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

GifTestWriter& GifTestWriter::trailer() {
  bytes_.push_back(0x3B);
  return *this;
}

}  // namespace tossbox::gif_test
