#pragma once
// TGIFImage: a GIF picture. It reads GIF87a and GIF89a files into a header and a list of frames,
// copies itself, reports what the file is (size, frame count, version, colour resolution), and
// draws itself into a canvas rectangle: a single frame at once, an animation through painters
// (see GifPainter.h).
//
// Threading: loading, copying, drawing and stopping happen on the user-interface thread; an image
// nobody else holds yet may be loaded on another thread and then handed over whole. For
// threaded painters the image needs a UiThreadCaller for that thread; without one every painter
// runs inside the call that starts it. Painter notifications and canvas updates must not destroy
// or stop the image.
#include <cstdint>
#include <istream>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/gif/GifBitmap.h"
#include "core/gif/GifCanvas.h"
#include "core/gif/GifClock.h"
#include "core/gif/GifEvents.h"
#include "core/gif/GifHeader.h"
#include "core/gif/GifPaintFlags.h"
#include "core/gif/GifPainter.h"
#include "core/gif/GifSubImage.h"
#include "core/gif/GifUiThreadCaller.h"

namespace tossbox {

class TGIFImage {
 public:
  explicit TGIFImage(PaintFlags flags = DefaultPaintFlags);
  // Stops the painters first.
  ~TGIFImage();
  TGIFImage(const TGIFImage&) = delete;
  TGIFImage& operator=(const TGIFImage&) = delete;

  // Each load replaces the whole content. A file that cannot be read raises GIFException with one
  // of the reader's texts and leaves the image empty; a file that cannot be opened raises
  // std::system_error.
  void loadFromFile(const std::string& path);
  void loadFromStream(std::istream& stream);
  void loadFromMemory(std::span<const std::uint8_t> bytes);
  // Becomes a copy of `source`: header and global table, paint flags, background colour and
  // every frame, reporting "Copying...".
  void assign(const TGIFImage& source);
  // Stops the painters and drops everything: an empty image.
  void clear();

  [[nodiscard]] bool empty() const { return frames_.empty(); }
  // The logical screen's size.
  [[nodiscard]] int width() const { return header_.width(); }
  [[nodiscard]] int height() const { return header_.height(); }
  [[nodiscard]] int frameCount() const { return static_cast<int>(frames_.size()); }
  [[nodiscard]] const TGIFSubImage& frame(int index) const { return *frames_.at(index); }
  [[nodiscard]] const TGIFHeader& header() const { return header_; }
  // The highest version of the frames; None without frames.
  [[nodiscard]] GifVersion version() const;
  // The largest bits per pixel minus one of the global and the local tables; -1 without tables.
  [[nodiscard]] int colorResolution() const;
  // The number of passes the first loop extension asks for (0: without end); nothing when the
  // file has none.
  [[nodiscard]] std::optional<int> loopCount() const;
  // The memory the frames take (pixels, colours, the drawing bitmaps made so far).
  [[nodiscard]] std::uint64_t memoryCost() const;

  [[nodiscard]] PaintFlags paintFlags() const { return paintFlags_; }
  void setPaintFlags(PaintFlags flags) { paintFlags_ = flags; }
  [[nodiscard]] const std::optional<std::uint32_t>& BackgroundColour() const {
    return backgroundColour_;
  }
  void setBackgroundColour(std::optional<std::uint32_t> colour) { backgroundColour_ = colour; }
  // The platform's window colour, used as background when there is no global table.
  void setWindowColour(std::uint32_t colour) { windowColour_ = colour; }
  // Whether the display works with a palette (pfAutoDither dithers only then).
  void setPaletteDisplay(bool paletteDisplay) { paletteDisplay_ = paletteDisplay; }
  // The colour painters erase with.
  [[nodiscard]] std::uint32_t painterBackground() const;

  // Made on demand: none for an empty image (or one over the pixel budget); frame 0's bitmap
  // when frame 0 covers the logical screen exactly; otherwise the screen in the background
  // colour with frame 0 drawn on it. Dropped whenever the painters are stopped.
  [[nodiscard]] const GifBitmap* CompositeBitmap();

  // Draws the image into `rect` of `canvas`; called by the picture's owner whenever it paints.
  // An animation starts once per canvas and rectangle: drawing again into the same place keeps
  // it running (or, once it has played out, keeps its last frame), another place restarts it
  // from frame 0. The canvas must outlive the painters (StopPaint or destroy the image first).
  void draw(GifCanvas& canvas, const GifRect& rect);
  // Makes a painter for `rect` of `canvas`. A threaded painter is returned not yet running
  // (start() it); nothing is returned for an empty image or rectangle, or when the painter ran
  // inside this call and has finished.
  std::shared_ptr<TGIFPainter> StartPaint(GifCanvas& canvas, const GifRect& rect, PaintFlags flags);
  // Stops every painter and waits until the threaded ones have gone, running their calls to the
  // user-interface thread meanwhile; then drops the composite bitmap.
  void StopPaint();
  [[nodiscard]] int painterCount() const;

  void setOnProgress(GifProgressEvent event) { onProgress_ = std::move(event); }
  void setOnWarning(GifWarningEvent event) { onWarning_ = std::move(event); }
  // Called when a painter has changed the composite bitmap (drawing without pfDirect).
  void setOnChange(std::function<void()> event) { onChange_ = std::move(event); }
  void setPainterEvents(GifPainterEvents events) { painterEvents_ = std::move(events); }
  void setUiThreadCaller(std::shared_ptr<UiThreadCaller> caller) { ui_ = std::move(caller); }
  void setClock(std::shared_ptr<GifClock> clock) { clock_ = std::move(clock); }

 private:
  friend class TGIFSubImage;
  friend class TGIFPainter;

  struct Target {
    const GifCanvas* canvas;
    GifRect rect;
  };

  void readFrames(GifByteReader& reader, GifReadContext& context);
  void reportProgress(GifProgressStage stage, int percent, std::string_view text) const;
  [[nodiscard]] bool dithers() const;
  void stopCurrentPainter();
  void painterEnded(TGIFPainter& painter, bool completed);
  void reapFinishedPainters();
  [[nodiscard]] UiThreadCaller& caller() const;
  void drawAnimated(GifCanvas& canvas, const GifRect& rect);

  TGIFHeader header_;
  std::vector<std::unique_ptr<TGIFSubImage>> frames_;
  PaintFlags paintFlags_;
  std::optional<std::uint32_t> backgroundColour_;
  std::uint32_t windowColour_ = gifArgb(255, 255, 255);
  bool paletteDisplay_ = false;

  GifProgressEvent onProgress_;
  GifWarningEvent onWarning_;
  std::function<void()> onChange_;
  GifPainterEvents painterEvents_;
  std::shared_ptr<UiThreadCaller> ui_;
  std::shared_ptr<UiThreadCaller> inlineCaller_;
  std::shared_ptr<GifClock> clock_;

  std::unique_ptr<GifBitmap> composite_;
  std::unique_ptr<GifBitmapCanvas> compositeCanvas_;
  bool drawing_ = false;

  mutable std::mutex paintersMutex_;
  std::vector<std::shared_ptr<TGIFPainter>> painters_;
  // Threaded painters that have cleaned up; their threads are joined on the next start or stop.
  std::vector<std::shared_ptr<TGIFPainter>> finished_;
  std::shared_ptr<TGIFPainter> current_;
  // Where the last animation played to its end, so drawing there again does not replay it.
  std::optional<Target> completed_;
};

}  // namespace tossbox
