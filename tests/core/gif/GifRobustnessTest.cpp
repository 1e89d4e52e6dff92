// Feeds the reader cut-off and damaged files: every one must load or fail with GIFException,
// and whatever loads must paint. Run under AddressSanitizer to catch what does not crash here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "ConformanceSuite.h"
#include "GifTestClock.h"
#include "GifTestWriter.h"
#include "core/gif/GifException.h"
#include "core/gif/GifImage.h"

namespace tossbox {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct Outcomes {
  int loaded = 0;
  int failed = 0;
};

void feed(const Bytes& bytes, Outcomes& outcomes) {
  TGIFImage image(PaintFlag::pfAnimate | PaintFlag::pfTransparent | PaintFlag::pfLoop);
  try {
    image.loadFromMemory(bytes);
  } catch (const GIFException&) {
    ++outcomes.failed;
    ASSERT_TRUE(image.empty());
    return;
  }
  ++outcomes.loaded;
  for (int i = 0; i < image.frameCount(); ++i) {
    const auto& frame = image.frame(i);
    ASSERT_EQ(frame.pixels().size(),
              frame.empty() ? 0u : std::size_t(frame.width()) * frame.height());
  }
  (void)image.version();
  (void)image.colorResolution();
  // Paint what a picture control of moderate size would show.
  const int width = std::min(image.width(), 64);
  const int height = std::min(image.height(), 64);
  if (image.empty() || width == 0 || height == 0) return;
  image.setClock(std::make_shared<gif_test::FakeClock>());
  GifBitmap target(width, height);
  GifBitmapCanvas canvas(target);
  (void)image.StartPaint(canvas, {0, 0, width, height}, image.paintFlags());
  if (std::uint64_t(image.width()) * image.height() <= (1u << 20)) (void)image.CompositeBitmap();
}

std::vector<Bytes> seeds() {
  using gif_test::GifTestImage;
  std::vector<Bytes> result;
  GifTestImage noise;
  noise.width = 40;
  noise.height = 30;
  std::mt19937 random(11);
  for (int i = 0; i < 1200; ++i) noise.pixels.push_back(static_cast<std::uint8_t>(random() % 16));
  GifTestImage interlaced = noise;
  interlaced.interlaced = true;
  interlaced.localColours.assign(16, 0x336699);
  std::vector<std::uint32_t> colours(16, 0x808080);
  result.push_back(gif_test::GifTestWriter()
                       .header(40, 30, colours)
                       .loop(2)
                       .control(2, 3, 5)
                       .image(noise)
                       .comment("between")
                       .control(3, 0)
                       .image(interlaced)
                       .trailer()
                       .bytes());
  const fs::path suite = conformanceSuite("gif-suite");
  for (const char* name : {"animation.gif", "dispose-restore-previous.gif", "interlace.gif",
                           "4095-codes-clear.gif", "plain-text.gif", "xmp-data.gif"}) {
    if (!optionalSuiteFile(suite / name)) continue;
    std::ifstream in(suite / name, std::ios::binary);
    if (in)
      result.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return result;
}

TEST(GifRobustness, EveryPrefixAndThousandsOfMutations) {
  const auto files = seeds();
  Outcomes outcomes;
  for (const Bytes& file : files) {
    for (std::size_t length = 0; length <= file.size(); ++length) {
      feed(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length)), outcomes);
    }
  }
  std::mt19937 random(2024);
  constexpr int kMutations = 4000;
  for (int i = 0; i < kMutations; ++i) {
    Bytes file = files[static_cast<std::size_t>(i) % files.size()];
    const int edits = 1 + static_cast<int>(random() % 6);
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = random() % file.size();
      switch (random() % 4) {
        case 0:
          file[at] = static_cast<std::uint8_t>(random());
          break;
        case 1:
          file[at] ^= static_cast<std::uint8_t>(1u << (random() % 8));
          break;
        case 2:
          file.insert(file.begin() + static_cast<std::ptrdiff_t>(at),
                      static_cast<std::uint8_t>(random()));
          break;
        default:
          // A field at its extreme: widths, heights, sizes and counts.
          file[at] = (random() % 2) ? 0xFF : 0x00;
          break;
      }
    }
    feed(file, outcomes);
  }
  EXPECT_GT(outcomes.loaded, 1000);
  EXPECT_GT(outcomes.failed, 1000);
  std::cout << "  " << files.size() << " seed files: " << outcomes.loaded << " loaded, "
            << outcomes.failed << " failed cleanly\n";
}

}  // namespace
}  // namespace tossbox
