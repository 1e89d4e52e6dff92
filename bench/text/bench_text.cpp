// A 200 MB text file into the preview against `wc -l` on the same file, and the
// memory the preview takes above what the process held before. The file is
// read whole once per preview; only 15 lines are drawn.
// The file goes to $TOSSBOX_BENCH_DIR, else the temporary folder.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "core/picture/ShownFileInfo.h"
#include "core/text/TextLines.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/RenderText.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace tossbox;

namespace {

constexpr std::int64_t kFileBytes = std::int64_t{200} << 20;

// Lines of 10 to 130 bytes, mostly plain, every seventh with Japanese in UTF-8.
const std::string& textFile() {
  static const std::string path = [] {
    const char* base = std::getenv("TOSSBOX_BENCH_DIR");
    const fs::path folder = fs::path(base ? base : fs::temp_directory_path().c_str()) /
                            ("tossbox-bench-text-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string file = (folder / "large text.txt").string();
    std::ofstream out(file, std::ios::binary);
    std::string block;
    std::uint32_t seed = 12345;
    std::int64_t written = 0;
    while (written < kFileBytes) {
      block.clear();
      for (int n = 0; n < 10000; ++n) {
        seed = seed * 1664525u + 1013904223u;
        const std::size_t length = 10 + (seed >> 8) % 120;
        std::string line = (n % 7 == 0) ? "設定ﾌｧｲﾙ " : "";
        while (line.size() < length) line += "the quick brown fox ";
        line.resize(length);
        block += line;
        block += (n % 3 == 0) ? "\r\n" : "\n";
      }
      out.write(block.data(), static_cast<std::streamsize>(block.size()));
      written += static_cast<std::int64_t>(block.size());
    }
    return file;
  }();
  return path;
}

long peakKilobytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

long startPeak = 0;
long previewPeak = 0;

void PreviewOfLargeText(benchmark::State& state) {
  QWidget panel;
  panel.resize(189, 150);
  auto* control = new PictureControl(&panel);
  ShownFileInfo shown;
  TextLines lines;
  RenderServices services;
  services.preview = control;
  services.shown = &shown;
  services.textLines = &lines;
  for (auto _ : state) {
    control->clearPicture();
    if (!RenderText(services, RenderArgs{*control, textFile(), 1, 140, 181, 0}))
      state.SkipWithError("not shown");
  }
  previewPeak = peakKilobytes();
  state.counters["lines"] = static_cast<double>(lines.lineCount());
  state.counters["kept"] = static_cast<double>(lines.size());
  state.SetBytesProcessed(state.iterations() * fs::file_size(textFile()));
}

void WcLines(benchmark::State& state) {
  const std::string& path = textFile();
  for (auto _ : state) {
    std::vector<char*> argv = {const_cast<char*>("wc"), const_cast<char*>("-l"),
                               const_cast<char*>(path.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    int status = 0;
    const bool ran = ::posix_spawnp(&child, "wc", &actions, nullptr, argv.data(), environ) == 0 &&
                     ::waitpid(child, &status, 0) == child && status == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!ran) {
      state.SkipWithError("wc failed");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * fs::file_size(path));
}

BENCHMARK(WcLines)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(PreviewOfLargeText)->Unit(benchmark::kMillisecond)->MinTime(2.0);

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const double wc = times_["WcLines/min_time:2.000"];
    if (wc > 0)
      std::printf("text preview / wc -l: %.3f (aim <= 2)\n",
                  times_["PreviewOfLargeText/min_time:2.000"] / wc);
    const double file = static_cast<double>(fs::file_size(textFile())) / 1024.0;
    std::printf("peak memory above the start: %ld kB for a file of %.0f kB: %.3f x (aim <= 1.5)\n",
                previewPeak - startPeak, file, (previewPeak - startPeak) / file);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  textFile();
  startPeak = peakKilobytes();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(fs::path(textFile()).parent_path(), ec);
  return 0;
}
