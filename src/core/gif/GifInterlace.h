#pragma once
// Interlaced frames store their rows in four passes: rows 0, 8, 16, ...; then 4, 12, 20, ...;
// then 2, 6, 10, ...; then 1, 3, 5, ...
#include <cstdint>
#include <span>
#include <vector>

namespace tossbox {

// The frame row of each stored row, in storage order. Passes whose first row lies outside the
// frame contribute nothing, so every row of the frame appears exactly once.
[[nodiscard]] std::vector<int> interlacedRowOrder(int height);

// Moves the rows of `stored` (storage order) to their places in `frame` (top to bottom).
void deinterlace(std::span<const std::uint8_t> stored, int width, int height,
                 std::span<std::uint8_t> frame);

}  // namespace tossbox
