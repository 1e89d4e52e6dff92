#include "core/gif/LzwDecoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "core/gif/GifException.h"

namespace tossbox {

namespace {

// Least-significant-bit-first reader with a 64-bit buffer.
class CodeReader {
 public:
  explicit CodeReader(std::span<const std::uint8_t> data)
      : next_(data.data()), end_(data.data() + data.size()) {}

  bool read(unsigned width, unsigned& code) {
    if (count_ < width) {
      refill();
      if (count_ < width) return false;
    }
    code = static_cast<unsigned>(bits_ & ((1u << width) - 1));
    bits_ >>= width;
    count_ -= width;
    return true;
  }

 private:
  void refill() {
    if (end_ - next_ >= 8) {
      std::uint64_t word;
      std::memcpy(&word, next_, 8);
      if constexpr (std::endian::native == std::endian::big) word = byteswap(word);
      bits_ |= word << count_;
      next_ += (63 - count_) >> 3;
      count_ |= 56;
      return;
    }
    while (count_ <= 56 && next_ < end_) {
      bits_ |= std::uint64_t{*next_++} << count_;
      count_ += 8;
    }
  }

  static std::uint64_t byteswap(std::uint64_t value) {
    std::uint64_t result = 0;
    for (int i = 0; i < 8; ++i) result = (result << 8) | ((value >> (8 * i)) & 0xFF);
    return result;
  }

  const std::uint8_t* next_;
  const std::uint8_t* end_;
  std::uint64_t bits_ = 0;
  unsigned count_ = 0;
};

}  // namespace

LzwResult LzwDecoder::decode(std::span<const std::uint8_t> data, int minCodeSize,
                             std::span<std::uint8_t> out) {
  if (minCodeSize < 1 || minCodeSize > kMinCodeSizeLimit) {
    throw GIFException(gif_text::kInvalidData);
  }
  const unsigned clearCode = 1u << minCodeSize;
  const unsigned endCode = clearCode + 1;
  const unsigned firstFree = clearCode + 2;
  // Where each entry's string was written and how long it is.
  std::array<std::uint32_t, kTableSize> offsets;
  std::array<std::uint16_t, kTableSize> lengths;

  CodeReader reader(data);
  std::uint8_t* const output = out.data();
  const std::size_t total = out.size();
  std::size_t position = 0;
  unsigned codeSize = minCodeSize + 1;
  unsigned nextFree = firstFree;
  bool havePrevious = false;
  std::size_t previousPosition = 0;
  unsigned previousLength = 0;
  // A short copy may write up to this many bytes past its string; they are zeroed on a stop.
  constexpr std::size_t kOvercopy = 16;

  const auto finish = [&](LzwStop stop, bool underRun) {
    if (stop != LzwStop::FrameFull) {
      std::memset(output + position, 0, std::min(kOvercopy, total - position));
    }
    return LzwResult{stop, position, underRun};
  };

  while (position < total) {
    unsigned code;
    if (!reader.read(codeSize, code)) return finish(LzwStop::UnderRun, true);
    if (code == clearCode) {
      codeSize = minCodeSize + 1;
      nextFree = firstFree;
      havePrevious = false;
      continue;
    }
    if (code == endCode) return finish(LzwStop::EndCode, false);

    if (havePrevious && nextFree < kTableSize) {
      // The new entry is the previous string and the first index of this one, which will sit
      // right after it in the output; made first so that a code naming it can be expanded too.
      offsets[nextFree] = static_cast<std::uint32_t>(previousPosition);
      lengths[nextFree] = static_cast<std::uint16_t>(previousLength + 1);
      ++nextFree;
      if (nextFree >= (1u << codeSize) && codeSize < 12) ++codeSize;
    }

    unsigned length;
    if (code < clearCode) {
      // Wide code sizes are allowed, but a pixel is one byte: no colour table has such an index.
      if (code > 0xFF) throw GIFException(gif_text::kInvalidData);
      output[position] = static_cast<std::uint8_t>(code);
      length = 1;
    } else {
      if (!havePrevious || code < firstFree || code >= nextFree) {
        throw GIFException(gif_text::kInvalidData);
      }
      length = lengths[code];
      const std::size_t source = offsets[code];
      const std::size_t count = std::min<std::size_t>(length, total - position);
      std::uint8_t* target = output + position;
      const std::uint8_t* from = output + source;
      if (count <= kOvercopy && position + kOvercopy <= total && source + kOvercopy <= position) {
        std::memcpy(target, from, kOvercopy);
      } else if (source + count <= position) {
        std::memcpy(target, from, count);
      } else {
        // Only the entry just made overlaps its own output; copy forward byte by byte.
        for (std::size_t i = 0; i < count; ++i) target[i] = from[i];
      }
    }
    havePrevious = true;
    previousPosition = position;
    previousLength = length;
    position += std::min<std::size_t>(length, total - position);
  }
  // One more code: normally the end code; any remaining data is skipped by the caller.
  unsigned extra;
  return finish(LzwStop::FrameFull, !reader.read(codeSize, extra));
}

}  // namespace tossbox
