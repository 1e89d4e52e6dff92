// Every input a fuzzer once crashed on, and every seed, goes through its reader's fuzz entry
// again; an entry aborts on a broken promise, so a regression fails this test by crashing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <vector>

#include "entries/FuzzEntries.h"

namespace tossbox::fuzz {

// gtest names each reader's case by its folder rather than by its bytes.
void PrintTo(const FuzzReader& reader, std::ostream* out) {
  *out << reader.name;
}

namespace {

namespace fs = std::filesystem;

const fs::path kDataDir = fs::path(TOSSBOX_TEST_SOURCE_DIR) / "data";

std::vector<std::uint8_t> readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The files replayed; 0 for a folder that is not there.
int replayFolder(const fs::path& folder, FuzzEntry entry) {
  if (!fs::is_directory(folder)) return 0;
  int count = 0;
  for (const auto& file : fs::directory_iterator(folder)) {
    if (!file.is_regular_file()) continue;
    SCOPED_TRACE(file.path().string());
    const auto bytes = readBytes(file.path());
    EXPECT_EQ(entry(bytes.data(), bytes.size()), 0);
    ++count;
  }
  return count;
}

class RegressionReplay : public testing::TestWithParam<FuzzReader> {};

TEST_P(RegressionReplay, EveryFileOfTheReaderPassesItsEntry) {
  const FuzzReader reader = GetParam();
  const int regressions = replayFolder(kDataDir / "regressions" / reader.name, reader.entry);
  const int seeds = replayFolder(kDataDir / "seeds" / reader.name, reader.entry);
  // Each reader ships seeds, so a renamed folder cannot silently replay nothing.
  EXPECT_GT(seeds, 0) << reader.name;
  RecordProperty("regressions", regressions);
}

INSTANTIATE_TEST_SUITE_P(Readers, RegressionReplay,
                         testing::ValuesIn(fuzzReaders().begin(), fuzzReaders().end()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RegressionFolders, EachNamesAReader) {
  for (const char* kind : {"regressions", "seeds"}) {
    const fs::path root = kDataDir / kind;
    if (!fs::is_directory(root)) continue;
    for (const auto& folder : fs::directory_iterator(root)) {
      const auto name = folder.path().filename().string();
      const auto readers = fuzzReaders();
      EXPECT_TRUE(std::any_of(readers.begin(), readers.end(), [&](const FuzzReader& r) {
        return r.name == name;
      })) << folder.path();
    }
  }
}

}  // namespace
}  // namespace tossbox::fuzz
