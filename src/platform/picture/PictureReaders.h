#pragma once
// The first image of a BMP or icon file's bytes through Qt's readers, with
// the format fixed so that a file of another kind is never accepted.
#include <QImage>
#include <cstdint>
#include <span>

namespace tossbox {

[[nodiscard]] QImage readBmpImage(std::span<const std::uint8_t> bytes);
[[nodiscard]] QImage readIconImage(std::span<const std::uint8_t> bytes);

}  // namespace tossbox
