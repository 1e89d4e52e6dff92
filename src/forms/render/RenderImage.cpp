#include "forms/render/RenderImage.h"

#include <memory>

#include "core/files/FileKind.h"
#include "core/picture/PictureFile.h"
#include "core/picture/PixelDepth.h"
#include "core/picture/ShownFileTexts.h"
#include "forms/picture/ImageFileSource.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/PreviewReuse.h"
#include "forms/render/RenderTarget.h"

namespace tossbox {

namespace {

struct ReaderKind {
  FileKind kind;
  const char* format;  // the image reader's format name
};

// The reader of the file's kind by its extension; nullopt for a kind they do not read.
std::optional<ReaderKind> readerKindOf(const std::string& path) {
  const std::optional<FileKind> kind = fileKindOf(path);
  if (!kind) return std::nullopt;
  switch (*kind) {
    case FileKind::Png:
      return ReaderKind{*kind, "png"};
    case FileKind::WebP:
      return ReaderKind{*kind, "webp"};
    case FileKind::Tiff:
      return ReaderKind{*kind, "tiff"};
    default:
      return std::nullopt;
  }
}

PixelDepth pixelDepthOf(int bits) {
  switch (bits) {
    case 1:
      return PixelDepth::Bit1;
    case 4:
      return PixelDepth::Bit4;
    case 8:
      return PixelDepth::Bit8;
    case 16:
      return PixelDepth::Bit16;
    case 24:
      return PixelDepth::Bit24;
    case 32:
      return PixelDepth::Bit32;
    default:
      return PixelDepth::Custom;
  }
}

std::string_view formatText(FileKind kind, bool animated) {
  if (kind == FileKind::Png) return shown_text::kPng;
  if (kind == FileKind::Tiff) return shown_text::kTiff;
  return animated ? shown_text::kWebPAnimation : shown_text::kWebP;
}

ShownFileInfo factsRecord(const RenderServices& services, const std::string& path, FileKind kind,
                          const ImageFileFacts& facts) {
  ShownFileInfo info = currentRecord(services);
  info.kind = shownKindNumber(kind);
  info.width = facts.width;
  info.height = facts.height;
  info.number = facts.frameCount;
  info.version.clear();
  info.colour.clear();
  info.format = formatText(kind, facts.animated);
  info.depth = pixelDepthText(pixelDepthOf(facts.depthBits));
  info.fileSize = fileByteCount(path).value_or(0);
  return info;
}

// The size a picture of `facts` is decoded at for this call: the fitted size for the fast
// decode, the picture's own for the careful one.
QSize decodeSize(const RenderArgs& args, const ImageFileFacts& facts) {
  if (args.fastDecode == 0) return {};
  const FitResult fit =
      FitRectangle(args.mode, facts.width, args.boxHeight, args.boxWidth, facts.height);
  return {fit.width, fit.height};
}

}  // namespace

bool RenderImage(RenderServices& services, const RenderArgs& args) {
  const std::optional<ReaderKind> reader = readerKindOf(args.path);
  if (!reader) return false;
  if (&args.target != services.preview && reusePreviewPicture(services, args)) return true;
  const auto bytes = readPictureFile(args.path);
  if (!bytes) return false;
  const std::optional<ImageFileFacts> facts = readImageFacts(*bytes, reader->format);
  if (!facts) return false;
  auto frames = readImageFrames(*bytes, reader->format, decodeSize(args, *facts));
  if (!frames) return false;
  const ShownFileInfo info = factsRecord(services, args.path, reader->kind, frames->facts);
  const QImage first = frames->frames.front();
  auto source = std::make_shared<const ImageFileSource>(
      args.path, info, std::make_shared<const ImageFrames>(std::move(*frames)), reader->format);
  fitTarget(args, info.width, info.height);
  args.target.setPicture(Picture(first, std::move(source)));
  args.target.show();
  storeRecord(services, info);
  return true;
}

bool redecodeForLargerTarget(const RenderArgs& args, const ImageFileSource& source,
                             const FitResult& fit) {
  const ImageFrames& shown = source.frames();
  const QImage& first = shown.frames.front();
  const bool smallerThanFile =
      first.width() < shown.facts.width || first.height() < shown.facts.height;
  const bool shownLarger = fit.width > first.width() || fit.height > first.height();
  if (!smallerThanFile || !shownLarger) return false;
  const auto bytes = readPictureFile(source.path());
  if (!bytes) return false;
  const QSize size = args.fastDecode == 0 || fit.width >= shown.facts.width
                         ? QSize()
                         : QSize(fit.width, fit.height);
  auto frames = readImageFrames(*bytes, source.format(), size);
  if (!frames) return false;
  const QImage image = frames->frames.front();
  args.target.setPicture(Picture(
      image, std::make_shared<const ImageFileSource>(
                 source.path(), source.facts(),
                 std::make_shared<const ImageFrames>(std::move(*frames)), source.format())));
  return true;
}

}  // namespace tossbox
