#include "core/gif/GifHeader.h"

#include <algorithm>
#include <cctype>

#include "core/gif/GifException.h"

namespace tossbox {

void TGIFHeader::read(GifByteReader& reader) {
  const auto signature = reader.readExact(6);
  if (std::toupper(signature[0]) != 'G' || std::toupper(signature[1]) != 'I' ||
      std::toupper(signature[2]) != 'F') {
    throw GIFException(gif_text::kInvalidSignature);
  }
  const auto descriptor = reader.readExact(kDescriptorSize);
  std::copy(descriptor.begin(), descriptor.end(), descriptor_.begin());
  if (hasGlobalColorTable()) {
    colorMap_.read(reader, 2 << tableSizeExponent());
  } else {
    colorMap_.clear();
  }
}

void TGIFHeader::clear() {
  descriptor_.fill(0);
  colorMap_.clear();
}

}  // namespace tossbox
