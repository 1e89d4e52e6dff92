#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "GifTestWriter.h"
#include "core/gif/GifException.h"
#include "core/gif/GifExtensionRegistry.h"
#include "core/gif/GifImage.h"
#include "core/gif/LzwDecoder.h"

namespace tossbox {
namespace {

using gif_test::GifTestImage;
using gif_test::GifTestWriter;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Bytes = std::vector<std::uint8_t>;

const std::vector<std::uint32_t> kFourColours = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF};

struct Loaded {
  std::unique_ptr<TGIFImage> image = std::make_unique<TGIFImage>();
  std::vector<std::string> warnings;
};

Loaded load(const Bytes& bytes) {
  Loaded result;
  result.image->setOnWarning([&result](const TGIFImage&, GifSeverity, std::string_view text) {
    result.warnings.emplace_back(text);
  });
  result.image->loadFromMemory(bytes);
  return result;
}

std::string loadError(const Bytes& bytes) {
  TGIFImage image;
  try {
    image.loadFromMemory(bytes);
  } catch (const GIFException& error) {
    EXPECT_TRUE(image.empty()) << "a failed load leaves the image empty";
    return error.what();
  }
  return "";
}

GifTestImage solid(int width, int height, std::uint8_t index) {
  GifTestImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * height, index);
  return image;
}

GifTestImage withPixels(GifTestImage image, Bytes pixels) {
  image.pixels = std::move(pixels);
  return image;
}

Bytes onePixel(const std::string& signature = "GIF89a") {
  return GifTestWriter()
      .header(1, 1, kFourColours, 0, signature)
      .image(solid(1, 1, 2))
      .trailer()
      .bytes();
}

TEST(GifReader, VersionFollowsExtensionsNotTheSignature) {
  auto plain = load(GifTestWriter()
                        .header(1, 1, kFourColours, 0, "GIF89a")
                        .image(solid(1, 1, 1))
                        .trailer()
                        .bytes());
  EXPECT_EQ(plain.image->version(), GifVersion::GIF87a);
  EXPECT_EQ(plain.image->frameCount(), 1);

  auto commented = load(GifTestWriter()
                            .header(1, 1, kFourColours, 0, "GIF87a")
                            .comment("hi")
                            .image(solid(1, 1, 1))
                            .trailer()
                            .bytes());
  EXPECT_EQ(commented.image->version(), GifVersion::GIF89a);
  EXPECT_EQ(commented.image->frameCount(), 1);
  const auto* comment =
      dynamic_cast<const TGIFCommentExtension*>(commented.image->frame(0).extensions().at(0).get());
  ASSERT_NE(comment, nullptr);
  EXPECT_THAT(comment->lines, ElementsAre("hi"));

  TGIFImage empty;
  EXPECT_EQ(empty.version(), GifVersion::None);
  EXPECT_EQ(empty.colorResolution(), -1);
}

TEST(GifReader, ExtensionsAfterTheLastImageMakeAnEmptyFrame) {
  auto loaded = load(GifTestWriter()
                         .header(2, 2, kFourColours)
                         .image(solid(2, 2, 1))
                         .comment("end")
                         .trailer()
                         .bytes());
  ASSERT_EQ(loaded.image->frameCount(), 2);
  EXPECT_FALSE(loaded.image->frame(0).empty());
  EXPECT_TRUE(loaded.image->frame(1).empty());
  EXPECT_FALSE(loaded.image->frame(1).hasDescriptor());
  EXPECT_EQ(loaded.image->frame(1).extensions().size(), 1u);
}

TEST(GifReader, InterlacedFramesGetEveryRowOnce) {
  for (int height = 1; height <= 5; ++height) {
    GifTestImage frame = solid(3, height, 0);
    frame.pixels.clear();
    for (int row = 0; row < height; ++row)
      frame.pixels.insert(frame.pixels.end(), 3, static_cast<std::uint8_t>(row));
    frame.interlaced = true;
    std::vector<std::uint32_t> colours(8, 0);
    auto loaded = load(GifTestWriter().header(3, height, colours).image(frame).trailer().bytes());
    EXPECT_THAT(std::vector<std::uint8_t>(loaded.image->frame(0).pixels().begin(),
                                          loaded.image->frame(0).pixels().end()),
                ElementsAreArray(frame.pixels))
        << "height " << height;
    EXPECT_TRUE(loaded.warnings.empty());
  }
  // Height 4 stores its rows as 0, 2, 1, 3: the pass starting at row 4 does not exist.
  Bytes stored = {0, 2, 1, 3};
  Bytes data = GifTestWriter()
                   .header(1, 4, kFourColours)
                   .raw({0x2C, 0, 0, 0, 0, 1, 0, 4, 0, 0x40, 2})
                   .bytes();
  const auto blocks = gif_test::subBlocks(gif_test::lzwEncode(stored, 2));
  data.insert(data.end(), blocks.begin(), blocks.end());
  data.push_back(0x3B);
  auto loaded = load(data);
  EXPECT_THAT(std::vector<std::uint8_t>(loaded.image->frame(0).pixels().begin(),
                                        loaded.image->frame(0).pixels().end()),
              ElementsAre(0, 1, 2, 3));
}

TEST(GifReader, SignatureIsCheckedInAnyCase) {
  EXPECT_EQ(load(onePixel("gif89a")).image->frameCount(), 1);
  EXPECT_EQ(load(onePixel("GiF12x")).image->frameCount(), 1) << "the version bytes are not checked";
  EXPECT_EQ(loadError(onePixel("GIT89a")), "Invalid GIF signature");
  EXPECT_EQ(loadError(onePixel("JPG89a")), "Invalid GIF signature");
}

TEST(GifReader, LoopExtensionsOfBothIdentifiers) {
  for (const std::string identifier : {"NETSCAPE2.0", "ANIMEXTS1.0"}) {
    auto loaded = load(GifTestWriter()
                           .header(1, 1, kFourColours)
                           .loop(7, identifier)
                           .image(solid(1, 1, 0))
                           .trailer()
                           .bytes());
    const auto* loop =
        dynamic_cast<const TGIFAppExtNSLoop*>(loaded.image->frame(0).extensions().at(0).get());
    ASSERT_NE(loop, nullptr) << identifier;
    EXPECT_EQ(loop->loops, 7);
    EXPECT_EQ(loop->identifier() + loop->authentication(), identifier);
    EXPECT_EQ(loaded.image->loopCount(), 7);
  }
  auto other = load(GifTestWriter()
                        .header(1, 1, kFourColours)
                        .loop(7, "NETSCAPE2.1")
                        .image(solid(1, 1, 0))
                        .trailer()
                        .bytes());
  const auto* unknown =
      dynamic_cast<const TGIFUnknownAppExtension*>(other.image->frame(0).extensions().at(0).get());
  ASSERT_NE(unknown, nullptr);
  ASSERT_EQ(unknown->blocks.size(), 1u);
  EXPECT_THAT(unknown->blocks[0].bytes, ElementsAre(1, 7, 0));
  EXPECT_EQ(other.image->loopCount(), std::nullopt);
}

TEST(GifReader, TruncatedPixelDataLeavesIndexZero) {
  GifTestImage frame = solid(10, 10, 3);
  Bytes full = GifTestWriter().header(10, 10, kFourColours).image(frame).trailer().bytes();
  // Keep the descriptor, the code size and a few data bytes; the file just ends.
  const std::size_t imageStart = 13 + 12;
  Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(imageStart + 10 + 1 + 1 + 3));
  auto loaded = load(cut);
  ASSERT_EQ(loaded.image->frameCount(), 1);
  const auto pixels = loaded.image->frame(0).pixels();
  EXPECT_EQ(pixels[0], 3);
  EXPECT_EQ(pixels[99], 0);
  EXPECT_EQ(
      std::count(pixels.begin(), pixels.end(), 3) + std::count(pixels.begin(), pixels.end(), 0),
      100);
  EXPECT_THAT(loaded.warnings,
              ElementsAre("Premature end of data", "Decoder bit buffer under-run"));

  // Only the descriptor: nothing to decode, every pixel 0, no error.
  Bytes bare(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(imageStart + 10));
  auto descriptorOnly = load(bare);
  ASSERT_EQ(descriptorOnly.image->frameCount(), 1);
  EXPECT_EQ(std::count(descriptorOnly.image->frame(0).pixels().begin(),
                       descriptorOnly.image->frame(0).pixels().end(), 0),
            100);
}

TEST(GifReader, TrailerIsOptionalAndChecked) {
  Bytes noTrailer = onePixel();
  noTrailer.pop_back();
  auto loaded = load(noTrailer);
  EXPECT_EQ(loaded.image->frameCount(), 1);
  EXPECT_TRUE(loaded.warnings.empty());

  Bytes strange = onePixel();
  strange.back() = 0x99;
  auto warned = load(strange);
  EXPECT_EQ(warned.image->frameCount(), 1);
  EXPECT_THAT(warned.warnings, ElementsAre("Unknown GIF block type", "Invalid Image trailer"));
}

TEST(GifReader, ErrorsOfTheExtensionLoop) {
  const auto withExtension = [](const Bytes& extension) {
    return GifTestWriter()
        .header(1, 1, kFourColours)
        .raw(extension)
        .image(solid(1, 1, 0))
        .trailer()
        .bytes();
  };
  EXPECT_EQ(loadError(withExtension({0x21, 0x2A, 1, 'x', 0})), "Unknown extension type");
  EXPECT_EQ(
      loadError(withExtension({0x21, 0xFF, 9, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 0})),
      "Unsupported Application Extension block size");
  EXPECT_EQ(loadError(withExtension(
                {0x21, 0xFF, 12, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 0})),
            "Unsupported Application Extension block size");
  const Bytes netscape = {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  auto loopWith = [&](const Bytes& data) {
    Bytes extension = netscape;
    extension.insert(extension.end(), data.begin(), data.end());
    return withExtension(extension);
  };
  EXPECT_EQ(loadError(loopWith({4, 1, 0, 0, 0, 0})), "Invalid GIF data");
  EXPECT_EQ(loadError(loopWith({3, 2, 0, 0, 0})), "Invalid GIF data");
  EXPECT_EQ(loadError(loopWith({3, 1, 0, 0, 5, 1, 2, 3, 4, 5, 0})), "Invalid GIF data");
  Bytes cut = GifTestWriter().header(1, 1, kFourColours).raw(netscape).raw({3, 1, 0}).bytes();
  EXPECT_EQ(loadError(cut), "Premature end of data");

  // A size-10 application block is kept as an unknown one.
  auto ten = load(withExtension(
      {0x21, 0xFF, 10, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 2, 7, 8, 0}));
  const auto* unknown =
      dynamic_cast<const TGIFUnknownAppExtension*>(ten.image->frame(0).extensions().at(0).get());
  ASSERT_NE(unknown, nullptr);
  EXPECT_EQ(unknown->identifier(), "ABCDEFGH");
  EXPECT_EQ(unknown->authentication(), "IJ");

  // A stray byte where the next extension should start: a warning, and the frame goes on.
  Bytes stray = GifTestWriter()
                    .header(1, 1, kFourColours)
                    .comment("a")
                    .raw({0x00})
                    .image(solid(1, 1, 2))
                    .trailer()
                    .bytes();
  auto warned = load(stray);
  EXPECT_THAT(warned.warnings, ElementsAre("Invalid extension introducer"));
  ASSERT_EQ(warned.image->frameCount(), 2);
  EXPECT_TRUE(warned.image->frame(0).empty());
  EXPECT_EQ(warned.image->frame(1).pixels()[0], 2);

  // An extension read on its own checks its own bytes.
  TGIFCommentExtension comment;
  const Bytes control = {0x21, 0xF9, 4, 0, 0, 0, 0, 0};
  GifByteReader reader(control);
  EXPECT_THROW(comment.read(reader), GIFException);
  const Bytes notExtension = {0x2C, 0xFE, 0};
  GifByteReader other(notExtension);
  try {
    comment.read(other);
    FAIL();
  } catch (const GIFException& error) {
    EXPECT_STREQ(error.what(), "Invalid extension introducer");
  }
}

TEST(GifReader, FixedPartsCutOffArePrematureEnd) {
  const Bytes full = GifTestWriter()
                         .header(2, 2, kFourColours)
                         .control(0, 5)
                         .comment("abc")
                         .image(solid(2, 2, 1))
                         .trailer()
                         .bytes();
  for (std::size_t length : {3u, 6u, 12u, 20u, 26u, 30u, 34u, 38u}) {
    EXPECT_EQ(loadError(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length))),
              "Premature end of data")
        << "cut at " << length;
  }
  // A local colour table the file does not hold.
  Bytes local = GifTestWriter()
                    .header(1, 1, kFourColours)
                    .raw({0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x87, 1, 2, 3})
                    .bytes();
  EXPECT_EQ(loadError(local), "Premature end of data");
}

TEST(GifReader, ZeroSizedFramesTakeTheScreenSize) {
  Bytes data =
      GifTestWriter().header(3, 2, kFourColours).raw({0x2C, 0, 0, 0, 0, 0, 0, 0, 0, 0}).bytes();
  const auto blocks = gif_test::subBlocks(gif_test::lzwEncode(Bytes(6, 1), 2));
  data.push_back(2);
  data.insert(data.end(), blocks.begin(), blocks.end());
  data.push_back(0x3B);
  auto loaded = load(data);
  EXPECT_THAT(loaded.warnings, ElementsAre("Image exceeds Logical Screen size"));
  EXPECT_EQ(loaded.image->frame(0).width(), 3);
  EXPECT_EQ(loaded.image->frame(0).height(), 2);
  EXPECT_EQ(
      std::count(loaded.image->frame(0).pixels().begin(), loaded.image->frame(0).pixels().end(), 1),
      6);
}

TEST(GifReader, ColourTablesAndResolution) {
  auto loaded = load(GifTestWriter()
                         .header(1, 1, std::vector<std::uint32_t>(4, 0))
                         .image({0, 0, 1, 1, {0}, std::vector<std::uint32_t>(200, 0x123456)})
                         .trailer()
                         .bytes());
  EXPECT_EQ(loaded.image->header().colorMap().count(), 4);
  EXPECT_EQ(loaded.image->header().colorMap().bitsPerPixel(), 2);
  EXPECT_EQ(loaded.image->frame(0).colorMap().count(), 256);
  EXPECT_EQ(loaded.image->colorResolution(), 7);
  EXPECT_EQ(&loaded.image->frame(0).activeColorMap(), &loaded.image->frame(0).colorMap());

  auto global = load(GifTestWriter()
                         .header(1, 1, std::vector<std::uint32_t>(3, 0))
                         .image(solid(1, 1, 0))
                         .trailer()
                         .bytes());
  EXPECT_EQ(global.image->colorResolution(), 1);
  EXPECT_EQ(&global.image->frame(0).activeColorMap(), &global.image->header().colorMap());

  auto none = load(GifTestWriter().header(1, 1, {}).image(solid(1, 1, 0)).trailer().bytes());
  EXPECT_EQ(none.image->colorResolution(), -1);

  TGIFColorMap map;
  EXPECT_EQ(map.bitsPerPixel(), 0);
  const Bytes three = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  GifByteReader reader(three);
  map.read(reader, 3);
  EXPECT_EQ(map.bitsPerPixel(), 2);
  EXPECT_FALSE(map.sorted());
  EXPECT_EQ(map.argb(1), 0xFF040506u);
  EXPECT_EQ(map.argb(9), 0xFF000000u) << "an index past the table reads as black";
}

TEST(GifReader, LzwRoundTripsThroughClearsAndTwelveBitCodes) {
  std::mt19937 random(5);
  Bytes pixels(300 * 200);
  // Noise fills the table several times over; the runs give long strings.
  for (std::size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = (i / 700) % 3 == 0 ? random() & 0xFF : (i / 50) & 0xFF;
  std::vector<std::uint32_t> colours(256, 0);
  auto loaded = load(GifTestWriter()
                         .header(300, 200, colours)
                         .image(withPixels(solid(300, 200, 0), pixels))
                         .trailer()
                         .bytes());
  EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), loaded.image->frame(0).pixels().begin()));
  EXPECT_TRUE(loaded.warnings.empty());

  // Doubled clear codes, then a literal: 1x3 frame of index 1, 2, 3 with code size 3 (clear 4).
  Bytes out(3, 9);
  std::fill(out.begin(), out.end(), 0);
  const Bytes data = {0x64, 0xB4, 0x02};  // 4 4 1 2 3, then the end code in 4 bits
  const auto result = LzwDecoder::decode(data, 2, out);
  EXPECT_THAT(out, ElementsAre(1, 2, 3));
  EXPECT_EQ(result.stop, LzwStop::FrameFull);
}

TEST(GifReader, LzwRejectsWhatTheTableCannotHold) {
  Bytes out(4, 0);
  // Code 7 right after the clear: nothing to expand it from.
  EXPECT_THROW((void)LzwDecoder::decode(Bytes{0x3C}, 2, out), GIFException);
  // Code 7 when only entry 6 exists.
  EXPECT_THROW((void)LzwDecoder::decode(Bytes{0xCC, 0x01}, 2, out), GIFException);
  // Code size 9 is allowed, but literal 300 is no colour index.
  EXPECT_THROW((void)LzwDecoder::decode(Bytes{0x00, 0xB2, 0x04}, 9, out), GIFException);
  for (int size : {0, 12, 255}) {
    EXPECT_THROW((void)LzwDecoder::decode(Bytes{0, 0}, size, out), GIFException) << size;
  }
  // The code after a code's own entry (KwKwK): 1, then 6 = "1 1".
  std::fill(out.begin(), out.end(), 0);
  const auto result = LzwDecoder::decode(Bytes{0x8C, 0x0B}, 2, out);  // 4 1 6 5
  EXPECT_THAT(out, ElementsAre(1, 1, 1, 0));
  EXPECT_EQ(result.stop, LzwStop::EndCode);
  EXPECT_EQ(result.written, 3u);
}

TEST(GifReader, PixelBudgetAndFileSizeBoundAllocation) {
  // 65535 x 65535 frames, 10 bytes each: far beyond what the file could fill.
  Bytes huge = GifTestWriter()
                   .header(0xFFFF, 0xFFFF, kFourColours)
                   .raw({0x2C, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 2, 2, 0x4C, 0x01, 0})
                   .trailer()
                   .bytes();
  EXPECT_EQ(loadError(huge), "Image exceeds pixel budget");
  Bytes big = GifTestWriter()
                  .header(4000, 4000, kFourColours)
                  .raw({0x2C, 0, 0, 0, 0, 0xA0, 0x0F, 0xA0, 0x0F, 0, 2, 2, 0x4C, 0x01, 0})
                  .trailer()
                  .bytes();
  EXPECT_EQ(loadError(big), "Premature end of data");
  // Many frames that each fit, together over the budget.
  GifTestWriter many;
  many.header(8192, 8192, kFourColours);
  Bytes frame = {0x2C, 0, 0, 0, 0, 0x00, 0x20, 0x00, 0x20, 0, 2};
  Bytes padding = gif_test::subBlocks(Bytes(8192, 0));
  for (int i = 0; i < 5; ++i) many.raw(frame).raw(padding);
  EXPECT_EQ(loadError(many.trailer().bytes()), "Image exceeds pixel budget");
}

TEST(GifReader, ProgressAndCopying) {
  const Bytes data = GifTestWriter()
                         .header(2, 2, kFourColours)
                         .loop(0)
                         .control(2, 3, 1)
                         .image(solid(2, 2, 1))
                         .comment("x")
                         .image({1, 1, 1, 1, {3}, {0x102030, 0x405060}})
                         .trailer()
                         .bytes();
  std::vector<std::pair<GifProgressStage, int>> steps;
  std::vector<std::string> texts;
  TGIFImage source;
  source.setOnProgress(
      [&](GifProgressStage stage, int percent, bool, const GifRect& rect, std::string_view text) {
        steps.emplace_back(stage, percent);
        texts.emplace_back(text);
        EXPECT_TRUE(rect.isEmpty());
      });
  source.loadFromMemory(data);
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_EQ(steps.front(), std::make_pair(GifProgressStage::Starting, 0));
  EXPECT_EQ(steps[1].first, GifProgressStage::Running);
  EXPECT_GT(steps[2].second, steps[1].second);
  EXPECT_EQ(steps.back(), std::make_pair(GifProgressStage::Ending, 100));
  EXPECT_EQ(texts.front(), "Loading...");

  steps.clear();
  texts.clear();
  EXPECT_THROW(source.loadFromMemory(Bytes{'G', 'I', 'F'}), GIFException);
  EXPECT_EQ(steps.back(), std::make_pair(GifProgressStage::Ending, 0));
  source.loadFromMemory(data);

  TGIFImage copy;
  copy.setOnProgress(
      [&](GifProgressStage stage, int percent, bool, const GifRect&, std::string_view text) {
        steps.emplace_back(stage, percent);
        texts.emplace_back(text);
      });
  steps.clear();
  texts.clear();
  source.setBackgroundColour(0xFF112233);
  copy.assign(source);
  EXPECT_THAT(texts, ElementsAre("Copying...", "Copying...", "Copying...", "Copying..."));
  EXPECT_EQ(steps.back(), std::make_pair(GifProgressStage::Ending, 100));
  source.clear();
  ASSERT_EQ(copy.frameCount(), 2);
  EXPECT_EQ(copy.width(), 2);
  EXPECT_EQ(copy.BackgroundColour(), 0xFF112233u);
  EXPECT_EQ(copy.loopCount(), 0);
  EXPECT_EQ(copy.frame(0).graphicControlExtension()->disposal(), 2);
  EXPECT_EQ(copy.frame(0).graphicControlExtension(), copy.frame(0).extensions()[1].get());
  EXPECT_TRUE(copy.frame(0).transparent());
  EXPECT_EQ(copy.frame(1).colorMap().count(), 2);
  EXPECT_EQ(copy.frame(1).pixels()[0], 3);
  EXPECT_EQ(copy.version(), GifVersion::GIF89a);
}

}  // namespace
}  // namespace tossbox
