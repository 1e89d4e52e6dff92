#pragma once
// Little-endian field access for the byte formats the picture readers parse.
// Callers check `fits` before reading; the readers themselves do not check.
#include <cstddef>
#include <cstdint>
#include <span>

namespace tossbox {

using Bytes = std::span<const std::uint8_t>;

[[nodiscard]] inline bool fits(Bytes bytes, std::uint64_t offset, std::uint64_t count) {
  return offset <= bytes.size() && count <= bytes.size() - offset;
}

[[nodiscard]] inline std::uint16_t u16At(Bytes bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

[[nodiscard]] inline std::int16_t i16At(Bytes bytes, std::size_t offset) {
  return static_cast<std::int16_t>(u16At(bytes, offset));
}

[[nodiscard]] inline std::uint32_t u32At(Bytes bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes[offset]) |
         (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
         (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

[[nodiscard]] inline std::int32_t i32At(Bytes bytes, std::size_t offset) {
  return static_cast<std::int32_t>(u32At(bytes, offset));
}

}  // namespace tossbox
