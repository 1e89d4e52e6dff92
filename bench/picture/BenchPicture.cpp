// The preview's cost for a 24-megapixel JPEG against the bare decode it
// needs, and memory over a long run of pictures.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "../../tests/core/picture/PictureFixtures.h"
#include "core/picture/PictureFile.h"
#include "core/picture/ShownFileInfo.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/PictureRenderers.h"
#include "platform/picture/JpegImageDecoder.h"

namespace fs = std::filesystem;
using namespace tossbox;

namespace {

struct Files {
  fs::path folder;
  std::string large;
  std::vector<std::uint8_t> largeBytes;
  std::vector<std::string> mixed;
};

fixtures::Rgb photoLike(int x, int y) {
  // Smooth shapes with some texture, so the file compresses like a photo.
  const int n = (x * 2654435761u ^ y * 40503u) >> 27;
  return {static_cast<std::uint8_t>((x / 23 + n) & 0xFF),
          static_cast<std::uint8_t>((y / 17 + n) & 0xFF),
          static_cast<std::uint8_t>(((x + y) / 31) & 0xFF)};
}

Files& files() {
  static Files f = [] {
    Files made;
    made.folder =
        fs::temp_directory_path() / ("tossbox-bench-picture-" + std::to_string(::getpid()));
    fs::create_directories(made.folder);
    made.large = (made.folder / "large 6000x4000.jpg").string();
    made.largeBytes = fixtures::makeJpeg(6000, 4000, fixtures::JpegKind::Baseline, photoLike, 90);
    std::printf("24-megapixel baseline JPEG: %zu bytes\n", made.largeBytes.size());
    fixtures::writeFile(made.large, made.largeBytes);
    for (int i = 0; i < 10; ++i) {
      const std::string jpeg = (made.folder / ("p" + std::to_string(i) + ".jpg")).string();
      fixtures::writeFile(
          jpeg, fixtures::makeJpeg(1600 + i * 8, 1200, fixtures::JpegKind::Baseline, photoLike));
      made.mixed.push_back(jpeg);
      fixtures::BmpLayout layout;
      layout.width = 800 + i * 4;
      layout.height = 600;
      layout.bits = 24;
      layout.value = [](int x, int y) { return static_cast<std::uint32_t>(x * 0x10101 + y * 3); };
      const std::string bmp = (made.folder / ("b" + std::to_string(i) + ".bmp")).string();
      fixtures::writeFile(bmp, fixtures::makeBmp(layout));
      made.mixed.push_back(bmp);
    }
    return made;
  }();
  return f;
}

// An offscreen preview as the main window holds it: a 140 x 181 panel.
struct Preview {
  QWidget panel;
  PictureControl* control = new PictureControl(&panel);
  ShownFileInfo shown;
  RenderServices services;
  RendererTable table;
  QImage screen{189, 150, QImage::Format_RGB32};

  Preview() {
    panel.resize(189, 150);
    services.preview = control;
    services.shown = &shown;
    installPictureRenderers(table);
  }

  // DisplayFile's part for a JPEG and the first paint of the result.
  bool show(const std::string& path, RendererId id) {
    control->clearPicture();
    control->hide();
    const bool ok = table.call(id, services, RenderArgs{*control, path, 1, 140, 181, 0});
    panel.render(&screen);
    return ok;
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

void PreviewOf24MegapixelJpeg(benchmark::State& state) {
  Preview preview;
  const std::string& path = files().large;
  for (auto _ : state) {
    if (!preview.show(path, RendererId::Jpeg)) state.SkipWithError("not shown");
  }
  state.counters["picture_w"] = preview.control->picture().width();
  state.counters["control_w"] = preview.control->width();
}

// The first aim: the same path at half scale, before the smaller scales.
void PreviewAtHalfScale(benchmark::State& state) {
  Preview preview;
  const std::string& path = files().large;
  for (auto _ : state) {
    const auto bytes = readPictureFile(path);
    JpegDecodeOptions options;
    options.scaleDenominator = 2;
    options.dct = JpegDct::Fast;
    const DecodedJpeg decoded = decodeJpegImage(*bytes, options);
    preview.control->setPicture(Picture(decoded.image));
    preview.control->applyFit(135, 181, 7, 4);
    preview.control->show();
    preview.panel.render(&preview.screen);
  }
}

// libjpeg alone, from memory, RGB out at 1/denominator with the fast DCT and
// the library's other defaults.
void bareDecode(benchmark::State& state, unsigned int denominator) {
  const auto& bytes = files().largeBytes;
  std::vector<std::uint8_t> rgb;
  for (auto _ : state) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = denominator;
    cinfo.dct_method = JDCT_IFAST;
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = std::size_t{cinfo.output_width} * cinfo.output_components;
    rgb.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = rgb.data() + stride * cinfo.output_scanline;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    benchmark::DoNotOptimize(rgb.data());
  }
}

void BareHalfScaleDecode(benchmark::State& state) {
  bareDecode(state, 2);
}

// What no choice of scale gets below: every coefficient is still Huffman
// decoded at 1/8.
void BareEighthScaleDecode(benchmark::State& state) {
  bareDecode(state, 8);
}

void ThousandFilesOneAfterAnother(benchmark::State& state) {
  Preview preview;
  const auto& mixed = files().mixed;
  long afterFirst = 0;
  long atEnd = 0;
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      const std::string& path = mixed[static_cast<std::size_t>(i) % mixed.size()];
      const RendererId id = path.ends_with(".jpg") ? RendererId::Jpeg : RendererId::Bitmap;
      if (!preview.show(path, id)) state.SkipWithError("not shown");
      if (i == 99) afterFirst = residentKilobytes();
    }
    atEnd = residentKilobytes();
  }
  state.counters["rss_after_100_kB"] = static_cast<double>(afterFirst);
  state.counters["rss_after_1000_kB"] = static_cast<double>(atEnd);
  state.counters["growth_kB"] = static_cast<double>(atEnd - afterFirst);
}

BENCHMARK(PreviewOf24MegapixelJpeg)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(PreviewAtHalfScale)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BareHalfScaleDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BareEighthScaleDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(ThousandFilesOneAfterAnother)->Unit(benchmark::kMillisecond)->Iterations(1);

// Keeps the mean time of each run so the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const double bare = times_["BareHalfScaleDecode/min_time:2.000"];
    if (bare <= 0) return;
    std::printf("half-scale preview / bare half-scale decode: %.3f (first aim <= 1.15)\n",
                times_["PreviewAtHalfScale/min_time:2.000"] / bare);
    std::printf("preview / bare half-scale decode:            %.3f (aim <= 0.4)\n",
                times_["PreviewOf24MegapixelJpeg/min_time:2.000"] / bare);
    std::printf("bare 1/8 decode / bare half-scale decode:    %.3f (the floor of any scale)\n",
                times_["BareEighthScaleDecode/min_time:2.000"] / bare);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(files().folder, ec);
  return 0;
}
