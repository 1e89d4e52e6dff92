#pragma once
// The directory at the start of an icon file. The icon renderer checks it
// before handing the file to the image reader, so a file whose first image
// lies outside the file never reaches a decoder.
#include <cstdint>
#include <optional>

#include "core/picture/LittleEndian.h"

namespace tossbox {

struct IconEntry {
  int width = 0;   // 256 when the directory says 0
  int height = 0;  // 256 when the directory says 0
  std::uint32_t size = 0;
  std::uint32_t offset = 0;
};

struct IconDirectory {
  std::uint16_t count = 0;
  IconEntry first;
};

// The directory when it is an icon's (type 1) with at least one entry, all
// entries inside the file, and the first image's bytes inside the file too.
[[nodiscard]] std::optional<IconDirectory> parseIconDirectory(Bytes file);

}  // namespace tossbox
