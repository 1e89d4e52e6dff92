#pragma once
// What the renderers found out about the file last shown in the preview;
// the information window and the same-name dialog print it.
#include <cstdint>
#include <string>

namespace tossbox {

struct ShownFileInfo {
  std::uint8_t kind = 0;  // 1 JPEG, 2 GIF, 3 BMP, 4 ICO, 5 WMF, 6 text, 7 sound, 8 video
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t number = 0;
  std::string version;
  std::int64_t fileSize = 0;
  std::string format;
  std::string colour;
  std::string depth;
  std::int32_t volume = 0;
};

}  // namespace tossbox
