#pragma once
// What the prefetch keeps of one file: the file on disk it read, and the file decoded as the
// preview's renderer would decode it (a JPEG at the preview's scale, a BMP picture, a GIF's
// parsed image and still, a text's lines), with what the decode told of its progress. Entries are
// made on the prefetch's worker and only read once they are handed out.
#include <QImage>
#include <cstdint>
#include <memory>
#include <utility>
#include <variant>
#include <vector>

#include "core/files/FileStatus.h"
#include "core/picture/JpegDecoder.h"
#include "core/text/TextLines.h"
#include "forms/render/BitmapDecode.h"
#include "forms/render/GifDecode.h"
#include "forms/render/RenderCall.h"

namespace tossbox {

struct PrefetchedJpeg {
  std::shared_ptr<const std::vector<std::uint8_t>> bytes;
  JpegHeaderFacts facts;
  JpegDecodeOptions options;
  QImage image;
  // What the decode told of its progress, to be told again when the picture is shown.
  std::vector<int> percents;

  [[nodiscard]] std::uint64_t memoryCost() const {
    return static_cast<std::uint64_t>(image.sizeInBytes()) + bytes->size();
  }
};

struct PrefetchedGif {
  DecodedGif gif;
  std::vector<std::pair<ProgressStage, int>> progress;

  [[nodiscard]] std::uint64_t memoryCost() const { return gif.memoryCost(); }
};

struct PrefetchedText {
  TextLines lines;

  [[nodiscard]] std::uint64_t memoryCost() const { return lines.memoryCost(); }
};

struct PrefetchedEntry {
  FileIdentity disk;
  std::variant<PrefetchedJpeg, DecodedBitmap, PrefetchedGif, PrefetchedText> decoded;

  [[nodiscard]] std::uint64_t memoryCost() const {
    return std::visit([](const auto& kind) { return kind.memoryCost(); }, decoded);
  }
};

// The prefetched decode of the call's file when the call is for the preview, the prefetch has
// it ready, the file on disk is still the one it read, and it was decoded as `Kind`; else null.
template <typename Kind>
[[nodiscard]] std::shared_ptr<const Kind> prefetchedFor(const RenderServices& services,
                                                        const RenderArgs& args) {
  if (&args.target != services.preview || !services.prefetched) return nullptr;
  std::shared_ptr<const PrefetchedEntry> entry = services.prefetched(args.path);
  if (!entry) return nullptr;
  const Kind* kind = std::get_if<Kind>(&entry->decoded);
  if (kind == nullptr) return nullptr;
  return std::shared_ptr<const Kind>(std::move(entry), kind);
}

}  // namespace tossbox
