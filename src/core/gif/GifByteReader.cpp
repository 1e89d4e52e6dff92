#include "core/gif/GifByteReader.h"

#include <algorithm>

#include "core/gif/GifException.h"

namespace tossbox {

std::optional<std::uint8_t> GifByteReader::readByte() {
  if (atEnd()) return std::nullopt;
  return bytes_[position_++];
}

std::optional<std::uint8_t> GifByteReader::peekByte(std::size_t ahead) const {
  if (ahead >= remaining()) return std::nullopt;
  return bytes_[position_ + ahead];
}

void GifByteReader::unread() {
  if (position_ > 0) --position_;
}

void GifByteReader::seek(std::size_t position) {
  position_ = std::min(position, bytes_.size());
}

std::uint8_t GifByteReader::readFixedByte() {
  if (atEnd()) throw GIFException(gif_text::kPrematureEnd);
  return bytes_[position_++];
}

std::uint16_t GifByteReader::readWord() {
  const auto bytes = readExact(2);
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::span<const std::uint8_t> GifByteReader::readExact(std::size_t count) {
  if (count > remaining()) throw GIFException(gif_text::kPrematureEnd);
  const auto result = bytes_.subspan(position_, count);
  position_ += count;
  return result;
}

std::span<const std::uint8_t> GifByteReader::readUpTo(std::size_t count) {
  return readExact(std::min(count, remaining()));
}

}  // namespace tossbox
