#pragma once
// A copy of a BMP file with its info header rewritten as the common 40-byte
// one, for readers that know only the usual header sizes. The colour table
// and the bits move up with the header, so the pixels stay the same.
#include <optional>
#include <vector>

#include "core/picture/BitmapHeader.h"

namespace tossbox {

// Nothing when the file's pixels need more than the 40-byte header can say:
// bit fields, or compressions other than the two run-length ones.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> withInfoHeader(Bytes file,
                                                                      const BitmapFile& parsed);

}  // namespace tossbox
