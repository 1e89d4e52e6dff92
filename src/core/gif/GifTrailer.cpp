#include "core/gif/GifTrailer.h"

#include "core/gif/GifException.h"

namespace tossbox {

void TGIFTrailer::read(GifByteReader& reader, const GifWarningSink& warn) {
  const auto byte = reader.readByte();
  if (byte && *byte != kByte && warn) warn(gif_text::kInvalidTrailer);
}

}  // namespace tossbox
