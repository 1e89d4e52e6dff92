#pragma once
// The call every renderer shares: a target picture control, the file, and
// how big and how carefully to show it. A renderer answers whether it
// handled the file; DisplayFile's fallback depends on that answer.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/picture/JpegRetryCopy.h"
#include "forms/render/TargetRole.h"

namespace tossbox {

class Artwork;
class PictureControl;
struct ShownFileInfo;
class TextLines;
class UiThreadCaller;
class MediaCommands;
struct PrefetchedEntry;

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
  // The private copy the JPEG renderer retries a failed decode from, or nullopt when the file
  // gets no retry; no retry at all when empty.
  std::function<std::optional<std::string>(const std::string& path, const RetryCandidate&)>
      retryCopy;
  // Where the threads animating GIF pictures get their drawing done: made on the GUI thread
  // by the GIF renderer when it first needs one, then shared by every GIF it shows.
  std::shared_ptr<UiThreadCaller> gifUiThread;
  // The lines of the last text shown in the preview, which the other windows list and draw.
  TextLines* textLines = nullptr;
  // An RTF document as plain lines (CP932 bytes); when empty, an RTF file shows no lines.
  std::function<std::vector<std::string>(std::string_view rtf)> rtfLines;
  // Lists textLines in the enlarged viewer and places the viewer for the mode (1: the whole
  // screen, else 400 x 300 centred).
  std::function<void(int mode)> listTextInViewer;
  // Saves the status line's text and shows the wait text; puts the saved text back.
  std::function<void()> showWaitText;
  std::function<void()> restoreStatusText;
  // Starts a sound file playing without waiting for it; stops whatever plays.
  std::function<void(const std::string& path)> playSound;
  std::function<void()> stopSound;
  // The length of a sound file in milliseconds, -1 when the media back end cannot tell.
  std::function<std::int64_t(const std::string& path)> soundLength;
  // The program's pictures (the speaker of a sound file is in ImageList1).
  const Artwork* art = nullptr;
  // The one video device, the box its errors are shown in, and the start of the polling of
  // the window a video plays in.
  MediaCommands* media = nullptr;
  std::function<void(const std::string& text)> showMediaError;
  std::function<void(TargetRole)> startVideoPolling;
  // The video whose failed open was reported last. Cleared when the next file is shown, so a
  // second rendering of the same showing does not report the same failure again.
  std::string unopenedVideo;
  // What the prefetch decoded from `path` for the preview, when it is ready and the file on disk
  // is still the one it read; null otherwise (and always when there is no prefetch).
  std::function<std::shared_ptr<const PrefetchedEntry>(const std::string& path)> prefetched;
};

using Renderer = std::function<bool(RenderServices&, const RenderArgs&)>;

}  // namespace tossbox
