#include "forms/render/DecodeAhead.h"

#include <exception>

#include "core/picture/JpegPlan.h"
#include "core/picture/PictureFile.h"
#include "platform/picture/JpegImageDecoder.h"

namespace tossbox {

namespace {

// Thrown from a decoder's progress report to stop it midway; no std::exception, so no decoder
// takes it for a bad file.
struct Abandoned {};

using Entry = std::shared_ptr<const PrefetchedEntry>;

template <typename Kind>
Entry entryOf(const FileIdentity& disk, Kind decoded) {
  return std::make_shared<const PrefetchedEntry>(PrefetchedEntry{disk, std::move(decoded)});
}

Entry jpegAhead(const PrefetchRequest& request, FileBytes file,
                const std::function<bool()>& abandon) {
  const std::optional<JpegHeaderFacts> facts = readJpegHeader(file.bytes);
  if (!facts) return nullptr;
  PrefetchedJpeg jpeg;
  jpeg.bytes = std::make_shared<const std::vector<std::uint8_t>>(std::move(file.bytes));
  jpeg.facts = *facts;
  jpeg.options = planJpegDecode(*facts, request.fast, request.boxHeight, request.boxWidth,
                                request.mode, request.displayDepth)
                     .options;
  DecodedJpeg decoded = decodeJpegImage(*jpeg.bytes, jpeg.options, {}, [&](int percent) {
    if (abandon()) throw Abandoned{};
    jpeg.percents.push_back(percent);
  });
  if (decoded.image.isNull()) return nullptr;
  jpeg.image = std::move(decoded.image);
  return entryOf(identityOf(file.info), std::move(jpeg));
}

Entry bitmapAhead(const PrefetchRequest& request, const FileBytes& file) {
  std::optional<DecodedBitmap> bitmap = decodeBitmap(file.bytes, request.fast);
  if (!bitmap) return nullptr;
  return entryOf(identityOf(file.info), std::move(*bitmap));
}

Entry gifAhead(const FileBytes& file, const std::function<bool()>& abandon) {
  PrefetchedGif gif;
  std::optional<DecodedGif> decoded = decodeGif(file.bytes, [&](ProgressStage stage, int percent) {
    // The end is told on the way out of a read that gave up too; by then there is no
    // reason left to stop.
    if (stage != ProgressStage::Ending && abandon()) throw Abandoned{};
    gif.progress.emplace_back(stage, percent);
  });
  if (!decoded) return nullptr;
  gif.gif = std::move(*decoded);
  return entryOf(identityOf(file.info), std::move(gif));
}

Entry pictureAhead(const PrefetchRequest& request, const std::function<bool()>& abandon) {
  std::optional<FileBytes> file = readRegularFile(request.path, kMaxPictureFileBytes);
  if (!file || abandon()) return nullptr;
  switch (request.renderer) {
    case RendererId::Jpeg:
      return jpegAhead(request, std::move(*file), abandon);
    case RendererId::Bitmap:
      return bitmapAhead(request, *file);
    case RendererId::Gif:
      return gifAhead(*file, abandon);
    default:
      return nullptr;
  }
}

// The text is read by name, so the file is looked at before and after: a file replaced or
// rewritten while it was read gives no entry.
Entry textAhead(const PrefetchRequest& request, const std::function<bool()>& abandon) {
  const std::optional<FileIdentity> before = identityAt(request.path);
  if (!before) return nullptr;
  std::optional<TextLines> lines;
  try {
    lines = readShownText(request.path, request.rtfLines, abandon);
  } catch (const std::exception&) {
    // The renderer reads the file again and tells the user why it cannot.
    return nullptr;
  }
  if (!lines || identityAt(request.path) != before) return nullptr;
  return entryOf(*before, PrefetchedText{std::move(*lines)});
}

}  // namespace

bool decodesAhead(RendererId renderer) {
  return renderer == RendererId::Jpeg || renderer == RendererId::Bitmap ||
         renderer == RendererId::Gif || renderer == RendererId::Text;
}

Entry decodeAhead(const PrefetchRequest& request, const std::function<bool()>& abandon) {
  try {
    if (request.renderer == RendererId::Text) return textAhead(request, abandon);
    return pictureAhead(request, abandon);
  } catch (const Abandoned&) {
    return nullptr;
  } catch (const std::exception&) {
    // Out of memory, say: the worker goes on, and the showing decodes afresh and tells.
    return nullptr;
  }
}

}  // namespace tossbox
