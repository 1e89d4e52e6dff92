#pragma once
// A GIF file read as the GIF renderer shows it, apart from the control it goes into: the parsed
// image (header, frames, colour maps), its first frame as a still, and the facts the information
// window prints. The renderer and the prefetch both read through here, so that a prefetched GIF
// is the picture a fresh read gives; playing it stays with the controls that show it.
#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/gif/GifImage.h"
#include "core/picture/PixelDepth.h"
#include "forms/render/RenderCall.h"

namespace tossbox {

struct DecodedGif {
  std::shared_ptr<const TGIFImage> image;
  QImage still;
  int width = 0;
  int height = 0;
  int frames = 0;
  std::string version;
  std::string colour;
  std::string_view format;
  PixelDepth depth = PixelDepth::Device;

  [[nodiscard]] std::uint64_t memoryCost() const {
    return image->memoryCost() + static_cast<std::uint64_t>(still.sizeInBytes());
  }
};

// Told how the reading goes: starting, each frame's percentage, the end.
using GifReadProgress = std::function<void(ProgressStage, int percent)>;

// Nothing when the bytes are no GIF the controls can show. An exception `progress` throws that
// is no std::exception leaves the call, so a reader that gives up stops at the next frame.
[[nodiscard]] std::optional<DecodedGif> decodeGif(std::span<const std::uint8_t> bytes,
                                                  const GifReadProgress& progress);

}  // namespace tossbox
