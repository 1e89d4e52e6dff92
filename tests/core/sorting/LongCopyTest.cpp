// Copies over the long-copy size go through the program's runner with their progress; a small
// one does not; a long copy that fails midway leaves nothing behind and says so.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <thread>

#include "SortingFixtures.h"
#include "core/sorting/FileOperation.h"
#include "core/sorting/SortingTexts.h"

namespace tossbox {
namespace {

using testing::readFile;
using testing::writeFile;

constexpr std::size_t kHundredMiB = std::size_t{100} << 20;

// Bytes that differ from one mebibyte to the next, so a copy put together wrongly shows.
std::string patterned(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; i += 4096) bytes[i] = static_cast<char>('a' + (i >> 20) % 26);
  return bytes;
}

class LongCopy : public ::testing::Test {
 protected:
  LongCopy() {
    operation.setLongCopyRunner([this](const tossbox::LongCopy& copy) {
      ++runs;
      HiddenCopy result;
      std::thread worker([&] {
        copyThread = std::this_thread::get_id();
        result =
            copy([&](std::uint64_t done, std::uint64_t total) { steps.emplace_back(done, total); });
      });
      worker.join();
      return result;
    });
  }

  std::vector<std::string> leftovers(const std::string& dir) const {
    std::vector<std::string> found;
    for (const auto& item : std::filesystem::directory_iterator(dir))
      if (isHiddenCopyName(item.path().filename().string())) found.push_back(item.path());
    return found;
  }

  TempTree folder;
  testing::FolderTrash trash{folder.path("trash")};
  HistoryList history;
  FileOperation operation{trash, history};
  int runs = 0;
  std::thread::id copyThread;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> steps;
};

TEST_F(LongCopy, GoesThroughTheRunnerWithItsProgressAndEndsAsASmallCopy) {
  const std::string bytes = patterned(kHundredMiB);
  writeFile(folder.path("in/big.avi"), bytes);
  writeFile(folder.path("in/small.avi"), "small");
  std::filesystem::create_directories(folder.path("out"));

  ASSERT_TRUE(
      operation
          .run(ActionKind::Copy, folder.path("in/small.avi"), folder.path("out/small.avi"), false)
          .ok());
  EXPECT_EQ(runs, 0);

  const OperationResult result =
      operation.run(ActionKind::Copy, folder.path("in/big.avi"), folder.path("out/big.avi"), false);
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(runs, 1);
  EXPECT_NE(copyThread, std::this_thread::get_id());
  EXPECT_TRUE(readFile(folder.path("out/big.avi")) == bytes);
  ASSERT_GE(steps.size(), 3u);
  for (std::size_t i = 1; i < steps.size(); ++i) EXPECT_GE(steps[i].first, steps[i - 1].first);
  EXPECT_EQ(steps.back(), std::make_pair(std::uint64_t{kHundredMiB}, std::uint64_t{kHundredMiB}));
  ASSERT_EQ(history.size(), 2u);
  EXPECT_EQ(history.line(1), "\"big.avi\" を \"out/big.avi\" にコピーしました。\u3000(" +
                                 folder.path("in/big.avi") + " => " + folder.path("out/big.avi") +
                                 ")");
  EXPECT_TRUE(leftovers(folder.path("out")).empty());

  // A move across file systems copies too, and deletes its source only after.
  const std::unique_ptr<TempTree> other = testing::folderOnAnotherFileSystem(folder);
  if (!other) GTEST_SKIP() << "no second file system";
  steps.clear();
  ASSERT_TRUE(
      operation.run(ActionKind::Move, folder.path("in/big.avi"), other->path("big.avi"), false)
          .ok());
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(steps.back().first, kHundredMiB);
  EXPECT_FALSE(testing::exists(folder.path("in/big.avi")));
  EXPECT_TRUE(readFile(other->path("big.avi")) == bytes);
}

TEST_F(LongCopy, FailingMidwayLeavesNoHalfFileAndSaysTheCopyFailed) {
  writeFile(folder.path("in/big.avi"), patterned(kHundredMiB));
  std::filesystem::create_directories(folder.path("out"));
  struct rlimit saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limited = saved;
  limited.rlim_cur = std::uint64_t{40} << 20;
  ::setrlimit(RLIMIT_FSIZE, &limited);
  const OperationResult result =
      operation.run(ActionKind::Copy, folder.path("in/big.avi"), folder.path("out/big.avi"), false);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_EQ(runs, 1);
  EXPECT_EQ(result.failure, OperationFailure::FileSystem);
  EXPECT_EQ(result.statusText(), "ｺﾋﾟｰできませんでした。");
  // It did get going before the failure.
  ASSERT_FALSE(steps.empty());
  EXPECT_GT(steps.back().first, 0u);
  EXPECT_LT(steps.back().first, kHundredMiB);
  EXPECT_FALSE(testing::exists(folder.path("out/big.avi")));
  EXPECT_TRUE(leftovers(folder.path("out")).empty());
  EXPECT_TRUE(history.empty());
  EXPECT_EQ(std::filesystem::file_size(folder.path("in/big.avi")), kHundredMiB);
}

}  // namespace
}  // namespace tossbox
