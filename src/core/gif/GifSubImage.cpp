#include "core/gif/GifSubImage.h"

#include "core/gif/GifException.h"
#include "core/gif/GifExtensionRegistry.h"
#include "core/gif/GifImage.h"
#include "core/gif/GifInterlace.h"
#include "core/gif/LzwDecoder.h"

namespace tossbox {

namespace {

constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
// LZW codes are at least 2 bits and a code stands for at most 4096 pixels, so one byte of the
// file can give no more than this many pixels.
constexpr std::uint64_t kMostPixelsPerByte = 4 * 4096;
constexpr int kRowsPerProgress = 32;

int scaled(int value, int targetLength, int screenLength) {
  // Round to nearest.
  const std::int64_t product = std::int64_t{value} * targetLength;
  return static_cast<int>((2 * product + screenLength) / (2 * std::int64_t{screenLength}));
}

}  // namespace

void GifImageDescriptor::setSize(int width, int height) {
  bytes[5] = static_cast<std::uint8_t>(width & 0xFF);
  bytes[6] = static_cast<std::uint8_t>(width >> 8);
  bytes[7] = static_cast<std::uint8_t>(height & 0xFF);
  bytes[8] = static_cast<std::uint8_t>(height >> 8);
}

TGIFSubImage::TGIFSubImage(const TGIFImage& owner, const TGIFSubImage& source)
    : owner_(&owner),
      colorMap_(source.colorMap_),
      descriptor_(source.descriptor_),
      pixels_(source.pixels_),
      transparent_(source.transparent_),
      transparentIndex_(source.transparentIndex_) {
  for (const auto& extension : source.extensions_) {
    extensions_.push_back(extension->clone());
    if (graphicControl_ == nullptr && extension->label() == TGIFGraphicControlExtension::kLabel) {
      graphicControl_ = static_cast<const TGIFGraphicControlExtension*>(extensions_.back().get());
    }
  }
}

void TGIFSubImage::read(GifByteReader& reader, GifReadContext& context) {
  readExtensions(reader, context);
  const auto next = reader.peekByte();
  if (!next || *next == kTrailer || *next == 0) return;
  readImage(reader, context);
}

void TGIFSubImage::readExtensions(GifByteReader& reader, GifReadContext& context) {
  auto byte = reader.readByte();
  if (!byte) return;
  while (*byte != kImageSeparator && *byte != kTrailer) {
    if (*byte != TGIFExtension::kIntroducer) {
      if (context.warn) context.warn(gif_text::kInvalidIntroducer);
      break;
    }
    reader.unread();
    auto extension = makeGifExtension(reader);
    extension->read(reader);
    if (extension->label() == TGIFGraphicControlExtension::kLabel) {
      const auto* control = static_cast<const TGIFGraphicControlExtension*>(extension.get());
      if (graphicControl_ == nullptr) graphicControl_ = control;
      if (control->transparent() && !transparent_) {
        transparent_ = true;
        transparentIndex_ = control->transparentIndex;
      }
    }
    extensions_.push_back(std::move(extension));
    byte = reader.readByte();
    if (!byte) return;
  }
  reader.unread();
}

void TGIFSubImage::readImage(GifByteReader& reader, GifReadContext& context) {
  GifImageDescriptor descriptor;
  const auto bytes = reader.readExact(descriptor.bytes.size());
  std::copy(bytes.begin(), bytes.end(), descriptor.bytes.begin());
  if (descriptor.width() == 0 || descriptor.height() == 0) {
    descriptor.setSize(owner_->width(), owner_->height());
    if (context.warn) context.warn(gif_text::kExceedsScreen);
  }
  descriptor_ = descriptor;
  if (descriptor.hasLocalColorTable()) {
    colorMap_.read(reader, 2 << descriptor.tableSizeExponent());
  }
  readPixels(reader, context);
}

void TGIFSubImage::readPixels(GifByteReader& reader, GifReadContext& context) {
  const int w = descriptor_->width();
  const int h = descriptor_->height();
  const std::uint64_t count = std::uint64_t(w) * std::uint64_t(h);
  if (count > context.pixelBudget) throw GIFException(gif_text::kPixelBudget);
  // A frame bigger than the rest of the file could ever fill is not allocated; a little slack
  // keeps small frames whose data is cut off entirely readable (they stay index 0).
  if (count > kMostPixelsPerByte * (reader.remaining() + 1)) {
    throw GIFException(gif_text::kPrematureEnd);
  }
  context.pixelBudget -= count;
  pixels_.assign(static_cast<std::size_t>(count), 0);

  const auto minCodeSize = reader.readByte();
  if (!minCodeSize) return;
  const auto data = readGifImageData(reader, context.warn);
  LzwResult result;
  if (descriptor_->interlaced()) {
    std::vector<std::uint8_t> stored(pixels_.size(), 0);
    result = LzwDecoder::decode(data, *minCodeSize, stored);
    deinterlace(stored, w, h, pixels_);
  } else {
    result = LzwDecoder::decode(data, *minCodeSize, pixels_);
  }
  if (result.underRun && context.warn) context.warn(gif_text::kUnderRun);
}

const TGIFColorMap& TGIFSubImage::activeColorMap() const {
  if (!colorMap_.empty()) return colorMap_;
  const TGIFColorMap& global = owner_->header().colorMap();
  if (!global.empty()) return global;
  return colorMap_;
}

GifVersion TGIFSubImage::version() const {
  return !extensions_.empty() || colorMap_.sorted() ? GifVersion::GIF89a : GifVersion::GIF87a;
}

const GifFrameBitmap& TGIFSubImage::bitmap() const {
  if (!bitmap_) makeBitmap();
  return *bitmap_;
}

const GifMask* TGIFSubImage::mask() const {
  if (!bitmap_) makeBitmap();
  return mask_ ? &*mask_ : nullptr;
}

std::uint64_t TGIFSubImage::memoryCost() const {
  std::uint64_t cost = sizeof(*this) + pixels_.capacity() +
                       static_cast<std::uint64_t>(colorMap_.count()) * sizeof(GifColor);
  if (bitmap_) cost += sizeof(GifFrameBitmap);
  if (mask_) cost += mask_->bits.capacity();
  return cost;
}

void TGIFSubImage::makeBitmap() const {
  const auto progress = [this](GifProgressStage stage, int percent) {
    owner_->reportProgress(stage, percent, gif_text::kRendering);
  };
  progress(GifProgressStage::Starting, 0);
  GifFrameBitmap bitmap;
  bitmap.width = width();
  bitmap.height = height();
  bitmap.indices = pixels_.empty() ? nullptr : pixels_.data();
  const TGIFColorMap& colours = activeColorMap();
  for (int i = 0; i < 256; ++i) {
    if (!colours.empty()) {
      bitmap.palette[i] = colours.argb(i);
    } else {
      bitmap.palette[i] = i < 16 ? systemPalette16()[i] : gifArgb(0, 0, 0);
    }
    if (owner_->dithers()) bitmap.palette[i] = nearestHalftone(bitmap.palette[i]);
  }
  if (transparent_ && !pixels_.empty()) {
    GifMask mask(bitmap.width, bitmap.height);
    for (int y = 0; y < bitmap.height; ++y) {
      const std::uint8_t* row = pixels_.data() + static_cast<std::size_t>(y) * bitmap.width;
      for (int x = 0; x < bitmap.width; ++x) {
        if (row[x] == transparentIndex_) mask.setTransparent(x, y);
      }
      if ((y + 1) % kRowsPerProgress == 0) {
        progress(GifProgressStage::Running, (y + 1) * 100 / bitmap.height);
      }
    }
    mask_ = std::move(mask);
  }
  bitmap_ = bitmap;
  progress(GifProgressStage::Ending, 100);
}

GifRect TGIFSubImage::placedRect(const GifRect& target) const {
  const int screenWidth = owner_->width();
  const int screenHeight = owner_->height();
  if (screenWidth <= 0 || screenHeight <= 0) return {};
  const int tw = target.width();
  const int th = target.height();
  return {target.left + scaled(left(), tw, screenWidth),
          target.top + scaled(top(), th, screenHeight),
          target.left + scaled(left() + width(), tw, screenWidth),
          target.top + scaled(top() + height(), th, screenHeight)};
}

void TGIFSubImage::draw(GifCanvas& canvas, const GifRect& rect, bool transparent) const {
  if (empty()) return;
  const GifFrameBitmap& frame = bitmap();
  canvas.drawFrame(frame, transparent ? mask() : nullptr, placedRect(rect), rect);
}

}  // namespace tossbox
