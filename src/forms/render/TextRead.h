#pragma once
// The lines the text renderer shows of a file: the file's own lines, or an RTF document's text
// through the converter. The renderer and the prefetch both read through here, so that
// prefetched lines are the lines a fresh read gives.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/TextLines.h"

namespace tossbox {

// An RTF document as plain lines (CP932 bytes).
using RtfLines = std::function<std::vector<std::string>(std::string_view rtf)>;

// Throws std::system_error, naming the file and the reason, when it cannot be read; nullopt only
// when `abandon` said yes between two pieces. Without a converter an RTF file has no lines.
[[nodiscard]] std::optional<TextLines> readShownText(const std::string& path,
                                                     const RtfLines& rtfLines,
                                                     const std::function<bool()>& abandon);

}  // namespace tossbox
