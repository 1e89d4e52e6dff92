// Times the folder scan on a generated tree against `find TREE -type f` on the same tree, prints
// the memory the collected entries take and the time of a list rebuild after a filter change.
// Options: --files=N --folders=N (default 100000 and 1000); other options go to the benchmark
// library, which then times the rebuild in detail.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ScanTree.h"
#include "core/files/DisplayedList.h"
#include "core/files/FolderScan.h"
#include "core/files/PosixDirectoryLister.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 5;

// The same lister over std::filesystem::directory_iterator, to compare with opendir/readdir.
class FilesystemLister final : public tossbox::DirectoryLister {
 public:
  std::unique_ptr<tossbox::FolderReader> open(const std::string& path) override {
    std::error_code error;
    std::filesystem::directory_iterator it(path, error);
    struct stat status {};
    if (error || stat(path.c_str(), &status) != 0) return nullptr;
    return std::make_unique<Reader>(std::move(it),
                                    tossbox::FolderId{static_cast<std::uint64_t>(status.st_dev),
                                                      static_cast<std::uint64_t>(status.st_ino)});
  }
  bool isFolder(const std::string& path) override {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
  }

 private:
  class Reader final : public tossbox::FolderReader {
   public:
    Reader(std::filesystem::directory_iterator it, tossbox::FolderId id)
        : it_(std::move(it)), id_(id) {}
    tossbox::FolderId id() const override { return id_; }
    std::optional<tossbox::FolderItem> next() override {
      std::error_code error;
      if (started_) it_.increment(error);
      started_ = true;
      if (error || it_ == std::filesystem::directory_iterator()) return std::nullopt;
      name_ = it_->path().filename().native();
      const tossbox::ItemType type = it_->is_directory(error)      ? tossbox::ItemType::Folder
                                     : it_->is_regular_file(error) ? tossbox::ItemType::File
                                                                   : tossbox::ItemType::Other;
      return tossbox::FolderItem{name_, type};
    }

   private:
    std::filesystem::directory_iterator it_;
    tossbox::FolderId id_;
    std::string name_;
    bool started_ = false;
  };
};

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Runs `find ROOT -type f` and counts the lines it prints.
std::size_t runFind(const std::string& root) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addclose(&actions, fds[1]);
  std::string program = "find", type = "-type", file = "f", tree = root;
  char* argv[] = {program.data(), tree.data(), type.data(), file.data(), nullptr};
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, "find", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (spawned != 0) {
    close(fds[0]);
    throw std::runtime_error("cannot run find");
  }
  std::size_t lines = 0;
  char buffer[1 << 16];
  for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) > 0;) {
    lines += static_cast<std::size_t>(std::count(buffer, buffer + got, '\n'));
  }
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return lines;
}

// A scan as the window runs it: both hooks called, the list kept.
tossbox::SortList runScan(const std::string& root, tossbox::DirectoryLister& lister) {
  tossbox::SortList list;
  std::size_t pumps = 0;
  std::size_t announced = 0;
  const tossbox::ScanHooks hooks{
      .processPendingEvents = [&] { ++pumps; },
      .entryAdded = [&](std::size_t, std::string_view text) { announced += text.size(); },
  };
  tossbox::AddPath(list, root, lister, hooks);
  benchmark::DoNotOptimize(pumps);
  benchmark::DoNotOptimize(announced);
  return list;
}

// Best and median of kRounds timings of `run`, which returns the number of files it saw.
struct Timing {
  double best = 0;
  double median = 0;
  std::size_t files = 0;
};

Timing timeRounds(const std::function<std::size_t()>& run) {
  std::vector<double> times;
  Timing timing;
  for (int round = 0; round < kRounds; ++round) {
    const Clock::time_point start = Clock::now();
    timing.files = run();
    times.push_back(millisecondsSince(start));
  }
  std::sort(times.begin(), times.end());
  timing.best = times.front();
  timing.median = times[times.size() / 2];
  return timing;
}

// A field of /proc/self/status in kB ("VmHWM", "VmRSS").
long statusKilobytes(std::string_view field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with(field) && line.size() > field.size() && line[field.size()] == ':') {
      return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
    }
  }
  return -1;
}

double mebibytes(long kilobytes) {
  return static_cast<double>(kilobytes) / 1024.0;
}

tossbox::KindFlags allKinds() {
  tossbox::KindFlags flags;
  flags.fill(true);
  return flags;
}

// The filter change timed: JPEG files unchecked.
tossbox::KindFlags withoutJpeg() {
  tossbox::KindFlags flags = allKinds();
  flags[tossbox::kindIndex(tossbox::FileKind::Jpeg)] = false;
  return flags;
}

std::size_t optionValue(std::vector<char*>& args, std::string_view name, std::size_t fallback) {
  for (auto it = args.begin(); it != args.end(); ++it) {
    const std::string_view arg = *it;
    if (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=') {
      const std::size_t value = std::strtoull(arg.data() + name.size() + 1, nullptr, 10);
      args.erase(it);
      return value;
    }
  }
  return fallback;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> args(argv, argv + argc);
  const std::size_t files = optionValue(args, "--files", 100'000);
  const std::size_t folders = optionValue(args, "--folders", 1'000);

  std::printf("generating %zu files in %zu folders...\n", files, folders);
  const Clock::time_point made = Clock::now();
  const ScanTree tree(files, folders);
  std::printf("  made in %.0f ms at %s\n", millisecondsSince(made), tree.root().c_str());

  // Memory first, on a fresh heap: the peak grows by what the entries take.
  tossbox::PosixDirectoryLister posix;
  const long baseline = statusKilobytes("VmHWM");
  const tossbox::SortList list = runScan(tree.root(), posix);
  const long afterScan = statusKilobytes("VmHWM");
  const tossbox::DisplayedList sorted = tossbox::RebuildList(list, allKinds(), true);
  const long afterSort = statusKilobytes("VmHWM");
  benchmark::DoNotOptimize(sorted.entryNumbers.data());

  runFind(tree.root());  // the same warm cache for all three
  FilesystemLister filesystem;
  const Timing find = timeRounds([&] { return runFind(tree.root()); });
  const Timing scan = timeRounds([&] { return runScan(tree.root(), posix).size(); });
  const Timing fsScan = timeRounds([&] { return runScan(tree.root(), filesystem).size(); });

  const Clock::time_point filterStart = Clock::now();
  const tossbox::DisplayedList filtered = tossbox::RebuildList(list, withoutJpeg(), false);
  const double filterTime = millisecondsSince(filterStart);
  const Clock::time_point sortStart = Clock::now();
  const tossbox::DisplayedList filteredSorted = tossbox::RebuildList(list, withoutJpeg(), true);
  const double sortTime = millisecondsSince(sortStart);

  std::printf("files found: scan %zu, std::filesystem scan %zu, find %zu (made %zu)\n", scan.files,
              fsScan.files, find.files, tree.files());
  std::printf("%-36s %10s %10s\n", "best of 5 / median (ms)", "best", "median");
  std::printf("%-36s %10.1f %10.1f\n", "find TREE -type f", find.best, find.median);
  std::printf("%-36s %10.1f %10.1f\n", "ScanFolder, opendir/readdir", scan.best, scan.median);
  std::printf("%-36s %10.1f %10.1f\n", "ScanFolder, std::filesystem", fsScan.best, fsScan.median);
  std::printf("ratio scan / find: %.2f (best), %.2f (median); aim <= 3\n", scan.best / find.best,
              scan.median / find.median);
  std::printf(
      "RebuildList after a filter change (JPEG off, %zu of %zu shown): %.1f ms unsorted, "
      "%.1f ms sorted\n",
      filtered.entryNumbers.size(), list.size(), filterTime, sortTime);
  std::printf(
      "peak memory (VmHWM): %.1f MiB before the scan, +%.1f MiB for %zu entries, "
      "+%.1f MiB with the sorted rebuild\n",
      mebibytes(baseline), mebibytes(afterScan - baseline), list.size(),
      mebibytes(afterSort - baseline));
  benchmark::DoNotOptimize(filteredSorted.entryNumbers.data());

  const bool allFound =
      scan.files == tree.files() && find.files == tree.files() && fsScan.files == tree.files();
  if (!allFound) std::printf("MISMATCH: a scan did not find every generated file\n");

  benchmark::RegisterBenchmark("RebuildList/filterChange", [&](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(tossbox::RebuildList(list, withoutJpeg(), false));
  })->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("RebuildList/filterChangeSorted", [&](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(tossbox::RebuildList(list, withoutJpeg(), true));
  })->Unit(benchmark::kMillisecond);
  int benchArgc = static_cast<int>(args.size());
  benchmark::Initialize(&benchArgc, args.data());
  if (benchmark::ReportUnrecognizedArguments(benchArgc, args.data())) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return allFound ? 0 : 1;
}
