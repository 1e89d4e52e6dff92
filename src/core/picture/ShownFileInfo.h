#pragma once
// What the renderers found out about the file last shown in the preview;
// the information window and the same-name dialog print it.
#include <cstdint>
#include <string>

namespace tossbox {

struct ShownFileInfo {
  std::uint8_t kind = 0;  // shownKindNumber() of the kind drawn; 0 until a renderer sets it
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t number = 0;
  std::string version;
  std::int64_t fileSize = 0;
  std::string format;
  std::string colour;
  std::string depth;
  std::int32_t volume = 0;
  // What the media back end tells of a video or a newer sound: the length in milliseconds and
  // the frames a second, -1 and 0 while unknown. The video and sound renderers set both for
  // every file they show, so they never describe the file shown before.
  std::int64_t durationMs = -1;
  double frameRate = 0;
};

}  // namespace tossbox
