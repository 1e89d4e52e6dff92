#include "core/gif/GifPainter.h"

#include <algorithm>
#include <chrono>

#include "core/gif/GifImage.h"

namespace tossbox {

namespace {

constexpr auto kMessageStep = std::chrono::milliseconds(100);

bool usesDisposal(const TGIFImage& image, int method) {
  for (int i = 0; i < image.frameCount(); ++i) {
    for (const auto& extension : image.frame(i).extensions()) {
      if (extension->label() != TGIFGraphicControlExtension::kLabel) continue;
      if (static_cast<const TGIFGraphicControlExtension&>(*extension).disposal() == method) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

int gifFrameDelay(const TGIFSubImage& frame, bool threaded) {
  const TGIFGraphicControlExtension* control = frame.graphicControlExtension();
  if (control == nullptr || control->delay == 0) return FallbackDelay;
  int delay = std::max<int>(control->delay, ShortestDelay);
  if (!threaded) delay = std::min(delay, LongestDelay);
  return delay;
}

TGIFPainter::TGIFPainter(TGIFImage& image, GifCanvas& canvas, const GifRect& rect, PaintFlags flags,
                         std::shared_ptr<UiThreadCaller> ui, std::shared_ptr<GifClock> clock,
                         GifPainterEvents events)
    : image_(&image),
      canvas_(canvas),
      rect_(rect),
      flags_(flags),
      ui_(std::move(ui)),
      clock_(std::move(clock)),
      events_(std::move(events)),
      background_(image.painterBackground()) {
  const bool restoresBackground = usesDisposal(image, 2);
  if (restoresBackground && flags_.has(PaintFlag::pfTransparent)) {
    savedBackground_ = canvas_.copyRect(rect_);
  }
  if (restoresBackground || usesDisposal(image, 3)) {
    work_ = canvas_.copyRect(rect_);
    previous_ = GifBitmap(rect_.width(), rect_.height(), background_);
  }
}

TGIFPainter::~TGIFPainter() {
  join();
}

void TGIFPainter::start() {
  std::lock_guard lock(threadMutex_);
  if (thread_.joinable() || finished_) return;
  thread_ = std::thread([this] { run(); });
}

void TGIFPainter::stop() {
  terminated_ = true;
  stopEvent_.set();
  if (threaded()) start();
}

void TGIFPainter::join() {
  std::thread thread;
  {
    std::lock_guard lock(threadMutex_);
    thread.swap(thread_);
  }
  if (thread.joinable() && thread.get_id() != std::this_thread::get_id()) thread.join();
  if (thread.joinable()) thread.detach();
}

void TGIFPainter::detach() {
  image_ = nullptr;
}

void TGIFPainter::runHere() {
  run();
}

void TGIFPainter::run() {
  bool completed = false;
  try {
    completed = animate();
  } catch (...) {
    // An error inside the animation only ends this painter.
  }
  activeFrame_ = -1;
  try {
    onUi([&] { cleanup(completed); });
  } catch (...) {
    finished_ = true;
  }
}

bool TGIFPainter::animate() {
  const bool isThreaded = threaded();
  const bool animated = flags_.has(PaintFlag::pfAnimate);
  const bool loops = animated && flags_.has(PaintFlag::pfLoop);
  int loopsRemaining = 1;
  int loopStart = 0;
  bool loopSeen = false;
  int delay = isThreaded ? 0 : 1;
  previousDisposal_ = 1;
  firstPainted_ = false;
  GifTime start = clock_->now();

  while ((loopsRemaining != 0 || flags_.has(PaintFlag::pfLoopForever)) && !terminated()) {
    if (events_.onStartPass) onUi([&] { events_.onStartPass(loopStart); });
    bool paintedInPass = false;
    for (int index = loopStart; image_ && index < image_->frameCount() && !terminated(); ++index) {
      const TGIFSubImage& frame = image_->frame(index);
      if (frame.empty()) break;
      if (!waitFor(index, delay, start) || terminated() || !image_) return false;
      start = clock_->now();
      int disposal = 1;
      for (const auto& extension : frame.extensions()) {
        if (const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(extension.get())) {
          if (!loopSeen) {
            loopSeen = true;
            loopStart = index;
            const bool endless = loop->loops == 0 || flags_.has(PaintFlag::pfLoopForever);
            loopsRemaining = endless && isThreaded ? -1 : loop->loops;
          }
        } else if (extension->label() == TGIFGraphicControlExtension::kLabel) {
          disposal = static_cast<const TGIFGraphicControlExtension&>(*extension).disposal();
        }
      }
      onUi([&] { paintFrame(index, disposal); });
      previousDisposal_ = disposal;
      firstPainted_ = true;
      paintedInPass = true;
      if (!animated) break;
      delay = gifFrameDelay(frame, isThreaded);
    }
    if (loopsRemaining > 0) --loopsRemaining;
    // A pass that shows nothing would repeat without ever waiting.
    if (!loops || !paintedInPass) break;
  }
  return !terminated();
}

bool TGIFPainter::waitFor(int index, int delay, GifTime start) {
  if (delay <= 0) {
    clock_->yield();
    return true;
  }
  onUi([&] {
    if (image_) (void)image_->frame(index).bitmap();
  });
  const GifTime deadline = start + std::chrono::milliseconds(delay * FrameDelayUnit);
  if (threaded()) return !clock_->waitUntil(deadline, stopEvent_);
  do {
    const GifTime step = std::min(clock_->now() + kMessageStep, deadline);
    if (clock_->waitUntil(step, stopEvent_)) return false;
    if (!ui_->processMessages()) return false;
  } while (clock_->now() < deadline && !terminated());
  return true;
}

void TGIFPainter::paintFrame(int index, int disposal) {
  if (terminated() || !image_) return;
  if (flags_.has(PaintFlag::pfCheckCanvas) && !canvas_.isValid()) {
    terminated_ = true;
    return;
  }
  if (events_.onBeforeFrame) events_.onBeforeFrame(index);
  const TGIFSubImage& frame = image_->frame(index);
  activeFrame_ = index;
  if (work_) {
    paintBuffered(frame, disposal);
  } else {
    frame.draw(canvas_, rect_, flags_.has(PaintFlag::pfTransparent));
  }
  canvas_.update(rect_);
  if (events_.onAfterFrame) events_.onAfterFrame(index);
}

void TGIFPainter::paintBuffered(const TGIFSubImage& frame, int disposal) {
  const bool transparent = flags_.has(PaintFlag::pfTransparent);
  const GifRect local{0, 0, rect_.width(), rect_.height()};
  if (disposal == 3) {
    if (previousDisposal_ == 2 || previousDisposal_ == 3) {
      *previous_ = *work_;
      GifBitmapCanvas previousCanvas(*previous_);
      frame.draw(previousCanvas, local, transparent);
      canvas_.drawBitmap(*previous_, rect_);
    } else {
      frame.draw(canvas_, rect_, transparent);
    }
    return;
  }
  GifBitmapCanvas workCanvas(*work_);
  frame.draw(workCanvas, local, transparent);
  canvas_.drawBitmap(*work_, rect_);
  if (disposal != 2) return;
  const GifRect placed = frame.placedRect(local).intersected(local);
  if (transparent && savedBackground_) {
    const GifPixelView view = viewOf(*work_);
    for (int y = placed.top; y < placed.bottom; ++y) {
      std::copy_n(savedBackground_->pixels.begin() +
                      static_cast<std::ptrdiff_t>(y) * local.width() + placed.left,
                  placed.width(), view.row(y) + placed.left);
    }
  } else {
    workCanvas.fillRect(placed, background_);
  }
}

void TGIFPainter::cleanup(bool completed) {
  if (events_.onEnd) events_.onEnd(activeFrame_);
  work_.reset();
  previous_.reset();
  savedBackground_.reset();
  if (image_) image_->painterEnded(*this, completed);
  finished_ = true;
}

void TGIFPainter::onUi(const std::function<void()>& work) {
  ui_->call(work);
}

}  // namespace tossbox
