#pragma once
// The lines of the file information window: name, folder, format, size and
// the facts the renderers recorded for the file's kind. Each line is a label
// ending in a tab and a value; labels and recorded texts are UTF-8, the name
// and the folder are the path's own bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/picture/ShownFileInfo.h"

namespace tossbox {

// bytes / 1024 rounded once to five significant digits (never fewer than its integer
// digits, never more than two decimals, halves away from zero) and written with exactly two
// decimals: 1536 -> "1.50", 1234567 -> "1205.60", 2000000000 -> "1953125.00".
[[nodiscard]] std::string kilobyteText(std::int64_t bytes);

// The folder of `path` without its trailing "/", or "/" for a file in the root; empty for a
// bare name.
[[nodiscard]] std::string folderLineOf(std::string_view path);

[[nodiscard]] std::vector<std::string> fileInfoLines(std::string_view path,
                                                     const ShownFileInfo& shown);

}  // namespace tossbox
