// Decoding every frame of a large animated GIF: our reader against giflib's DGifSlurp, on the
// same bytes in the same run. Prints both times and the ratio (aim: ours at most 1.0 x giflib).
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "GifTestWriter.h"
#include "core/gif/GifImage.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kWidth = 2000;
constexpr int kHeight = 2000;
constexpr int kFrames = 50;

enum class Content { Picture, Noise };

// Full-frame images: a moving pattern of bands with speckles (Picture), or 16-colour noise.
Bytes makeGif(Content content) {
  std::vector<std::uint32_t> colours(256);
  for (int i = 0; i < 256; ++i) colours[i] = static_cast<std::uint32_t>(i * 0x010203);
  tossbox::gif_test::GifTestWriter writer;
  writer.header(kWidth, kHeight, colours).loop(0);
  std::mt19937 random(42);
  for (int f = 0; f < kFrames; ++f) {
    tossbox::gif_test::GifTestImage image;
    image.width = kWidth;
    image.height = kHeight;
    image.pixels.resize(static_cast<std::size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        std::uint8_t value;
        if (content == Content::Noise) {
          value = static_cast<std::uint8_t>(random() & 15);
        } else {
          value = static_cast<std::uint8_t>(((x + f * 7) / 6 + (y / 9) * 5) & 0x7F);
          if ((random() & 31) == 0) value = static_cast<std::uint8_t>(random());
        }
        image.pixels[static_cast<std::size_t>(y) * kWidth + x] = value;
      }
    }
    writer.control(1, 5).image(image);
  }
  return writer.trailer().bytes();
}

const Bytes& gif(Content content) {
  static std::map<Content, Bytes> made;
  auto it = made.find(content);
  if (it == made.end()) it = made.emplace(content, makeGif(content)).first;
  return it->second;
}

struct MemoryReader {
  const Bytes* bytes;
  std::size_t position = 0;
};

int readMemory(GifFileType* file, GifByteType* buffer, int count) {
  auto* reader = static_cast<MemoryReader*>(file->UserData);
  const std::size_t left = reader->bytes->size() - reader->position;
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), left);
  std::memcpy(buffer, reader->bytes->data() + reader->position, n);
  reader->position += n;
  return static_cast<int>(n);
}

void ours(benchmark::State& state, Content content) {
  const Bytes& bytes = gif(content);
  for (auto _ : state) {
    tossbox::TGIFImage image;
    image.loadFromMemory(bytes);
    if (image.frameCount() != kFrames) throw std::runtime_error("ours: wrong frame count");
    benchmark::DoNotOptimize(image.frame(kFrames - 1).pixels().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kWidth * kHeight *
                          kFrames);
}

void giflib(benchmark::State& state, Content content) {
  const Bytes& bytes = gif(content);
  for (auto _ : state) {
    MemoryReader reader{&bytes};
    int error = 0;
    GifFileType* file = DGifOpen(&reader, readMemory, &error);
    if (file == nullptr || DGifSlurp(file) != GIF_OK || file->ImageCount != kFrames) {
      throw std::runtime_error("giflib: could not decode");
    }
    benchmark::DoNotOptimize(file->SavedImages[kFrames - 1].RasterBits);
    DGifCloseFile(file, &error);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kWidth * kHeight *
                          kFrames);
}

// Keeps each run's time so the ratio can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      seconds_[run.run_name.function_name] = run.GetAdjustedRealTime() / 1e3;
    ConsoleReporter::ReportRuns(runs);
  }
  void printRatios() const {
    for (const char* content : {"picture", "noise"}) {
      const auto o = seconds_.find(std::string("ours/") + content);
      const auto g = seconds_.find(std::string("giflib/") + content);
      if (o == seconds_.end() || g == seconds_.end()) continue;
      std::printf("%s (%d x %d, %d frames, %zu bytes): ours %.3f s, giflib %.3f s, ratio %.2f x\n",
                  content, kWidth, kHeight, kFrames,
                  gif(std::string(content) == "noise" ? Content::Noise : Content::Picture).size(),
                  o->second, g->second, o->second / g->second);
    }
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("ours/picture", ours, Content::Picture)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(2.0);
  benchmark::RegisterBenchmark("giflib/picture", giflib, Content::Picture)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(2.0);
  benchmark::RegisterBenchmark("ours/noise", ours, Content::Noise)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(2.0);
  benchmark::RegisterBenchmark("giflib/noise", giflib, Content::Noise)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(2.0);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatios();
  benchmark::Shutdown();
  return 0;
}
