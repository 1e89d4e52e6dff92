#include "core/text/TextLines.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "TempTree.h"

namespace tossbox {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> kept(const TextLines& lines) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < lines.size(); ++i) out.emplace_back(lines[i]);
  return out;
}

TextLines split(std::string_view bytes) {
  TextLineSplitter splitter;
  splitter.feed(bytes);
  return splitter.finish();
}

// The same bytes fed one at a time, so every break and character straddles two pieces.
TextLines splitByteByByte(std::string_view bytes) {
  TextLineSplitter splitter;
  for (char c : bytes) splitter.feed(std::string_view(&c, 1));
  return splitter.finish();
}

using Lines = std::vector<std::string>;

TEST(TextLines, SplitsAtCrLfAndCrLfAlike) {
  struct Case {
    std::string bytes;
    Lines lines;
  };
  const std::vector<Case> cases = {
      {"", {}},
      {"one", {"one"}},
      {"one\n", {"one"}},
      {"one\r\ntwo\rthree\nfour", {"one", "two", "three", "four"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR is two breaks
      {"a\r\r\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"\n\n", {"", ""}},
      {"tab\there\n", {"tab\there"}},  // other control bytes stay in the line
  };
  for (const Case& c : cases) {
    for (const TextLines& lines : {split(c.bytes), splitByteByByte(c.bytes)}) {
      EXPECT_EQ(kept(lines), c.lines) << testing::PrintToString(c.bytes);
      EXPECT_EQ(lines.lineCount(), c.lines.size());
    }
  }
  EXPECT_EQ(split("ab\r\ncde\rf").byteCount(), 6u);
}

TEST(TextLines, ReadingStopsAtTheFirstZeroByte) {
  const std::string document = std::string("WordDoc\r\nhead\0\0binary\nmore", 27);
  for (const TextLines& lines : {split(document), splitByteByByte(document)}) {
    EXPECT_EQ(kept(lines), (Lines{"WordDoc", "head"}));
    EXPECT_EQ(lines.byteCount(), 11u);
  }
  EXPECT_EQ(split(std::string("\0abc", 4)).lineCount(), 0u);
  EXPECT_EQ(kept(split(std::string("x\n\0y", 4))), (Lines{"x"}));
  // A zero byte ends the UTF-8 check too: what follows it never counts.
  EXPECT_TRUE(split(std::string("ok\0\xff", 4)).utf8());
}

TEST(TextLines, TellsUtf8FromCp932AcrossPieces) {
  const std::string utf8 = "設定\nﾌｧｲﾙ é 😀\n";
  EXPECT_TRUE(split(utf8).utf8());
  EXPECT_TRUE(splitByteByByte(utf8).utf8());
  EXPECT_EQ(split(utf8).byteCount(), utf8.size() - 2);
  // 設定 in CP932, then half-width ﾌｧｲﾙ.
  EXPECT_FALSE(split("\x90\xdd\x92\xe8\n\xcc\xa7\xb2\xd9").utf8());
  EXPECT_FALSE(split("\xc0\xaf").utf8());          // overlong
  EXPECT_FALSE(split("\xed\xa0\x80").utf8());      // surrogate
  EXPECT_FALSE(split("\xf4\x90\x80\x80").utf8());  // above U+10FFFF
  EXPECT_FALSE(split("cut \xe8\xa8").utf8());      // ends inside a character
  EXPECT_FALSE(splitByteByByte("cut \xe8\xa8").utf8());
  EXPECT_TRUE(split("").utf8());
}

TEST(TextLines, KeepsOnlyTheBoundButCountsEverything) {
  std::string many;
  const std::size_t total = TextLines::kMaxKeptLines + 5;
  for (std::size_t i = 0; i < total; ++i) many += "ab\n";
  const TextLines lines = split(many);
  EXPECT_EQ(lines.size(), TextLines::kMaxKeptLines);
  EXPECT_EQ(lines.lineCount(), total);
  EXPECT_EQ(lines.byteCount(), 2 * total);

  // One line longer than the byte bound is kept as far as the bound goes.
  std::string huge(TextLines::kMaxKeptBytes + 10, 'x');
  huge += "\nnext\n";
  TextLineSplitter splitter;
  for (std::size_t at = 0; at < huge.size(); at += 1000)
    splitter.feed(std::string_view(huge).substr(at, 1000));
  const TextLines cut = splitter.finish();
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0].size(), TextLines::kMaxKeptBytes);
  EXPECT_EQ(cut.lineCount(), 2u);
  EXPECT_EQ(cut.byteCount(), TextLines::kMaxKeptBytes + 14);
}

// Past the lines kept the counting takes another road; it must reach the same counts as
// splitting the same bytes into kept lines, wherever breaks, pairs and pieces fall.
TEST(TextLines, CountsPastTheBoundAsWhenKept) {
  // The line after the last one kept ends the keeping; the tail is all counted.
  const std::string keptPrefix(TextLines::kMaxKeptLines + 1, '\n');
  const std::vector<std::string> alphabet = {"a",    "bc",       "\r",          "\n",
                                             "\r\n", "\xc3\xa9", "\xe8\xa8\xad"};
  std::uint32_t seed = 7;
  const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  std::vector<std::string> tails = {
      std::string(63, 'a') + "\n",  // a break as the last byte of a block, then the end
      std::string(127, 'a') + "\r" + std::string("\0z", 2),
  };
  for (int round = 0; round < 12; ++round) {
    std::string tail;
    while (tail.size() < 5000) tail += alphabet[next() % alphabet.size()];
    if (round % 3 == 1) tail.insert(next() % tail.size(), 1, '\0');
    if (round % 4 == 2) tail.insert(next() % tail.size(), "\xc3");  // breaks UTF-8
    if (round % 2 == 0) tail.pop_back();
    tails.push_back(tail);
  }
  for (std::size_t round = 0; round < tails.size(); ++round) {
    const std::string& tail = tails[round];
    const TextLines alone = split(tail);
    ASSERT_LT(alone.lineCount(), TextLines::kMaxKeptLines);

    TextLineSplitter splitter;
    splitter.feed(keptPrefix);
    const std::size_t piece = round < 2 ? tail.size() : 61 + next() % 200;
    for (std::size_t at = 0; at < tail.size(); at += piece)
      splitter.feed(std::string_view(tail).substr(at, piece));
    const TextLines counted = splitter.finish();
    EXPECT_EQ(counted.lineCount(), keptPrefix.size() + alone.lineCount()) << round;
    EXPECT_EQ(counted.byteCount(), alone.byteCount()) << round;
    EXPECT_EQ(counted.utf8(), alone.utf8()) << round;
    EXPECT_EQ(counted.size(), TextLines::kMaxKeptLines);
  }
}

TEST(TextLines, MadeFromConvertedLines) {
  const TextLines lines(Lines{"first", "", "\x83\x65\x83\x4c"}, false);
  EXPECT_EQ(kept(lines), (Lines{"first", "", "\x83\x65\x83\x4c"}));
  EXPECT_EQ(lines.lineCount(), 3u);
  EXPECT_EQ(lines.byteCount(), 9u);
  EXPECT_FALSE(lines.utf8());
}

class TextFileTest : public testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& bytes) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  // What readTextLines throws for `path`, or empty when it does not.
  static std::string failure(const std::string& path) {
    try {
      (void)readTextLines(path);
    } catch (const std::exception& error) {
      return error.what();
    }
    return {};
  }
  TempTree tree_{"text lines "};
  const fs::path folder_ = tree_.root();
};

TEST_F(TextFileTest, ReadsAFileLargerThanOnePiece) {
  std::string bytes;
  for (int i = 0; i < 40000; ++i) bytes += "line " + std::to_string(i) + "\r\n";
  const TextLines lines = readTextLines(write("big file.txt", bytes));
  EXPECT_EQ(lines.lineCount(), 40000u);
  EXPECT_EQ(lines[39999], "line 39999");
  EXPECT_EQ(lines.byteCount(), bytes.size() - 2 * 40000);
  EXPECT_EQ(readTextBytes(write("r.rtf", "{\\rtf1 x}"), 5), "{\\rtf");
}

TEST_F(TextFileTest, AFileThatCannotBeReadNamesItselfAndTheReason) {
  const std::string folder = (folder_ / "x.txt").string();
  fs::create_directory(folder);
  std::string what = failure(folder);
  EXPECT_NE(what.find(folder), std::string::npos) << what;
  EXPECT_NE(what.find(std::make_error_code(std::errc::is_a_directory).message()),
            std::string::npos);

  const std::string gone = (folder_ / "gone.txt").string();
  what = failure(gone);
  EXPECT_NE(what.find(gone), std::string::npos);
  EXPECT_NE(what.find(std::make_error_code(std::errc::no_such_file_or_directory).message()),
            std::string::npos);

  const std::string fifo = (folder_ / "pipe.txt").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_NE(failure(fifo).find("通常のファイルではありません"),
            std::string::npos);  // and does not hang

  if (::geteuid() != 0) {
    const std::string locked = write("locked.txt", "secret");
    fs::permissions(locked, fs::perms::none);
    EXPECT_NE(failure(locked).find(std::make_error_code(std::errc::permission_denied).message()),
              std::string::npos);
  }
}

}  // namespace
}  // namespace tossbox
