#include "forms/render/DisplayDispatch.h"

#include <array>
#include <optional>

#include "core/files/FileKind.h"

namespace tossbox {

namespace {

// The order in which the kinds' tests run; each test matches the extensions of its kind.
constexpr std::array<FileKind, kFileKindCount> kTests = {
    FileKind::Jpeg,     FileKind::Gif,  FileKind::Bitmap, FileKind::Icon,
    FileKind::Metafile, FileKind::Wave, FileKind::Text,   FileKind::Document,
    FileKind::RichText, FileKind::Ini,  FileKind::Video,
};

}  // namespace

void runDisplayDispatch(std::string_view ext, const std::function<bool(RendererId)>& render) {
  const std::optional<FileKind> own = fileKindOfExtension(ext);
  bool ok = true;
  for (int pass = 0; pass < 2; ++pass) {
    for (const FileKind test : kTests) {
      if (ok && own != test) continue;
      const bool fallingBack = !ok;
      ok = render(rendererFor(test));
      // A fallback that succeeded has drawn the file: in the second run the
      // file's own test would otherwise fail it again and draw over it.
      if (ok && fallingBack) return;
    }
    if (ok) return;
  }
}

}  // namespace tossbox
