// Reading a file the user named: only regular files, never a wait on a FIFO or device.
#include "core/files/RegularFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "../../support/WaitingFifo.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

class RegularFileTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tossbox-regular-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }
  [[nodiscard]] std::string path(const std::string& name) const { return (dir_ / name).string(); }
  void write(const std::string& name, const std::string& content) const {
    std::ofstream(path(name), std::ios::binary) << content;
  }
  fs::path dir_;
};

}  // namespace

TEST_F(RegularFileTest, ReadsRegularFilesWholeWithinTheLimit) {
  write("a b.bin", std::string(5000, 'x'));
  FileFailure failure;
  const auto whole = readRegularFile(path("a b.bin"), 5000, failure);
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->bytes.size(), 5000u);
  EXPECT_EQ(whole->info.st_size, 5000);
  EXPECT_EQ(failure.problem, FileProblem::None);

  EXPECT_FALSE(readRegularFile(path("a b.bin"), 4999, failure));
  EXPECT_EQ(failure.problem, FileProblem::TooLarge);

  write("empty", "");
  const auto empty = readRegularFile(path("empty"), 0, failure);
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->bytes.empty());

  EXPECT_FALSE(readRegularFile(path("missing"), 100, failure));
  EXPECT_EQ(failure.problem, FileProblem::Missing);
  EXPECT_EQ(failure.error, std::errc::no_such_file_or_directory);
}

// A file whose directory entry says nothing of its size (as in /proc) is read to its end,
// and still refused past the limit.
TEST_F(RegularFileTest, FilesWithoutASizeAreReadToTheirEnd) {
  FileFailure failure;
  const auto status = readRegularFile("/proc/self/status", 1 << 20, failure);
  ASSERT_TRUE(status);
  EXPECT_GT(status->bytes.size(), 0u);
  EXPECT_EQ(status->info.st_size, 0);
  EXPECT_FALSE(readRegularFile("/proc/self/status", 8, failure));
  EXPECT_EQ(failure.problem, FileProblem::TooLarge);
}

TEST_F(RegularFileTest, FifosFoldersAndDevicesAreRefusedAtOnce) {
  WaitingFifo fifo(path("pipe.jpg"));
  FileFailure failure;
  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(readRegularFile(fifo.path(), 1 << 20, failure));
  EXPECT_EQ(failure.problem, FileProblem::NotRegular);
  EXPECT_FALSE(openRegularFile(fifo.path(), failure));
  EXPECT_EQ(failure.problem, FileProblem::NotRegular);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
  fifo.stop();
  EXPECT_FALSE(fifo.rescued());

  EXPECT_FALSE(readRegularFile(dir_.string(), 1 << 20, failure));
  EXPECT_EQ(failure.problem, FileProblem::NotRegular);
  EXPECT_FALSE(readRegularFile("/dev/zero", 1 << 20, failure));
  EXPECT_EQ(failure.problem, FileProblem::NotRegular);
}
