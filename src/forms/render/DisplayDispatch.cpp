#include "forms/render/DisplayDispatch.h"

#include <array>
#include <optional>

#include "core/files/FileKind.h"

namespace tossbox {

namespace {

// The order in which the older kinds' tests run; each test matches the extensions of its kind.
constexpr std::array<FileKind, kOlderFileKindCount> kTests = {
    FileKind::Jpeg,     FileKind::Gif,  FileKind::Bitmap, FileKind::Icon,
    FileKind::Metafile, FileKind::Wave, FileKind::Text,   FileKind::Document,
    FileKind::RichText, FileKind::Ini,  FileKind::Video,
};

bool isOlderKind(FileKind kind) {
  return kindNumber(kind) <= kOlderFileKindCount;
}

}  // namespace

void runDisplayDispatch(std::string_view ext, const std::function<bool(RendererId)>& render) {
  const std::optional<FileKind> own = fileKindOfExtension(ext);
  // A newer kind has no place in the older order: its own renderer goes first, and a failure
  // goes on as the older kinds' second run does, from the top.
  if (own && !isOlderKind(*own)) {
    if (render(rendererFor(*own))) return;
    for (const FileKind test : kTests) {
      if (render(rendererFor(test))) return;
    }
    return;
  }
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
