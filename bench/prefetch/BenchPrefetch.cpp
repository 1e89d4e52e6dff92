// A flip to a 24-megapixel JPEG in the preview when it was read and decoded ahead, against a
// fresh decode of the same file in the same run; and resident memory while stepping through
// 1,000 mixed files with the prefetch on.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <cstdio>
#include <filesystem>

#include "../../tests/core/picture/PictureFixtures.h"
#include "core/picture/ShownFileInfo.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/JpegPrefetch.h"
#include "forms/render/PictureRenderers.h"

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
  RenderServices services;
  RendererTable table;
  JpegPrefetch prefetch;
  QImage screen{189, 150, QImage::Format_RGB32};

  Preview() {
    panel.resize(189, 150);
    services.preview = control;
    services.shown = &shown;
    services.prefetchedJpeg = [this](const std::string& path) { return prefetch.ready(path); };
    installPictureRenderers(table);
  }

  bool show(const std::string& path) {
    control->clearPicture();
    control->hide();
    const RendererId id = path.ends_with(".jpg") ? RendererId::Jpeg : RendererId::Bitmap;
    const bool ok = table.call(id, services, RenderArgs{*control, path, 1, 140, 181, 0});
    panel.render(&screen);
    return ok;
  }

  static PrefetchRequest request(const std::string& path, bool decode = true) {
    return {.path = path, .fast = true, .boxHeight = 140, .boxWidth = 181, .decode = decode};
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

void FlipToA24MegapixelJpeg(benchmark::State& state) {
  const std::string large = (benchFolder() / "large 6000x4000.jpg").string();
  fixtures::writeFile(large,
                      fixtures::makeJpeg(6000, 4000, fixtures::JpegKind::Baseline, photoLike, 90));
  Preview preview;
  for (auto _ : state) {
    const double fresh = meanMs(
        5, [&] { preview.prefetch.want({}); },
        [&] {
          if (!preview.show(large)) state.SkipWithError("not shown");
        });
    const double prefetched = meanMs(
        20,
        [&] {
          preview.prefetch.want({});
          preview.prefetch.want({Preview::request(large)});
          preview.prefetch.waitUntilIdle();
        },
        [&] {
          if (!preview.show(large)) state.SkipWithError("not shown");
        });
    state.counters["fresh_ms"] = fresh;
    state.counters["prefetched_ms"] = prefetched;
    state.counters["ratio"] = fresh / prefetched;
    std::printf("flip to a 24-megapixel JPEG: fresh %.1f ms, prefetched %.2f ms, %.0fx\n", fresh,
                prefetched, fresh / prefetched);
  }
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
      std::erase_if(wanted, [](const PrefetchRequest& r) { return !r.path.ends_with(".jpg"); });
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
