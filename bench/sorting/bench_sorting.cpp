// Copying a 1 GiB file through FileOperation against cp on the same file, moving files of 1 MiB
// and 1 GiB within one file system (a rename, so its time must not grow with the size), and
// sorting 1,000 small files.
// Files go to $TOSSBOX_BENCH_DIR, else the temporary folder; about 2 GiB must be free.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/sorting/FileOperation.h"
#include "core/sorting/SortPaths.h"
#include "core/sorting/SortToFolder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace tossbox;

constexpr std::int64_t kMiB = 1 << 20;
constexpr std::int64_t kGiB = std::int64_t{1} << 30;

// Nothing stands at the targets here, so nothing is ever trashed.
class NoTrash final : public Trash {
 public:
  std::optional<std::string> moveToTrash(const std::string&) override { return std::nullopt; }
  bool restoreFromTrash(const std::string&, const std::string&) override { return false; }
};

class BenchFolder {
 public:
  BenchFolder() {
    const char* base = std::getenv("TOSSBOX_BENCH_DIR");
    std::string pattern =
        std::string(base ? base : fs::temp_directory_path().c_str()) + "/tossbox-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
  }
  ~BenchFolder() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  [[nodiscard]] std::string path(const std::string& name) const { return root_ + "/" + name; }

  // A file of real (not sparse) data, made once per size.
  const std::string& file(std::int64_t size) {
    auto found = files_.find(size);
    if (found != files_.end()) return found->second;
    const std::string name = path("source-" + std::to_string(size));
    std::vector<char> block(8 * kMiB);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 131 + 7);
    std::ofstream out(name, std::ios::binary);
    for (std::int64_t done = 0; done < size; done += static_cast<std::int64_t>(block.size())) {
      out.write(block.data(),
                static_cast<std::streamsize>(std::min<std::int64_t>(size - done, block.size())));
    }
    return files_.emplace(size, name).first->second;
  }

 private:
  std::string root_;
  std::map<std::int64_t, std::string> files_;
};

void copyFileOperation(benchmark::State& state, BenchFolder& folder) {
  const std::string& source = folder.file(state.range(0));
  const std::string target = folder.path("copy-tossbox");
  NoTrash trash;
  HistoryList history;
  FileOperation operation(trash, history);
  for (auto _ : state) {
    if (!operation.run(ActionKind::Copy, source, target, false).ok()) {
      state.SkipWithError("copy failed");
      break;
    }
    state.PauseTiming();
    fs::remove(target);
    history.clear();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void copyCp(benchmark::State& state, BenchFolder& folder) {
  const std::string& source = folder.file(state.range(0));
  const std::string target = folder.path("copy-cp");
  for (auto _ : state) {
    std::vector<char*> argv = {const_cast<char*>("cp"), const_cast<char*>(source.c_str()),
                               const_cast<char*>(target.c_str()), nullptr};
    pid_t child = 0;
    int status = 0;
    if (::posix_spawnp(&child, "cp", nullptr, nullptr, argv.data(), environ) != 0 ||
        ::waitpid(child, &status, 0) != child || status != 0) {
      state.SkipWithError("cp failed");
      break;
    }
    state.PauseTiming();
    fs::remove(target);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void moveFileOperation(benchmark::State& state, BenchFolder& folder) {
  const std::string& source = folder.file(state.range(0));
  const std::string target = folder.path("moved");
  NoTrash trash;
  HistoryList history;
  FileOperation operation(trash, history);
  for (auto _ : state) {
    if (!operation.run(ActionKind::Move, source, target, false).ok()) {
      state.SkipWithError("move failed");
      break;
    }
    state.PauseTiming();
    fs::rename(target, source);
    history.clear();
    state.ResumeTiming();
  }
}

// 1,000 small files sorted one after another through a folder button's rules, without the
// window's 100 ms press: the core's share of sorting a folder.
void sortSmallFiles(benchmark::State& state, BenchFolder& folder) {
  constexpr int kFiles = 1000;
  const std::string in = folder.path("small-in");
  fs::create_directories(in);
  const std::string content(4096, 's');
  for (int i = 0; i < kFiles; ++i) std::ofstream(in + "/" + std::to_string(i) + ".jpg") << content;
  NoTrash trash;
  HistoryList history;
  FileOperation operation(trash, history);
  FolderTarget button;
  button.FolderPath = folder.path("small-out");
  button.SameNamePolicy = 1;
  for (auto _ : state) {
    for (int i = 0; i < kFiles; ++i) {
      const std::string file = in + "/" + std::to_string(i) + ".jpg";
      if (!SortToFolder(operation, button, file, buttonTargetPath(button.FolderPath, file))
               .advance()) {
        state.SkipWithError("sort failed");
        return;
      }
    }
    state.PauseTiming();
    fs::remove_all(button.FolderPath);
    history.clear();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kFiles);
}

// Prints the copy ratio and the move times side by side after the usual table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  using ConsoleReporter::ConsoleReporter;
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) seconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto time = [&](const std::string& name) {
      return seconds_.count(name) ? seconds_[name] : 0.0;
    };
    const double ours = time("BM_CopyFileOperation/1073741824/iterations:5/real_time");
    const double cp = time("BM_CopyCp/1073741824/iterations:5/real_time");
    if (ours > 0 && cp > 0) {
      std::printf("copy 1 GiB: FileOperation %.1f ms, cp %.1f ms, ratio %.3f (aim <= 1.1)\n", ours,
                  cp, ours / cp);
    }
    const double small = time("BM_MoveFileOperation/1048576/iterations:1000/real_time");
    const double large = time("BM_MoveFileOperation/1073741824/iterations:1000/real_time");
    if (small > 0 && large > 0) {
      std::printf("move: 1 MiB %.1f us, 1 GiB %.1f us, ratio %.2f\n", small, large, large / small);
    }
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  BenchFolder folder;
  benchmark::RegisterBenchmark("BM_CopyFileOperation", copyFileOperation, std::ref(folder))
      ->Arg(kGiB)
      ->Iterations(5)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("BM_CopyCp", copyCp, std::ref(folder))
      ->Arg(kGiB)
      ->Iterations(5)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("BM_MoveFileOperation", moveFileOperation, std::ref(folder))
      ->Arg(kMiB)
      ->Arg(kGiB)
      ->Iterations(1000)
      ->Unit(benchmark::kMicrosecond)
      ->UseRealTime();
  RatioReporter reporter(::isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                                 : benchmark::ConsoleReporter::OO_None);
  benchmark::RegisterBenchmark("BM_SortSmallFiles", sortSmallFiles, std::ref(folder))
      ->Iterations(5)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
