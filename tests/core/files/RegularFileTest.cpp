// Reading a file the user named: only regular files, never a wait on a FIFO or device.
#include "core/files/RegularFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "TempTree.h"
#include "WaitingFifo.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

class RegularFileTest : public testing::Test {
 protected:
  [[nodiscard]] std::string path(const std::string& name) const { return tree_.path(name); }
  TempTree tree_;
};

}  // namespace

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

  EXPECT_FALSE(readRegularFile(tree_.root(), 1 << 20, failure));
  EXPECT_EQ(failure.problem, FileProblem::NotRegular);
  EXPECT_FALSE(readRegularFile("/dev/zero", 1 << 20, failure));
  EXPECT_EQ(failure.problem, FileProblem::NotRegular);
}
