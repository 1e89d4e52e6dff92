// Damaged and hostile RTF: every case must end quickly with the text read so far.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "ConformanceSuite.h"
#include "core/text/AnsiText.h"
#include "core/text/RtfText.h"
#include "core/text/StoredText.h"

namespace tossbox {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

TEST(RtfHostile, DeepNestingIsFollowedWithoutRecursion) {
  constexpr std::size_t kDepth = 1'000'000;
  const std::string deep =
      "{\\rtf1 A" + std::string(kDepth, '{') + "hidden" + std::string(kDepth, '}') + "B\\par C}";
  EXPECT_EQ(rtfToUtf8Lines(deep), (Lines{"AB", "C"}));
  // Groups a little below the limit are still read, and never closed ones end the file.
  const std::string moderate =
      "{\\rtf1 " + std::string(500, '{') + "x" + std::string(500, '}') + "}";
  EXPECT_EQ(rtfToUtf8Lines(moderate), (Lines{"x"}));
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1 A" + std::string(kDepth, '{')), (Lines{"A"}));
}

TEST(RtfHostile, HugeAndNegativeNumbers) {
  // \bin past the end takes what is left; a negative or zero length takes nothing.
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1 a\\bin99999999999999999999 }}}b"), (Lines{"a"}));
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1 a\\bin2147483648 xyz"), (Lines{"a"}));
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1 a\\bin-5 b\\bin0 c}"), (Lines{"abc"}));
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1 \\u99999999999999999999?\\u-99999999999? x}"),
            (Lines{"\uFFFD\uFFFD x"}));
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1 {\\uc99999999999\\u12354 skipped}\\uc-4\\u12354 x}"),
            (Lines{"ああx"}));
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1\\ansicpg-932\\deff99999999999 \\'e9\\f-2147483649 \\'e9}"),
            (Lines{"éé"}));
  // A parameter's digits all belong to it, however many there are.
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1 \\fs" + std::string(100'000, '9') + "1x}"), (Lines{"x"}));
}

TEST(RtfHostile, BrokenEscapesAndStrayBytes) {
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1 a\\'zz\\'4\\'"), (Lines{"azz"}));
  std::string manyBroken = "{\\rtf1 ";
  for (int i = 0; i < 200'000; ++i) manyBroken += "\\'";
  EXPECT_EQ(rtfToUtf8Lines(manyBroken + "x}"), (Lines{"x"}));
  EXPECT_EQ(rtfToUtf8Lines(std::string("{\\rtf1 a\0\x01\x1f b\\", 14)), (Lines{"a b"}));
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1 a}}}}b"), (Lines{"a"}));
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every prefix of `rtf` reads without fault, gives well-formed lines in both
// forms, and keeps the lines it finished: they are the whole document's lines.
// (The last two may differ: the cut may turn \pard into \par.)
void checkEveryPrefix(const std::string& rtf) {
  const Lines whole = rtfToUtf8Lines(rtf);
  for (std::size_t length = 0; length <= rtf.size(); ++length) {
    const std::string_view prefix(rtf.data(), length);
    const Lines lines = rtfToUtf8Lines(prefix);
    for (std::size_t i = 0; i + 2 < lines.size(); ++i) {
      ASSERT_LT(i, whole.size()) << "prefix of " << length;
      ASSERT_EQ(lines[i], whole[i]) << "prefix of " << length << ", line " << i;
    }
    for (const std::string& line : lines) {
      ASSERT_TRUE(isValidUtf8(line)) << "prefix of " << length;
    }
    for (const std::string& line : rtfToLines(prefix)) {
      ASSERT_NE(decodeStoredText(line).form, StoredForm::Undecodable) << "prefix of " << length;
    }
  }
}

TEST(RtfHostile, EveryPrefixGivesTheLinesReadSoFar) {
  checkEveryPrefix(
      "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 MS Gothic;}{\\f1\\fcharset0 "
      "Arial;}}{\\info{\\title t}}\\pard 日本\\'82\\'a0\\'83A\\par\\uc2\\u12354\\'82\\'a0 "
      "{\\f1 caf\\'e9}\\u-10179?\\u-8451?\\par{\\pict\\bin4 }}{{}\\trowd a\\cell b\\cell\\row "
      "{\\field{\\*\\fldinst HYPERLINK}{\\fldrslt link}}\\line end\\par}");
  const fs::path suite = conformanceSuite("rtf") / "rtf";
  for (const char* name : {"unicode.rtf", "issue_55_1.rtf", "line_break_textedit_mac.rtf"}) {
    if (!optionalSuiteFile(suite / name)) continue;
    SCOPED_TRACE(name);
    checkEveryPrefix(readFile(suite / name));
  }
}

}  // namespace
}  // namespace tossbox
