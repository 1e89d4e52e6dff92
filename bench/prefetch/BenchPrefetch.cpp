// A flip to a 24-megapixel JPEG, a 12-megapixel BMP and a long text in the preview when it was
// read and decoded ahead, against a fresh decode of the same file in the same run; and resident
// memory while stepping through 1,000 mixed files with the prefetch on.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "../../tests/core/picture/PictureFixtures.h"
#include "core/picture/ShownFileInfo.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/PictureRenderers.h"
#include "forms/render/Prefetch.h"
#include "forms/render/RenderText.h"

namespace fs = std::filesystem;
using namespace tossbox;

namespace {

fixtures::Rgb photoLike(int x, int y) {
  const int n = (x * 2654435761u ^ y * 40503u) >> 27;
  return {static_cast<std::uint8_t>((x / 23 + n) & 0xFF),
          static_cast<std::uint8_t>((y / 17 + n) & 0xFF),
          static_cast<std::uint8_t>(((x + y) / 31) & 0xFF)};
}

fs::path benchFolder() {
  static const fs::path folder = [] {
    fs::path made =
        fs::temp_directory_path() / ("tossbox-bench-prefetch-" + std::to_string(::getpid()));
    fs::create_directories(made);
    return made;
  }();
  return folder;
}

// The preview as the main window holds it, with the prefetch behind it.
struct Preview {
  QWidget panel;
  PictureControl* control = new PictureControl(&panel);
  ShownFileInfo shown;
  TextLines lines;
  RenderServices services;
  RendererTable table;
  Prefetch prefetch;
  QImage screen{189, 150, QImage::Format_RGB32};

  Preview() {
    panel.resize(189, 150);
    services.preview = control;
    services.shown = &shown;
    services.textLines = &lines;
    services.prefetched = [this](const std::string& path) { return prefetch.ready(path); };
    installPictureRenderers(table);
    table.set(RendererId::Text, RenderText);
  }

  static RendererId rendererOf(const std::string& path) {
    if (path.ends_with(".jpg")) return RendererId::Jpeg;
    return path.ends_with(".txt") ? RendererId::Text : RendererId::Bitmap;
  }

  bool show(const std::string& path) {
    control->clearPicture();
    control->hide();
    const bool ok =
        table.call(rendererOf(path), services, RenderArgs{*control, path, 1, 140, 181, 0});
    panel.render(&screen);
    return ok;
  }

  static PrefetchRequest request(const std::string& path, bool decode = true) {
    return {.path = path,
            .renderer = rendererOf(path),
            .fast = true,
            .boxHeight = 140,
            .boxWidth = 181,
            .decode = decode};
  }
};

long residentKilobytes() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

double meanMs(int times, const std::function<void()>& before, const std::function<void()>& work) {
  qint64 total = 0;
  for (int i = 0; i < times; ++i) {
    before();
    QElapsedTimer timer;
    timer.start();
    work();
    total += timer.nsecsElapsed();
  }
  return static_cast<double>(total) / times / 1e6;
}

// Flips to `file` with and without its prefetch, and prints both.
void flip(benchmark::State& state, const char* what, const std::string& file) {
  Preview preview;
  for (auto _ : state) {
    const double fresh = meanMs(
        5, [&] { preview.prefetch.want({}); },
        [&] {
          if (!preview.show(file)) state.SkipWithError("not shown");
        });
    const double prefetched = meanMs(
        20,
        [&] {
          preview.prefetch.want({});
          preview.prefetch.want({Preview::request(file)});
          preview.prefetch.waitUntilIdle();
        },
        [&] {
          if (!preview.show(file)) state.SkipWithError("not shown");
        });
    state.counters["fresh_ms"] = fresh;
    state.counters["prefetched_ms"] = prefetched;
    state.counters["ratio"] = fresh / prefetched;
    std::printf("flip to %s: fresh %.1f ms, prefetched %.2f ms, %.0fx\n", what, fresh, prefetched,
                fresh / prefetched);
  }
}

void FlipToA24MegapixelJpeg(benchmark::State& state) {
  const std::string large = (benchFolder() / "large 6000x4000.jpg").string();
  fixtures::writeFile(large,
                      fixtures::makeJpeg(6000, 4000, fixtures::JpegKind::Baseline, photoLike, 90));
  flip(state, "a 24-megapixel JPEG", large);
}

void FlipToA12MegapixelBitmap(benchmark::State& state) {
  const std::string large = (benchFolder() / "large 4000x3000.bmp").string();
  fixtures::BmpLayout layout;
  layout.width = 4000;
  layout.height = 3000;
  layout.bits = 24;
  layout.value = [](int x, int y) {
    const fixtures::Rgb c = photoLike(x, y);
    return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
  };
  fixtures::writeFile(large, fixtures::makeBmp(layout));
  flip(state, "a 12-megapixel BMP", large);
}

void FlipToALongText(benchmark::State& state) {
  const std::string text = (benchFolder() / "long.txt").string();
  {
    std::ofstream out(text, std::ios::binary);
    for (int i = 0; i < 400'000; ++i) out << "line " << i << " of a long log, as they come\r\n";
  }
  flip(state, "a 16 MB text of 400,000 lines", text);
}

void ThousandMixedFilesWithPrefetch(benchmark::State& state) {
  std::vector<std::string> mixed;
  for (int i = 0; i < 10; ++i) {
    const std::string jpeg = (benchFolder() / ("p" + std::to_string(i) + ".jpg")).string();
    fixtures::writeFile(
        jpeg, fixtures::makeJpeg(1600 + i * 8, 1200, fixtures::JpegKind::Baseline, photoLike));
    mixed.push_back(jpeg);
    fixtures::BmpLayout layout;
    layout.width = 800 + i * 4;
    layout.height = 600;
    layout.bits = 24;
    layout.value = [](int x, int y) { return static_cast<std::uint32_t>(x * 0x10101 + y * 3); };
    const std::string bmp = (benchFolder() / ("b" + std::to_string(i) + ".bmp")).string();
    fixtures::writeFile(bmp, fixtures::makeBmp(layout));
    mixed.push_back(bmp);
    const std::string text = (benchFolder() / ("t" + std::to_string(i) + ".txt")).string();
    std::ofstream(text, std::ios::binary) << std::string(200'000 + i * 1000, 'x') << "\n";
    mixed.push_back(text);
  }
  Preview preview;
  long after100 = 0;
  long after1000 = 0;
  const auto at = [&](int i) { return mixed[static_cast<std::size_t>(i) % mixed.size()]; };
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      if (!preview.show(at(i))) state.SkipWithError("not shown");
      std::vector<PrefetchRequest> wanted{Preview::request(at(i + 1)), Preview::request(at(i))};
      if (i > 0) wanted.push_back(Preview::request(at(i - 1)));
      preview.prefetch.want(wanted);
      preview.prefetch.waitUntilIdle();
      if (i == 99) after100 = residentKilobytes();
    }
    after1000 = residentKilobytes();
  }
  state.counters["rss_after_100_kB"] = static_cast<double>(after100);
  state.counters["rss_after_1000_kB"] = static_cast<double>(after1000);
  std::printf("resident memory with prefetch: %ld kB after 100 files, %ld kB after 1,000\n",
              after100, after1000);
}

BENCHMARK(FlipToA24MegapixelJpeg)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(FlipToA12MegapixelBitmap)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(FlipToALongText)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(ThousandMixedFilesWithPrefetch)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::remove_all(benchFolder(), ignored);
  return 0;
}
