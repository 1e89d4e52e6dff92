#pragma once
// One frame of a GIF: its extensions, its image descriptor and local colour table, and its
// pixels (one colour index per pixel, rows top to bottom, whatever the interlacing in the file).
// A frame without an image descriptor has no pixels and counts as empty. The 8-bit bitmap and
// the mask used for drawing are made on first use, on the user-interface thread.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/gif/GifBitmap.h"
#include "core/gif/GifByteReader.h"
#include "core/gif/GifCanvas.h"
#include "core/gif/GifColorMap.h"
#include "core/gif/GifEvents.h"
#include "core/gif/GifExtensions.h"

namespace tossbox {

class TGIFImage;

enum class GifVersion { None, GIF87a, GIF89a };

// The most pixels one image may hold in all its frames together.
inline constexpr std::uint64_t kGifPixelBudget = std::uint64_t{1} << 28;

// What the frames of one load share while they are read.
struct GifReadContext {
  GifWarningSink warn;
  std::uint64_t pixelBudget = kGifPixelBudget;  // pixels still allowed
};

// The 10-byte image descriptor as read (width and height replaced when they were 0).
struct GifImageDescriptor {
  std::array<std::uint8_t, 10> bytes{};

  [[nodiscard]] std::uint8_t separator() const { return bytes[0]; }
  [[nodiscard]] int left() const { return word(1); }
  [[nodiscard]] int top() const { return word(3); }
  [[nodiscard]] int width() const { return word(5); }
  [[nodiscard]] int height() const { return word(7); }
  [[nodiscard]] std::uint8_t packed() const { return bytes[9]; }
  [[nodiscard]] bool hasLocalColorTable() const { return (packed() & 0x80) != 0; }
  [[nodiscard]] bool interlaced() const { return (packed() & 0x40) != 0; }
  [[nodiscard]] bool sortFlag() const { return (packed() & 0x20) != 0; }
  [[nodiscard]] int tableSizeExponent() const { return packed() & 7; }
  void setSize(int width, int height);

 private:
  [[nodiscard]] int word(int at) const { return bytes[at] | (bytes[at + 1] << 8); }
};

class TGIFSubImage {
 public:
  explicit TGIFSubImage(const TGIFImage& owner) : owner_(&owner) {}
  // A copy of `source` belonging to `owner`.
  TGIFSubImage(const TGIFImage& owner, const TGIFSubImage& source);
  TGIFSubImage(const TGIFSubImage&) = delete;
  TGIFSubImage& operator=(const TGIFSubImage&) = delete;

  // Reads the frame's extensions and, when one follows, its image.
  void read(GifByteReader& reader, GifReadContext& context);

  [[nodiscard]] const TGIFExtensionList& extensions() const { return extensions_; }
  [[nodiscard]] const TGIFLocalColorMap& colorMap() const { return colorMap_; }
  [[nodiscard]] bool hasDescriptor() const { return descriptor_.has_value(); }
  [[nodiscard]] const std::optional<GifImageDescriptor>& descriptor() const { return descriptor_; }
  [[nodiscard]] int left() const { return descriptor_ ? descriptor_->left() : 0; }
  [[nodiscard]] int top() const { return descriptor_ ? descriptor_->top() : 0; }
  [[nodiscard]] int width() const { return descriptor_ ? descriptor_->width() : 0; }
  [[nodiscard]] int height() const { return descriptor_ ? descriptor_->height() : 0; }
  [[nodiscard]] bool interlaced() const { return descriptor_ && descriptor_->interlaced(); }
  [[nodiscard]] std::span<const std::uint8_t> pixels() const { return pixels_; }
  [[nodiscard]] bool empty() const { return pixels_.empty(); }

  [[nodiscard]] bool transparent() const { return transparent_; }
  [[nodiscard]] int transparentIndex() const { return transparentIndex_; }
  // The first graphic control extension read for the frame, or null.
  [[nodiscard]] const TGIFGraphicControlExtension* graphicControlExtension() const {
    return graphicControl_;
  }
  // The local table when it has entries, else the global table when that has entries, else the
  // (empty) local table.
  [[nodiscard]] const TGIFColorMap& activeColorMap() const;
  // 89a with at least one extension or a local table marked sorted, else 87a.
  [[nodiscard]] GifVersion version() const;

  // The frame's 8-bit bitmap and, for a transparent frame, its mask (else null).
  [[nodiscard]] const GifFrameBitmap& bitmap() const;
  [[nodiscard]] const GifMask* mask() const;
  // The memory the frame's pixels, colours and drawing bitmap (once made) take.
  [[nodiscard]] std::uint64_t memoryCost() const;
  // The frame's place on the logical screen, scaled into `target`.
  [[nodiscard]] GifRect placedRect(const GifRect& target) const;
  // Draws the frame at its place inside `rect`, through its mask when `transparent` is asked
  // for and the frame is transparent. Nothing is drawn outside `rect`.
  void draw(GifCanvas& canvas, const GifRect& rect, bool transparent) const;

 private:
  void readExtensions(GifByteReader& reader, GifReadContext& context);
  void readImage(GifByteReader& reader, GifReadContext& context);
  void readPixels(GifByteReader& reader, GifReadContext& context);
  void makeBitmap() const;

  const TGIFImage* owner_;
  TGIFExtensionList extensions_;
  TGIFLocalColorMap colorMap_;
  std::optional<GifImageDescriptor> descriptor_;
  std::vector<std::uint8_t> pixels_;
  bool transparent_ = false;
  int transparentIndex_ = 0;
  const TGIFGraphicControlExtension* graphicControl_ = nullptr;
  mutable std::optional<GifFrameBitmap> bitmap_;
  mutable std::optional<GifMask> mask_;
};

}  // namespace tossbox
