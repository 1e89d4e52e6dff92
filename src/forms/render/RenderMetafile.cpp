#include "forms/render/RenderMetafile.h"

#include "core/files/FileKind.h"
#include "core/picture/PictureFile.h"
#include "core/picture/ShownFileTexts.h"
#include "forms/picture/MetafilePictureSource.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/PreviewReuse.h"
#include "forms/render/RenderTarget.h"
#include "platform/picture/MetafileImage.h"

namespace tossbox {

namespace {

// Larger metafiles are refused before their records are indexed.
constexpr std::uint64_t kMaxMetafileBytes = std::uint64_t{64} << 20;

std::shared_ptr<const WmfDocument> readMetafile(const std::string& path) {
  auto bytes = readPictureFile(path, kMaxMetafileBytes);
  if (!bytes) return nullptr;
  auto document = WmfDocument::parse(std::move(*bytes));
  if (!document) return nullptr;
  return std::make_shared<const WmfDocument>(std::move(*document));
}

}  // namespace

bool RenderMetafile(RenderServices& services, const RenderArgs& args) {
  if (&args.target != services.preview && reusePreviewPicture(services, args)) return true;
  const auto document = readMetafile(args.path);
  if (!document) {
    args.target.show();
    return false;
  }
  const FitResult fit = fitTarget(args, document->width(), document->height());
  const QImage image = drawMetafile(*document, QSize(fit.width, fit.height));
  if (image.isNull()) {
    args.target.show();
    return false;
  }
  ShownFileInfo info = currentRecord(services);
  info.kind = shownKindNumber(FileKind::Metafile);
  info.width = document->width();
  info.height = document->height();
  info.format = shown_text::kMetafile;
  info.fileSize = fileByteCount(args.path).value_or(0);
  args.target.setPicture(
      Picture(image, std::make_shared<const MetafilePictureSource>(args.path, info, document)));
  storeRecord(services, info);
  args.target.show();
  return true;
}

}  // namespace tossbox
