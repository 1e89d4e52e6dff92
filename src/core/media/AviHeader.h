#pragma once
// The facts an AVI file states about itself in its RIFF header list: the
// main header ("avih") and the first video stream's header and format
// ("strh", "strf"). Only the head of the file is read; the frames are not.
#include <cstdint>
#include <optional>
#include <string>

#include "core/picture/LittleEndian.h"

namespace tossbox {

struct AviFacts {
  std::uint32_t frameCount = 0;
  std::int32_t width = 0;  // 0 when the header gives no usable size
  std::int32_t height = 0;
  std::uint32_t microSecondsPerFrame = 0;
};

// The header list lies at the start of the file; no more than this is read.
inline constexpr std::size_t kAviHeadBytes = std::size_t{1} << 20;

// The facts of the file whose first bytes are `head` (it may be cut short
// anywhere); nullopt when it is not a RIFF AVI form or has no main header.
[[nodiscard]] std::optional<AviFacts> parseAviHeader(Bytes head);

// Reads at most kAviHeadBytes of the file at `path` and parses them.
[[nodiscard]] std::optional<AviFacts> readAviHeader(const std::string& path);

}  // namespace tossbox
