#include "core/files/FileCopy.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "TempTree.h"
#include "WaitingFifo.h"
#include "core/files/RegularFile.h"

using namespace tossbox;
namespace fs = std::filesystem;

TEST(FileCopy, AHiddenCopyKeepsContentsBitsAndTimes) {
  const TempTree tree;
  const std::string source = tree.path("a b.jpg");
  std::ofstream(source, std::ios::binary) << std::string(70000, 'x');
  ASSERT_EQ(::chmod(source.c_str(), 0640), 0);
  const struct timespec times[2] = {{1'000'000, 5}, {2'000'000, 7}};
  ASSERT_EQ(::utimensat(AT_FDCWD, source.c_str(), times, 0), 0);

  const HiddenCopy copy = writeHiddenCopy(source, tree.root(), Durability::Synced);
  ASSERT_FALSE(copy.error) << copy.error.message();
  EXPECT_TRUE(isHiddenCopyName(fs::path(copy.path).filename().string()));
  const std::optional<FileBytes> copied = readRegularFile(copy.path, 1 << 20);
  ASSERT_TRUE(copied);
  EXPECT_EQ(copied->bytes.size(), 70000u);
  EXPECT_EQ(copied->info.st_mode & 07777, 0640u);
  EXPECT_EQ(copied->info.st_mtim.tv_sec, 2'000'000);
  EXPECT_EQ(copied->info.st_mtim.tv_nsec, 7);
  EXPECT_EQ(copy.identity.size, 70000u);
}

// Neither a FIFO nor a missing file is waited on or leaves a hidden file behind.
TEST(FileCopy, OnlyARegularSourceIsCopied) {
  const TempTree tree;
  fs::create_directory(tree.path("out"));
  WaitingFifo fifo(tree.path("pipe"));
  const HiddenCopy fromFifo = writeHiddenCopy(fifo.path(), tree.path("out"), Durability::Cached);
  fifo.stop();
  EXPECT_FALSE(fifo.rescued());
  EXPECT_EQ(fromFifo.error, std::make_error_code(std::errc::invalid_argument));
  const HiddenCopy fromMissing =
      writeHiddenCopy(tree.path("missing"), tree.path("out"), Durability::Cached);
  EXPECT_EQ(fromMissing.error, std::make_error_code(std::errc::no_such_file_or_directory));
  EXPECT_TRUE(fromFifo.path.empty() && fromMissing.path.empty());
  EXPECT_TRUE(fs::is_empty(tree.path("out")));
}
