// Removing what killed runs left behind: only the program's own names, regular files of this
// user, never through a link.
#include "core/files/Leftovers.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempTree.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

bool ours(std::string_view name) {
  return isTemporaryName(name, ".tmp-", 4);
}

}  // namespace

TEST(Leftovers, TemporaryNamesHaveTheirExactShape) {
  EXPECT_TRUE(isTemporaryName(".tmp-aZ09", ".tmp-", 4));
  EXPECT_FALSE(isTemporaryName(".tmp-aZ0", ".tmp-", 4));
  EXPECT_FALSE(isTemporaryName(".tmp-aZ09x", ".tmp-", 4));
  EXPECT_FALSE(isTemporaryName("x.tmp-aZ09", ".tmp-", 4));
  EXPECT_FALSE(isTemporaryName(".tmp-\xE3\x81\x82X", ".tmp-", 4));
}

TEST(Leftovers, RemovesOnlyOwnRegularFilesOfOurNames) {
  const TempTree tree;
  const fs::path root = tree.root();
  const fs::path dir = root / "a folder";
  const fs::path outside = root / "outside";
  fs::create_directories(dir);
  fs::create_directories(outside);
  const auto make = [](const fs::path& file) { std::ofstream(file) << "data"; };
  make(dir / ".tmp-AAAA");
  make(dir / ".tmp-BBBB");
  make(dir / ".tmp-TOOLONG");
  make(dir / "photo.jpg");
  make(outside / ".tmp-CCCC");
  fs::create_symlink(outside / ".tmp-CCCC", dir / ".tmp-LINK");
  fs::create_symlink(outside, dir / ".tmp-DIRL");
  fs::create_directory(dir / ".tmp-DDDD");
  make(dir / ".tmp-DDDD" / "inside");
  ASSERT_EQ(::mkfifo((dir / ".tmp-FIFO").c_str(), 0600), 0);
  bool foreignMade = false;
  if (::geteuid() == 0) {
    make(dir / ".tmp-NOBO");
    foreignMade = ::chown((dir / ".tmp-NOBO").c_str(), 65534, 65534) == 0;
  }

  EXPECT_EQ(removeOwnLeftovers(dir.string(), ours), 2);
  EXPECT_FALSE(fs::exists(dir / ".tmp-AAAA"));
  EXPECT_FALSE(fs::exists(dir / ".tmp-BBBB"));
  for (const char* kept : {".tmp-TOOLONG", "photo.jpg", ".tmp-DDDD/inside"})
    EXPECT_TRUE(fs::exists(dir / kept)) << kept;
  for (const char* kept : {".tmp-LINK", ".tmp-DIRL", ".tmp-FIFO"})
    EXPECT_TRUE(fs::is_symlink(dir / kept) || fs::is_fifo(dir / kept)) << kept;
  EXPECT_TRUE(fs::exists(outside / ".tmp-CCCC"));
  if (foreignMade) EXPECT_TRUE(fs::exists(dir / ".tmp-NOBO"));

  EXPECT_EQ(removeOwnLeftovers((root / "missing").string(), ours), 0);
}
