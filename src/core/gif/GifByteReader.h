#pragma once
// A bounds-checked cursor over the bytes of a GIF file held in memory. Every read is checked
// against the end; the fixed-size reads raise "Premature end of data" instead of running past it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace tossbox {

class GifByteReader {
 public:
  explicit GifByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  [[nodiscard]] std::size_t position() const { return position_; }
  [[nodiscard]] std::size_t size() const { return bytes_.size(); }
  [[nodiscard]] std::size_t remaining() const { return bytes_.size() - position_; }
  [[nodiscard]] bool atEnd() const { return position_ >= bytes_.size(); }

  // The next byte, or nothing at the end of the data.
  [[nodiscard]] std::optional<std::uint8_t> readByte();
  [[nodiscard]] std::optional<std::uint8_t> peekByte(std::size_t ahead = 0) const;
  // Gives the byte just read back.
  void unread();
  void seek(std::size_t position);

  // Fixed-size reads: raise GIFException("Premature end of data") when the data is shorter.
  [[nodiscard]] std::uint8_t readFixedByte();
  [[nodiscard]] std::uint16_t readWord();
  [[nodiscard]] std::span<const std::uint8_t> readExact(std::size_t count);
  // Up to `count` bytes, fewer at the end of the data.
  [[nodiscard]] std::span<const std::uint8_t> readUpTo(std::size_t count);

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

}  // namespace tossbox
