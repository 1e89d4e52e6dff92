// The JPEG retry's private copy: only for files that start as a JPEG, once per file, in a
// folder of the program's own that goes with its owner.
#include "core/picture/JpegRetryCopy.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "TempTree.h"
#include "core/picture/PictureFile.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

class JpegRetryCopyTest : public testing::Test {
 protected:
  void SetUp() override {
    runtime_ = root_ / "runtime";
    fs::create_directories(runtime_);
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    if (old != nullptr) savedRuntime_ = old;
    setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
  }
  void TearDown() override {
    if (savedRuntime_)
      setenv("XDG_RUNTIME_DIR", savedRuntime_->c_str(), 1);
    else
      unsetenv("XDG_RUNTIME_DIR");
  }

  std::string write(const std::string& name, const std::string& content) const {
    const fs::path file = root_ / name;
    std::ofstream(file, std::ios::binary) << content;
    return file.string();
  }
  static RetryCandidate candidateOf(const std::string& path) {
    const auto file = readRegularFile(path, kMaxPictureFileBytes);
    return file ? retryCandidateOf(*file) : RetryCandidate{};
  }
  [[nodiscard]] std::size_t foldersMade() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(runtime_), {}));
  }

  TempTree tree_;
  const fs::path root_ = tree_.root();
  fs::path runtime_;
  std::optional<std::string> savedRuntime_;
};

}  // namespace

TEST_F(JpegRetryCopyTest, OnlyFilesThatStartAsAJpegAndOnlyOnce) {
  std::optional<std::string> first;
  {
    PrivateFolder folder;
    JpegRetryCopy retry(folder);
    const std::string bitmap = write("really a bitmap.jpg", "BM not a jpeg");
    const std::string tiny = write("tiny.jpg", "\xFF");
    EXPECT_FALSE(retry.copy(bitmap, candidateOf(bitmap)));
    EXPECT_FALSE(retry.copy(tiny, candidateOf(tiny)));
    EXPECT_EQ(foldersMade(), 0u);  // nothing was copied, so no folder either

    const std::string broken = write("broken one.jpg", "\xFF\xD8 broken");
    fs::permissions(broken, fs::perms(0644));
    first = retry.copy(broken, candidateOf(broken));
    ASSERT_TRUE(first);
    EXPECT_EQ(fs::path(*first).filename(), "ppp.jpg");
    const fs::path made = fs::path(*first).parent_path();
    EXPECT_EQ(made.parent_path(), runtime_);
    EXPECT_EQ(fs::status(made).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(*first).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(readPictureFile(*first), readPictureFile(broken));

    // The same file again: no second copy, also not when the copy has gone.
    fs::remove(*first);
    EXPECT_FALSE(retry.copy(broken, candidateOf(broken)));
    EXPECT_FALSE(fs::exists(*first));

    // Rewritten, it is another file and gets its own try, replacing the old copy's name.
    write("broken one.jpg", "\xFF\xD8 broken, and longer");
    const auto second = retry.copy(broken, candidateOf(broken));
    ASSERT_TRUE(second);
    EXPECT_EQ(*second, *first);
    EXPECT_EQ(fs::file_size(*second), 21u);
    EXPECT_EQ(foldersMade(), 1u);
  }
  // Gone with its owner, copy and all.
  EXPECT_FALSE(fs::exists(fs::path(*first).parent_path()));
  EXPECT_EQ(foldersMade(), 0u);
}

TEST_F(JpegRetryCopyTest, WithoutARuntimeFolderTheTemporaryFolderIsUsed) {
  unsetenv("XDG_RUNTIME_DIR");
  const char* old = std::getenv("TMPDIR");
  const std::optional<std::string> savedTmp = old ? std::optional<std::string>(old) : std::nullopt;
  setenv("TMPDIR", root_.c_str(), 1);
  EXPECT_EQ(PrivateFolder::baseFolder(), root_.string());
  setenv("TMPDIR", "relative", 1);
  EXPECT_EQ(PrivateFolder::baseFolder(), "/tmp");
  setenv("XDG_RUNTIME_DIR", (root_ / "missing").c_str(), 1);
  EXPECT_EQ(PrivateFolder::baseFolder(), "/tmp");
  if (savedTmp)
    setenv("TMPDIR", savedTmp->c_str(), 1);
  else
    unsetenv("TMPDIR");
}
