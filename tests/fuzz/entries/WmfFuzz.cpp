#include <vector>

#include "core/picture/BitmapHeader.h"
#include "core/picture/WmfPlayer.h"
#include "entries/FuzzCheck.h"
#include "entries/FuzzEntries.h"

namespace tossbox::fuzz {

namespace {

// Counts the calls and reads every byte and point handed over, so that a span reaching past
// what the player owns shows under AddressSanitizer; checks what the canvas is promised.
class RecordingCanvas : public WmfCanvas {
 public:
  void polyline(std::span<const WmfPoint> points, const WmfStyle& style) override {
    touch(points);
    touch(style.brush);
  }
  void polygons(std::span<const std::vector<WmfPoint>> polygons, const WmfStyle& style) override {
    for (const auto& polygon : polygons) touch(polygon);
    touch(style.brush);
  }
  void rectangle(const WmfRect&, const WmfStyle& style) override { touch(style.brush); }
  void roundRectangle(const WmfRect&, double, double, const WmfStyle& style) override {
    touch(style.brush);
  }
  void ellipse(const WmfRect&, const WmfStyle& style) override { touch(style.brush); }
  void arc(const WmfRect&, double, double, WmfArcShape, const WmfStyle& style) override {
    touch(style.brush);
  }
  double text(const WmfText& text) override {
    fuzzCheck(text.advances.empty() || text.advances.size() == text.bytes.size(),
              "a metafile text has one advance per byte or none");
    touch(text.bytes);
    return double(text.bytes.size());
  }
  void fill(const WmfRect&, const WmfBrush& brush, WmfRaster) override { touch(brush); }
  void bitmap(std::span<const std::uint8_t> dib, const WmfPixelRect&, const WmfRect&,
              WmfRaster) override {
    fuzzCheck(parseDibHeader(dib).has_value(), "a metafile bitmap has a sound header");
    touch(dib);
  }
  void save() override { ++depth_; }
  void restore() override { --depth_; }
  void intersectClip(const WmfRect&) override { ++calls_; }
  void excludeClip(const WmfRect&) override { ++calls_; }
  void setClip(std::span<const WmfRect> rects) override { calls_ += rects.size(); }

  [[nodiscard]] double checksum() const {
    return pointSum_ + double(checksum_ + calls_) + double(depth_);
  }

 private:
  void touch(std::span<const WmfPoint> points) {
    ++calls_;
    for (const WmfPoint& point : points) pointSum_ += point.x + point.y;
  }
  void touch(std::span<const std::uint8_t> bytes) {
    ++calls_;
    for (const std::uint8_t byte : bytes) checksum_ += byte;
  }
  void touch(const std::string& bytes) {
    touch(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  }
  void touch(const WmfBrush& brush) {
    if (brush.style != WmfBrushStyle::Pattern || !brush.pattern) return;
    fuzzCheck(parseDibHeader(*brush.pattern).has_value(),
              "a metafile pattern brush has a sound header");
    touch(std::span<const std::uint8_t>(*brush.pattern));
  }

  double pointSum_ = 0;
  std::uint64_t checksum_ = 0;
  std::uint64_t calls_ = 0;
  std::int64_t depth_ = 0;
};

}  // namespace

int fuzzWmfPlayer(const std::uint8_t* data, std::size_t size) {
  auto document = WmfDocument::parse(std::vector<std::uint8_t>(data, data + size));
  if (!document) return 0;
  RecordingCanvas canvas;
  playWmf(*document, canvas, 160, 120);
  // Keeps the reads above from being optimised away.
  volatile double sink = canvas.checksum();
  (void)sink;
  return 0;
}

}  // namespace tossbox::fuzz
