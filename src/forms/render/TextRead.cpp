#include "forms/render/TextRead.h"

#include "core/files/PathRules.h"

namespace tossbox {

namespace {

// An RTF document is handed to its converter whole; larger ones are not documents people read.
constexpr std::size_t kMaxRtfBytes = std::size_t{64} << 20;

}  // namespace

std::optional<TextLines> readShownText(const std::string& path, const RtfLines& rtfLines,
                                       const std::function<bool()>& abandon) {
  if (extensionOf(path) != ".rtf") return readTextLinesUnless(path, abandon);
  const std::string document = readTextBytes(path, kMaxRtfBytes);
  if (!rtfLines) return TextLines();
  if (abandon()) return std::nullopt;
  return TextLines(rtfLines(document), false);
}

}  // namespace tossbox
