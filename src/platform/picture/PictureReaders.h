#pragma once
// The first image of a BMP or icon file's bytes. Direct-colour bitmaps and
// the bitmap images of icons are decoded by our own code; the rest goes
// through Qt's readers with the format fixed, so that a file of another kind
// is never accepted.
#include <QImage>
#include <cstdint>
#include <span>

namespace tossbox {

[[nodiscard]] QImage readBmpImage(std::span<const std::uint8_t> bytes);
[[nodiscard]] QImage readIconImage(std::span<const std::uint8_t> bytes);

}  // namespace tossbox
