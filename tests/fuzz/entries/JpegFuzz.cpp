#include <vector>

#include "core/picture/JpegDecoder.h"
#include "core/picture/JpegPlan.h"
#include "entries/FuzzCheck.h"
#include "entries/FuzzEntries.h"

namespace tossbox::fuzz {

namespace {

// Rows into memory, as the picture control's buffer would take them.
class BufferSink : public JpegPixelSink {
 public:
  std::uint8_t* allocate(int width, int height, JpegPixels pixels,
                         std::size_t& bytesPerLine) override {
    fuzzCheck(width > 0 && height > 0, "a JPEG is allocated a positive size");
    allocatedWidth = width;
    allocatedHeight = height;
    bytesPerLine = std::size_t(width) * (pixels == JpegPixels::Bgra32 ? 4 : 1);
    rows_.assign(bytesPerLine * std::size_t(height), 0x80);
    return rows_.data();
  }
  void setColourMap(std::span<const JpegRgb> colours) override {
    fuzzCheck(colours.size() <= 256, "a JPEG colour map has at most 256 colours");
  }
  void scanShown() override {}
  void progress(int percent) override {
    fuzzCheck(percent >= 0 && percent <= 100, "JPEG progress stays within 0..100");
  }

  int allocatedWidth = 0;
  int allocatedHeight = 0;

 private:
  std::vector<std::uint8_t> rows_;
};

// The decode a viewer box of moderate size plans; the input's length picks the fast or the
// accurate plan, the fit mode and the display depth, so the bytes themselves stay a JPEG.
JpegDecodeOptions plannedOptions(const JpegHeaderFacts& facts, std::size_t size) {
  const bool fast = size % 2 == 1;
  const int mode = static_cast<int>(size / 2 % 2);
  const int depth = size / 4 % 2 == 1 ? 8 : 32;
  JpegDecodeOptions options = planJpegDecode(facts, fast, 240, 320, mode, depth).options;
  // Large pictures only cost time here; their arithmetic is the same as for small ones.
  options.maxOutputPixels = std::uint64_t{1} << 21;
  return options;
}

}  // namespace

int fuzzJpegDriver(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const auto facts = readJpegHeader(bytes);
  if (!facts) return 0;
  fuzzCheck(facts->width > 0 && facts->height > 0, "a readable JPEG header has a size");
  BufferSink sink;
  const JpegDecodeResult result = decodeJpeg(bytes, plannedOptions(*facts, size), sink);
  if (result.outcome == JpegOutcome::Failed) return 0;
  fuzzCheck(
      result.outputWidth == sink.allocatedWidth && result.outputHeight == sink.allocatedHeight,
      "a decoded JPEG has the size it was allocated");
  return 0;
}

}  // namespace tossbox::fuzz
