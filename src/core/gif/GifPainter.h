#pragma once
// TGIFPainter shows the frames of an animated GIF one after the other into one canvas rectangle,
// with their delays, disposal methods, transparency and loop count. A threaded painter waits on
// its own thread and does all its drawing, its bitmap preparation and its clean-up on the
// user-interface thread through the image's UiThreadCaller; a painter that is not threaded runs
// the whole animation inside the call that started it.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "core/gif/GifBitmap.h"
#include "core/gif/GifCanvas.h"
#include "core/gif/GifClock.h"
#include "core/gif/GifPaintFlags.h"
#include "core/gif/GifUiThreadCaller.h"

namespace tossbox {

class TGIFImage;
class TGIFSubImage;

// Optional notifications, each called on the user-interface thread with the frame index.
struct GifPainterEvents {
  std::function<void(int)> onStartPass;
  std::function<void(int)> onBeforeFrame;
  std::function<void(int)> onAfterFrame;
  std::function<void(int)> onEnd;
};

// The delay after `frame` in hundredths of a second: its graphic control extension's delay,
// raised to ShortestDelay and, unless threaded, cut to LongestDelay; FallbackDelay when it has
// none or 0.
[[nodiscard]] int gifFrameDelay(const TGIFSubImage& frame, bool threaded);

class TGIFPainter {
 public:
  // Made by TGIFImage::StartPaint on the user-interface thread; prepares the buffers the
  // disposal methods need.
  TGIFPainter(TGIFImage& image, GifCanvas& canvas, const GifRect& rect, PaintFlags flags,
              std::shared_ptr<UiThreadCaller> ui, std::shared_ptr<GifClock> clock,
              GifPainterEvents events);
  ~TGIFPainter();
  TGIFPainter(const TGIFPainter&) = delete;
  TGIFPainter& operator=(const TGIFPainter&) = delete;

  // Starts the painter's thread (once).
  void start();
  // Asks the painter to end: sets the termination request, wakes its wait, and starts it if it
  // had not started so that it can end.
  void stop();

  [[nodiscard]] bool threaded() const { return flags_.has(PaintFlag::pfThreaded); }
  [[nodiscard]] const GifCanvas* canvas() const { return &canvas_; }
  [[nodiscard]] const GifRect& rect() const { return rect_; }
  // The index of the frame on show, -1 when none.
  [[nodiscard]] int activeFrame() const { return activeFrame_; }
  [[nodiscard]] bool firstFramePainted() const { return firstPainted_; }
  // True once the painter has cleaned up and left its image.
  [[nodiscard]] bool finished() const { return finished_; }

 private:
  friend class TGIFImage;

  void runHere();
  void join();
  void detach();
  void run();
  // True when the animation ran to its end, false when it was stopped.
  bool animate();
  bool waitFor(int index, int delay, GifTime start);
  void paintFrame(int index, int disposal);
  void paintBuffered(const TGIFSubImage& frame, int disposal);
  void cleanup(bool completed);
  void onUi(const std::function<void()>& work);
  [[nodiscard]] bool terminated() const { return terminated_; }

  TGIFImage* image_;
  GifCanvas& canvas_;
  const GifRect rect_;
  const PaintFlags flags_;
  const std::shared_ptr<UiThreadCaller> ui_;
  const std::shared_ptr<GifClock> clock_;
  const GifPainterEvents events_;
  const std::uint32_t background_;

  GifStopEvent stopEvent_;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::atomic<bool> firstPainted_{false};
  std::atomic<int> activeFrame_{-1};
  int previousDisposal_ = 1;

  // Buffers the size of the target rectangle, made when some frame uses disposal 2 or 3.
  std::optional<GifBitmap> work_;
  std::optional<GifBitmap> previous_;
  std::optional<GifBitmap> savedBackground_;

  std::mutex threadMutex_;
  std::thread thread_;
};

}  // namespace tossbox
