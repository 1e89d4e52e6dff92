#include "forms/render/RenderIcon.h"

#include "core/files/FileKind.h"
#include "core/picture/IconDirectory.h"
#include "core/picture/PictureFile.h"
#include "core/picture/ShownFileTexts.h"
#include "forms/picture/PictureControl.h"
#include "forms/picture/PictureOrigin.h"
#include "forms/render/RenderTarget.h"
#include "platform/picture/PictureReaders.h"

namespace tossbox {

namespace {

// Icons are small; a larger file is not an icon the program shows.
constexpr std::uint64_t kMaxIconFileBytes = std::uint64_t{64} << 20;

QImage readIcon(const std::string& path) {
  const auto bytes = readPictureFile(path, kMaxIconFileBytes);
  if (!bytes || !parseIconDirectory(*bytes)) return {};
  return readIconImage(*bytes);
}

}  // namespace

bool RenderIcon(RenderServices& services, const RenderArgs& args) {
  const QImage image = readIcon(args.path);
  if (image.isNull()) {
    args.target.clearPicture();
    args.target.show();
    return true;
  }
  ShownFileInfo info = currentRecord(services);
  info.kind = shownKindNumber(FileKind::Icon);
  info.width = image.width();
  info.height = image.height();
  info.format = shown_text::kIcon;
  info.fileSize = fileByteCount(args.path).value_or(0);
  args.target.setPicture(Picture(image, std::make_shared<const PictureOrigin>(args.path, info)));
  fitTarget(args, image.width(), image.height());
  storeRecord(services, info);
  args.target.show();
  return true;
}

}  // namespace tossbox
