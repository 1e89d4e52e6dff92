#include "core/gif/GifImage.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/files/RegularFile.h"
#include "core/gif/GifException.h"
#include "core/gif/GifTrailer.h"

namespace tossbox {

namespace {

constexpr std::uint8_t kImageSeparator = 0x2C;

std::optional<std::uint8_t> readSkippingZeros(GifByteReader& reader) {
  auto byte = reader.readByte();
  while (byte && *byte == 0) byte = reader.readByte();
  return byte;
}

std::vector<std::uint8_t> readAll(std::istream& stream) {
  return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

}  // namespace

TGIFImage::TGIFImage(PaintFlags flags)
    : paintFlags_(flags),
      inlineCaller_(std::make_shared<InlineUiThreadCaller>()),
      clock_(std::make_shared<SteadyGifClock>()) {}

TGIFImage::~TGIFImage() {
  StopPaint();
  // Painters still listed run inside a draw call further down the stack.
  std::lock_guard lock(paintersMutex_);
  for (const auto& painter : painters_) painter->detach();
}

void TGIFImage::loadFromFile(const std::string& path) {
  // As large as any picture the program shows; a FIFO or device is refused, never waited on.
  constexpr std::uint64_t kMaxFileBytes = std::uint64_t{1} << 30;
  FileFailure failure;
  const std::optional<FileBytes> file = readRegularFile(path, kMaxFileBytes, failure);
  if (!file) {
    const std::error_code error =
        failure.error ? failure.error
                      : std::make_error_code(failure.problem == FileProblem::TooLarge
                                                 ? std::errc::file_too_large
                                                 : std::errc::invalid_argument);
    throw std::system_error(error, path);
  }
  loadFromMemory(file->bytes);
}

void TGIFImage::loadFromStream(std::istream& stream) {
  loadFromMemory(readAll(stream));
}

void TGIFImage::loadFromMemory(std::span<const std::uint8_t> bytes) {
  reportProgress(GifProgressStage::Starting, 0, gif_text::kLoading);
  clear();
  GifReadContext context;
  context.warn = [this](std::string_view text) {
    if (onWarning_) onWarning_(*this, GifSeverity::Warning, text);
  };
  try {
    GifByteReader reader(bytes);
    header_.read(reader);
    readFrames(reader, context);
    TGIFTrailer::read(reader, context.warn);
  } catch (...) {
    // A half-read image is never left behind.
    clear();
    reportProgress(GifProgressStage::Ending, 0, gif_text::kLoading);
    throw;
  }
  reportProgress(GifProgressStage::Ending, 100, gif_text::kLoading);
}

void TGIFImage::readFrames(GifByteReader& reader, GifReadContext& context) {
  auto byte = readSkippingZeros(reader);
  while (byte) {
    reader.unread();
    if (*byte == TGIFTrailer::kByte) return;
    if (*byte != TGIFExtension::kIntroducer && *byte != kImageSeparator) {
      context.warn(gif_text::kUnknownBlockType);
      return;
    }
    auto frame = std::make_unique<TGIFSubImage>(*this);
    frame->read(reader, context);
    frames_.push_back(std::move(frame));
    const int percent =
        reader.size() == 0 ? 100 : static_cast<int>(reader.position() * 100 / reader.size());
    reportProgress(GifProgressStage::Running, percent, gif_text::kLoading);
    byte = readSkippingZeros(reader);
  }
}

void TGIFImage::assign(const TGIFImage& source) {
  if (&source == this) return;
  reportProgress(GifProgressStage::Starting, 0, gif_text::kCopying);
  clear();
  header_ = source.header_;
  paintFlags_ = source.paintFlags_;
  backgroundColour_ = source.backgroundColour_;
  const int count = source.frameCount();
  for (int i = 0; i < count; ++i) {
    frames_.push_back(std::make_unique<TGIFSubImage>(*this, *source.frames_[i]));
    reportProgress(GifProgressStage::Running, (i + 1) * 100 / count, gif_text::kCopying);
  }
  reportProgress(GifProgressStage::Ending, 100, gif_text::kCopying);
}

void TGIFImage::clear() {
  StopPaint();
  frames_.clear();
  header_.clear();
}

GifVersion TGIFImage::version() const {
  if (frames_.empty()) return GifVersion::None;
  for (const auto& frame : frames_) {
    if (frame->version() == GifVersion::GIF89a) return GifVersion::GIF89a;
  }
  return GifVersion::GIF87a;
}

int TGIFImage::colorResolution() const {
  int result = header_.colorMap().bitsPerPixel() - 1;
  for (const auto& frame : frames_) {
    result = std::max(result, frame->colorMap().bitsPerPixel() - 1);
  }
  return result;
}

std::optional<int> TGIFImage::loopCount() const {
  for (const auto& frame : frames_) {
    for (const auto& extension : frame->extensions()) {
      if (const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(extension.get())) {
        return loop->loops;
      }
    }
  }
  return std::nullopt;
}

std::uint64_t TGIFImage::memoryCost() const {
  std::uint64_t cost =
      sizeof(*this) + static_cast<std::uint64_t>(header_.colorMap().count()) * sizeof(GifColor);
  if (composite_) cost += composite_->pixels.capacity() * sizeof(std::uint32_t);
  for (const auto& frame : frames_) cost += frame->memoryCost();
  return cost;
}

std::uint32_t TGIFImage::painterBackground() const {
  if (backgroundColour_) return *backgroundColour_;
  const TGIFGlobalColorMap& global = header_.colorMap();
  if (global.empty()) return windowColour_;
  return global.argb(header_.backgroundIndex());
}

const GifBitmap* TGIFImage::CompositeBitmap() {
  if (composite_) return composite_.get();
  if (frames_.empty()) return nullptr;
  const TGIFSubImage& first = *frames_.front();
  if (!first.empty() && first.width() == width() && first.height() == height()) {
    composite_ = std::make_unique<GifBitmap>(toArgb(first.bitmap()));
    return composite_.get();
  }
  if (std::uint64_t(width()) * std::uint64_t(height()) > kGifPixelBudget) return nullptr;
  composite_ = std::make_unique<GifBitmap>(width(), height(), painterBackground());
  composite_->depth = GifPixelDepth::Bits8;
  GifBitmapCanvas canvas(*composite_);
  first.draw(canvas, {0, 0, width(), height()}, paintFlags_.has(PaintFlag::pfTransparent));
  return composite_.get();
}

void TGIFImage::draw(GifCanvas& canvas, const GifRect& rect) {
  if (drawing_ || frames_.empty()) return;
  drawing_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{drawing_};
  if (frames_.size() == 1 || !paintFlags_.has(PaintFlag::pfAnimate)) {
    frames_.front()->draw(canvas, rect, paintFlags_.has(PaintFlag::pfTransparent));
    return;
  }
  drawAnimated(canvas, rect);
}

void TGIFImage::drawAnimated(GifCanvas& canvas, const GifRect& rect) {
  const bool direct = paintFlags_.has(PaintFlag::pfDirect);
  if (direct) {
    const Target target{&canvas, rect};
    if (current_ && current_->canvas() == target.canvas && current_->rect() == rect) return;
    if (!current_ && completed_ && completed_->canvas == target.canvas &&
        completed_->rect == rect) {
      return;
    }
    stopCurrentPainter();
    if (auto painter = StartPaint(canvas, rect, paintFlags_)) painter->start();
    return;
  }
  if (!composite_) {
    stopCurrentPainter();
    if (rect.isEmpty() ||
        std::uint64_t(rect.width()) * std::uint64_t(rect.height()) > kGifPixelBudget) {
      return;
    }
    composite_ = std::make_unique<GifBitmap>(canvas.copyRect(rect));
    compositeCanvas_ = std::make_unique<GifBitmapCanvas>(*composite_, [this](const GifRect&) {
      if (onChange_) onChange_();
    });
    if (auto painter =
            StartPaint(*compositeCanvas_, {0, 0, rect.width(), rect.height()}, paintFlags_)) {
      painter->start();
      caller().serveUntil([&] { return painter->firstFramePainted() || painter->finished(); });
    }
  }
  if (composite_) canvas.drawBitmap(*composite_, rect);
}

std::shared_ptr<TGIFPainter> TGIFImage::StartPaint(GifCanvas& canvas, const GifRect& rect,
                                                   PaintFlags flags) {
  reapFinishedPainters();
  if (frames_.empty() || rect.isEmpty()) return nullptr;
  // One frame needs no thread; and without a user-interface thread to draw on there is none.
  if (frames_.size() == 1 || !ui_) flags = flags.without(PaintFlag::pfThreaded);
  auto painter = std::make_shared<TGIFPainter>(*this, canvas, rect, flags,
                                               ui_ ? ui_ : inlineCaller_, clock_, painterEvents_);
  {
    std::lock_guard lock(paintersMutex_);
    painters_.push_back(painter);
  }
  current_ = painter;
  completed_.reset();
  if (painter->threaded()) return painter;
  painter->runHere();
  return nullptr;
}

void TGIFImage::StopPaint() {
  std::vector<std::shared_ptr<TGIFPainter>> threaded;
  {
    std::lock_guard lock(paintersMutex_);
    for (const auto& painter : painters_) {
      painter->stop();
      if (painter->threaded()) threaded.push_back(painter);
    }
  }
  if (!threaded.empty()) {
    caller().serveUntil([&] {
      return std::all_of(threaded.begin(), threaded.end(),
                         [](const auto& painter) { return painter->finished(); });
    });
  }
  reapFinishedPainters();
  completed_.reset();
  std::lock_guard lock(paintersMutex_);
  if (painters_.empty()) {
    compositeCanvas_.reset();
    composite_.reset();
  }
}

int TGIFImage::painterCount() const {
  std::lock_guard lock(paintersMutex_);
  return static_cast<int>(painters_.size());
}

void TGIFImage::stopCurrentPainter() {
  if (!current_) return;
  const auto painter = current_;
  painter->stop();
  if (painter->threaded()) caller().serveUntil([&] { return painter->finished(); });
  current_.reset();
}

void TGIFImage::painterEnded(TGIFPainter& painter, bool completed) {
  std::shared_ptr<TGIFPainter> kept;
  {
    std::lock_guard lock(paintersMutex_);
    const auto it = std::find_if(painters_.begin(), painters_.end(),
                                 [&](const auto& listed) { return listed.get() == &painter; });
    if (it == painters_.end()) return;
    kept = *it;
    painters_.erase(it);
    if (painter.threaded()) finished_.push_back(kept);
  }
  if (current_.get() == &painter) {
    current_.reset();
    if (completed) completed_ = Target{painter.canvas(), painter.rect()};
  }
}

void TGIFImage::reapFinishedPainters() {
  std::vector<std::shared_ptr<TGIFPainter>> finished;
  {
    std::lock_guard lock(paintersMutex_);
    finished.swap(finished_);
  }
  for (const auto& painter : finished) painter->join();
}

UiThreadCaller& TGIFImage::caller() const {
  return ui_ ? *ui_ : *inlineCaller_;
}

void TGIFImage::reportProgress(GifProgressStage stage, int percent, std::string_view text) const {
  if (onProgress_) onProgress_(stage, percent, false, GifRect{}, text);
}

bool TGIFImage::dithers() const {
  return paintFlags_.has(PaintFlag::pfDither) &&
         (!paintFlags_.has(PaintFlag::pfAutoDither) || paletteDisplay_);
}

}  // namespace tossbox
