#include "GifInfoPrinter.h"

#include <cstdio>
#include <string>

namespace tossbox {

namespace {

// Time passes at once: the frames are wanted, not the delays.
class InstantClock : public GifClock {
 public:
  GifTime now() override { return now_; }
  bool waitUntil(GifTime deadline, GifStopEvent& stop) override {
    if (deadline > now_) now_ = deadline;
    return stop.isSet();
  }
  void yield() override {}

 private:
  GifTime now_{};
};

std::string hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

const char* yesNo(bool value) {
  return value ? "yes" : "no";
}

std::string quoted(const std::vector<std::string>& lines) {
  std::string result;
  for (const auto& line : lines) result += (result.empty() ? "\"" : " / \"") + line + "\"";
  return result.empty() ? "(none)" : result;
}

void printColours(std::ostream& out, const TGIFColorMap& map) {
  for (int i = 0; i < map.count(); ++i) {
    if (i % 8 == 0) out << (i == 0 ? "    " : "\n    ");
    const GifColor& c = map[i];
    out << (i < 10    ? "  "
            : i < 100 ? " "
                      : "")
        << i << ":#" << hex(c.red, 2) << hex(c.green, 2) << hex(c.blue, 2) << " ";
  }
  out << "\n";
}

void printExtension(std::ostream& out, const TGIFExtension& extension) {
  out << "  extension 0x" << hex(extension.label(), 2) << ": ";
  if (const auto* control = dynamic_cast<const TGIFGraphicControlExtension*>(&extension)) {
    out << "graphic control: disposal " << control->disposal() << ", user input "
        << yesNo(control->userInput()) << ", transparent " << yesNo(control->transparent())
        << " (index " << int(control->transparentIndex) << "), delay " << control->delay << "\n";
  } else if (const auto* comment = dynamic_cast<const TGIFCommentExtension*>(&extension)) {
    out << "comment: " << quoted(comment->lines) << "\n";
  } else if (const auto* text = dynamic_cast<const TGIFTextExtension*>(&extension)) {
    out << "plain text: grid " << text->gridLeft << "," << text->gridTop << " " << text->gridWidth
        << " x " << text->gridHeight << ", cell " << int(text->cellWidth) << " x "
        << int(text->cellHeight) << ", colours " << int(text->foregroundIndex) << "/"
        << int(text->backgroundIndex) << ": " << quoted(text->lines) << "\n";
  } else if (const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(&extension)) {
    out << "application \"" << loop->identifier() << loop->authentication() << "\": loop count "
        << loop->loops << (loop->loops == 0 ? " (without end)" : "") << "\n";
  } else if (const auto* app = dynamic_cast<const TGIFUnknownAppExtension*>(&extension)) {
    std::size_t bytes = 0;
    for (const auto& block : app->blocks) bytes += block.bytes.size();
    out << "application \"" << app->identifier() << app->authentication() << "\" (block size "
        << int(app->blockSize()) << "): " << app->blocks.size() << " sub-blocks, " << bytes
        << " bytes\n";
  } else {
    out << "\n";
  }
}

void printFrame(std::ostream& out, const TGIFImage& image, int index) {
  const TGIFSubImage& frame = image.frame(index);
  out << "frame " << index << ":\n";
  for (const auto& extension : frame.extensions()) printExtension(out, *extension);
  if (!frame.hasDescriptor()) {
    out << "  no image\n";
    return;
  }
  const GifImageDescriptor& d = *frame.descriptor();
  out << "  descriptor: left " << d.left() << ", top " << d.top() << ", width " << d.width()
      << ", height " << d.height() << ", packed 0x" << hex(d.packed(), 2) << " (local table "
      << yesNo(d.hasLocalColorTable()) << ", interlaced " << yesNo(d.interlaced()) << ", sorted "
      << yesNo(d.sortFlag()) << ")\n";
  if (frame.colorMap().empty()) {
    out << "  local colour table: none\n";
  } else {
    out << "  local colour table: " << frame.colorMap().count() << " entries\n";
    printColours(out, frame.colorMap());
  }
  out << "  pixels: " << frame.pixels().size() << ", shown for " << gifFrameDelay(frame, true)
      << " hundredths (" << gifFrameDelay(frame, true) * FrameDelayUnit << " ms)\n";
}

}  // namespace

void printGifStructure(std::ostream& out, const TGIFImage& image,
                       std::span<const std::uint8_t> file) {
  const TGIFHeader& header = image.header();
  out << "signature: "
      << std::string(file.begin(), file.begin() + std::min<std::size_t>(6, file.size())) << "\n";
  out << "logical screen: " << image.width() << " x " << image.height() << ", packed 0x"
      << hex(header.packed(), 2) << " (global table " << yesNo(header.hasGlobalColorTable())
      << ", colour resolution " << header.colorResolutionBits() << " bits, sorted "
      << yesNo(header.sortFlag()) << "), background index " << int(header.backgroundIndex())
      << ", aspect " << int(header.aspectRatio()) << "\n";
  if (header.colorMap().empty()) {
    out << "global colour table: none\n";
  } else {
    out << "global colour table: " << header.colorMap().count() << " entries\n";
    printColours(out, header.colorMap());
  }
  for (int i = 0; i < image.frameCount(); ++i) printFrame(out, image, i);
  const GifVersion version = image.version();
  out << "version: "
      << (version == GifVersion::None     ? "none"
          : version == GifVersion::GIF87a ? "87a"
                                          : "89a")
      << "\n";
  out << "colour resolution: " << image.colorResolution() << "\n";
  out << "frames: " << image.frameCount() << "\n";
  const auto loops = image.loopCount();
  out << "loop count: "
      << (!loops ? std::string("none (plays once)")
                 : std::to_string(*loops) + (*loops == 0 ? " (without end)" : ""))
      << "\n";
}

void compositeFrames(TGIFImage& image,
                     const std::function<void(int, const std::vector<std::uint8_t>&)>& shown) {
  if (image.empty() || image.width() == 0 || image.height() == 0) return;
  GifBitmap target(image.width(), image.height(), 0);
  GifBitmapCanvas canvas(target);
  GifPainterEvents events;
  events.onAfterFrame = [&](int index) {
    std::vector<std::uint8_t> rgba;
    rgba.reserve(target.pixels.size() * 4);
    for (std::uint32_t p : target.pixels) {
      rgba.insert(rgba.end(),
                  {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                   static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 24)});
    }
    shown(index, rgba);
  };
  image.setPainterEvents(events);
  image.setClock(std::make_shared<InstantClock>());
  (void)image.StartPaint(canvas, {0, 0, image.width(), image.height()},
                         PaintFlag::pfAnimate | PaintFlag::pfTransparent);
  image.setPainterEvents({});
}

}  // namespace tossbox
