#pragma once
// What the media back end tells of a sound or video file without playing it: its length, and
// for a video its size and frame rate. The player it asks is muted and shows nothing, and the
// file is opened as a regular file first, so a pipe or a device is never waited on.
#include <cstdint>
#include <string>

namespace tossbox {

struct MediaFacts {
  std::int64_t durationMs = -1;  // -1: unknown
  int width = 0;                 // 0: unknown or no picture
  int height = 0;
  double frameRate = 0;  // 0: unknown
};

// All unknown when the file cannot be opened or played, or the back end does not answer within
// `timeoutMs`.
[[nodiscard]] MediaFacts probeMediaFile(const std::string& path, int timeoutMs);

}  // namespace tossbox
