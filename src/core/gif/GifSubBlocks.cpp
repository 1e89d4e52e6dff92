#include "core/gif/GifSubBlocks.h"

#include "core/gif/GifException.h"

namespace tossbox {

std::vector<TGIFBlock> readGifBlocks(GifByteReader& reader) {
  std::vector<TGIFBlock> blocks;
  for (;;) {
    const std::uint8_t size = reader.readFixedByte();
    if (size == 0) return blocks;
    const auto bytes = reader.readExact(size);
    blocks.push_back({size, {bytes.begin(), bytes.end()}});
  }
}

std::vector<std::string> readGifLines(GifByteReader& reader) {
  std::vector<std::string> lines;
  for (const TGIFBlock& block : readGifBlocks(reader)) {
    std::string line(block.bytes.begin(), block.bytes.end());
    line.resize(line.find('\0') == std::string::npos ? line.size() : line.find('\0'));
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<std::uint8_t> readGifImageData(GifByteReader& reader, const GifWarningSink& warn) {
  std::vector<std::uint8_t> data;
  // The chain can be no longer than the rest of the file.
  data.reserve(reader.remaining());
  for (;;) {
    const auto size = reader.readByte();
    if (!size || *size == 0) return data;
    if (*size > reader.remaining() && warn) warn(gif_text::kPrematureEnd);
    const auto bytes = reader.readUpTo(*size);
    data.insert(data.end(), bytes.begin(), bytes.end());
  }
}

}  // namespace tossbox
