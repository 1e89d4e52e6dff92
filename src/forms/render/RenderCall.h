#pragma once
// The call every renderer shares: a target picture control, the file, and
// how big and how carefully to show it. A renderer answers whether it
// handled the file; DisplayFile's fallback depends on that answer.
#include <functional>
#include <memory>
#include <string>

#include "forms/render/TargetRole.h"

namespace tossbox {

class PictureControl;
struct ShownFileInfo;
class UiThreadCaller;
class MediaCommands;

enum class ProgressStage { Starting, Running, Ending };

struct RenderArgs {
  PictureControl& target;
  std::string path;
  int fastDecode = 1;
  int boxHeight = 0;
  int boxWidth = 0;
  int mode = 0;
  TargetRole role = TargetRole::Preview;
};

// What renderers share with the rest of the program.
struct RenderServices {
  // The only target picture renderers decode files into; the others reuse its picture.
  PictureControl* preview = nullptr;
  ShownFileInfo* shown = nullptr;
  std::function<void(ProgressStage, int percent)> progress;
  // Bits per pixel of the display (JPEG output depth follows it).
  int displayDepth = 24;
  // The copy the JPEG renderer retries from; a plain file copy when empty.
  std::function<bool(const std::string& from, const std::string& to)> copyForRetry;
  // Where the threads animating GIF pictures get their drawing done: made on the GUI thread
  // by the GIF renderer when it first needs one, then shared by every GIF it shows.
  std::shared_ptr<UiThreadCaller> gifUiThread;
  // Save the status line's text and show the wait text; put the saved text back.
  std::function<void()> showWaitText;
  std::function<void()> restoreStatusText;
  // The one video device, the box its errors are shown in, and the start of the polling of
  // the window a video plays in.
  MediaCommands* media = nullptr;
  std::function<void(const std::string& text)> showMediaError;
  std::function<void(TargetRole)> startVideoPolling;
  // The video whose failed open was reported last. Cleared when the next file is shown, so a
  // second rendering of the same showing does not report the same failure again.
  std::string unopenedVideo;
};

using Renderer = std::function<bool(RenderServices&, const RenderArgs&)>;

}  // namespace tossbox
