#pragma once
// The call every renderer shares: a target picture control, the file, and
// how big and how carefully to show it. A renderer answers whether it
// handled the file; DisplayFile's fallback depends on that answer.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/picture/JpegRetryCopy.h"

namespace tossbox {

class PictureControl;
struct ShownFileInfo;
class UiThreadCaller;

enum class ProgressStage { Starting, Running, Ending };

struct RenderArgs {
  PictureControl& target;
  std::string path;
  int fastDecode = 1;
  int boxHeight = 0;
  int boxWidth = 0;
  int mode = 0;
};

// What renderers share with the rest of the program.
struct RenderServices {
  // The only target picture renderers decode files into; the others reuse its picture.
  PictureControl* preview = nullptr;
  ShownFileInfo* shown = nullptr;
  std::function<void(ProgressStage, int percent)> progress;
  // Bits per pixel of the display (JPEG output depth follows it).
  int displayDepth = 24;
  // The private copy the JPEG renderer retries a failed decode from, or nullopt when the file
  // gets no retry; no retry at all when empty.
  std::function<std::optional<std::string>(const std::string& path, const RetryCandidate&)>
      retryCopy;
  // Where the threads animating GIF pictures get their drawing done: made on the GUI thread
  // by the GIF renderer when it first needs one, then shared by every GIF it shows.
  std::shared_ptr<UiThreadCaller> gifUiThread;
};

using Renderer = std::function<bool(RenderServices&, const RenderArgs&)>;

}  // namespace tossbox
