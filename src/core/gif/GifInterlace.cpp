#include "core/gif/GifInterlace.h"

#include <algorithm>
#include <cstddef>

namespace tossbox {

std::vector<int> interlacedRowOrder(int height) {
  constexpr int kStart[] = {0, 4, 2, 1};
  constexpr int kStep[] = {8, 8, 4, 2};
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(std::max(height, 0)));
  for (int pass = 0; pass < 4; ++pass) {
    for (int row = kStart[pass]; row < height; row += kStep[pass]) rows.push_back(row);
  }
  return rows;
}

void deinterlace(std::span<const std::uint8_t> stored, int width, int height,
                 std::span<std::uint8_t> frame) {
  const auto rows = interlacedRowOrder(height);
  const auto rowBytes = static_cast<std::size_t>(width);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::copy_n(stored.begin() + static_cast<std::ptrdiff_t>(i * rowBytes), rowBytes,
                frame.begin() + static_cast<std::ptrdiff_t>(rows[i] * rowBytes));
  }
}

}  // namespace tossbox
