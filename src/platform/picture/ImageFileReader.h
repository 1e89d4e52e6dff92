#pragma once
// PNG, WebP and TIFF pictures through the system's image readers (Qt's image format plugins),
// from the file's bytes with the format fixed, so a file of another kind is never accepted.
// A picture is decoded at the size it is shown at when that is smaller (the reader's scaled
// decoding), and an animated one frame by frame with its own delays. The readers hold to the
// same budget as our own decoders: no picture of more than kMaxDecodedPixels, and no animation
// whose frames together hold more.
#include <QImage>
#include <QSize>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tossbox {

struct ImageFileFacts {
  int width = 0;  // the picture's own size, before any scaling
  int height = 0;
  int depthBits = 0;  // bits per pixel of the decoded format
  int frameCount = 1;
  bool animated = false;
  int loopCount = -1;  // how often an animation plays again; -1 for ever
};

struct ImageFrames {
  ImageFileFacts facts;
  std::vector<QImage> frames;  // one for a still picture
  std::vector<int> delaysMs;   // after each frame, as the animation waits
};

// The picture's size and depth from its header alone, without decoding its pixels.
[[nodiscard]] std::optional<ImageFileFacts> readImageFacts(std::span<const std::uint8_t> bytes,
                                                           const char* format);

// Every frame, decoded at `shownSize` when that is valid and smaller than the picture (side
// ratio as the caller fitted it), else at full size. Nullopt when the reader refuses the bytes,
// a frame fails, or the budget would be exceeded.
[[nodiscard]] std::optional<ImageFrames> readImageFrames(std::span<const std::uint8_t> bytes,
                                                         const char* format, QSize shownSize);

// The delay an animation waits after a frame whose file says `fileDelayMs`: as for GIF
// pictures, none becomes 100 ms and a very short one is raised to 40 ms.
[[nodiscard]] int shownFrameDelay(int fileDelayMs);

}  // namespace tossbox
