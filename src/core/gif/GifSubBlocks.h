#pragma once
// Data sub-blocks, the chains of size-prefixed byte runs that follow extensions and image data.
// Kept apart from the LZW decoder so the decoder sees one run of bytes.
#include <cstdint>
#include <string>
#include <vector>

#include "core/gif/GifByteReader.h"
#include "core/gif/GifEvents.h"

namespace tossbox {

// One data sub-block as read: its size byte and its bytes.
struct TGIFBlock {
  std::uint8_t size = 0;
  std::vector<std::uint8_t> bytes;
  bool operator==(const TGIFBlock&) const = default;
};

// Extension data: every sub-block up to the zero-size terminator. A sub-block (or the
// terminator) cut off by the end of the file is the error "Premature end of data".
[[nodiscard]] std::vector<TGIFBlock> readGifBlocks(GifByteReader& reader);
// The same, each sub-block taken as a line of text up to its first NUL byte.
[[nodiscard]] std::vector<std::string> readGifLines(GifByteReader& reader);

// Image data: the bytes of all sub-blocks joined. The end of the file ends the data; a sub-block
// claiming more than the file holds is cut to what is left with the warning
// "Premature end of data".
[[nodiscard]] std::vector<std::uint8_t> readGifImageData(GifByteReader& reader,
                                                         const GifWarningSink& warn);

}  // namespace tossbox
