#pragma once
// Writes 8-bit RGBA pictures as PNG files with stored (uncompressed) deflate blocks: large, but
// readable by every viewer and needing no compression library.
#include <cstdint>
#include <string>
#include <vector>

namespace tossbox {

// `rgba` holds width * height * 4 bytes, rows top to bottom. False when the file cannot be
// written.
[[nodiscard]] bool writeRgbaPng(const std::string& path, int width, int height,
                                const std::vector<std::uint8_t>& rgba);

}  // namespace tossbox
