#pragma once
// The extension blocks of a GIF file (introducer 0x21, a label, then the content). Each class
// reads its own content; the registries of GifExtensionRegistry.h say which class a label (and,
// for application extensions, an identifier) selects.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/gif/GifByteReader.h"
#include "core/gif/GifSubBlocks.h"

namespace tossbox {

class TGIFExtension {
 public:
  static constexpr std::uint8_t kIntroducer = 0x21;

  virtual ~TGIFExtension() = default;
  [[nodiscard]] virtual std::uint8_t label() const = 0;
  [[nodiscard]] virtual std::unique_ptr<TGIFExtension> clone() const = 0;

  // Reads the introducer and the label, then the content. Raises "Invalid extension introducer"
  // or "Internal error: Extension Instance does not match Extension Label" when the bytes are not
  // this extension's, and "Premature end of data" when the content is cut off.
  void read(GifByteReader& reader);

 protected:
  virtual void readContent(GifByteReader& reader) = 0;
};

using TGIFExtensionList = std::vector<std::unique_ptr<TGIFExtension>>;

// Plain text to draw over the image: a text grid and the text, one line per sub-block.
class TGIFTextExtension : public TGIFExtension {
 public:
  static constexpr std::uint8_t kLabel = 0x01;
  [[nodiscard]] std::uint8_t label() const override { return kLabel; }
  [[nodiscard]] std::unique_ptr<TGIFExtension> clone() const override;

  std::uint8_t blockSize = 0;
  std::uint16_t gridLeft = 0;
  std::uint16_t gridTop = 0;
  std::uint16_t gridWidth = 0;
  std::uint16_t gridHeight = 0;
  std::uint8_t cellWidth = 0;
  std::uint8_t cellHeight = 0;
  std::uint8_t foregroundIndex = 0;
  std::uint8_t backgroundIndex = 0;
  std::vector<std::string> lines;

 protected:
  void readContent(GifByteReader& reader) override;
};

// Timing, disposal and transparency of the frame it belongs to.
class TGIFGraphicControlExtension : public TGIFExtension {
 public:
  static constexpr std::uint8_t kLabel = 0xF9;
  [[nodiscard]] std::uint8_t label() const override { return kLabel; }
  [[nodiscard]] std::unique_ptr<TGIFExtension> clone() const override;

  [[nodiscard]] int disposal() const { return (packed >> 2) & 7; }
  [[nodiscard]] bool userInput() const { return (packed & 0x02) != 0; }
  [[nodiscard]] bool transparent() const { return (packed & 0x01) != 0; }

  std::uint8_t blockSize = 0;
  std::uint8_t packed = 0;
  std::uint16_t delay = 0;  // hundredths of a second
  std::uint8_t transparentIndex = 0;
  std::uint8_t terminator = 0;

 protected:
  void readContent(GifByteReader& reader) override;
};

// A comment, one line per sub-block.
class TGIFCommentExtension : public TGIFExtension {
 public:
  static constexpr std::uint8_t kLabel = 0xFE;
  [[nodiscard]] std::uint8_t label() const override { return kLabel; }
  [[nodiscard]] std::unique_ptr<TGIFExtension> clone() const override;

  std::vector<std::string> lines;

 protected:
  void readContent(GifByteReader& reader) override;
};

// An application's own block: a block size of 10 or 11, the identifier and the authentication
// code, then data sub-blocks that the refinements read.
class TGIFApplicationExtension : public TGIFExtension {
 public:
  static constexpr std::uint8_t kLabel = 0xFF;
  [[nodiscard]] std::uint8_t label() const override { return kLabel; }

  [[nodiscard]] std::uint8_t blockSize() const { return blockSize_; }
  // The 8 identifier characters and the authentication code (3 characters, 2 with block size 10).
  [[nodiscard]] const std::string& identifier() const { return identifier_; }
  [[nodiscard]] const std::string& authentication() const { return authentication_; }

 protected:
  void readContent(GifByteReader& reader) override;
  virtual void readData(GifByteReader& reader) = 0;

 private:
  std::uint8_t blockSize_ = 0;
  std::string identifier_;
  std::string authentication_;
};

// "NETSCAPE2.0" and "ANIMEXTS1.0": how many times the animation plays (0: without end).
class TGIFAppExtNSLoop : public TGIFApplicationExtension {
 public:
  [[nodiscard]] std::unique_ptr<TGIFExtension> clone() const override;

  std::uint16_t loops = 0;

 protected:
  // Exactly one sub-block of size 3 with id 1 and the count; anything else is "Invalid GIF data".
  void readData(GifByteReader& reader) override;
};

// Any other application extension, its data kept as read.
class TGIFUnknownAppExtension : public TGIFApplicationExtension {
 public:
  [[nodiscard]] std::unique_ptr<TGIFExtension> clone() const override;

  std::vector<TGIFBlock> blocks;

 protected:
  void readData(GifByteReader& reader) override;
};

}  // namespace tossbox
