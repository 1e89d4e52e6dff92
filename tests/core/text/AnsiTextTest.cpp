#include "core/text/AnsiText.h"

#include <gtest/gtest.h>

namespace tossbox {
namespace {

TEST(AnsiText, ConvertsJapaneseBothWays) {
  // 表 and ソ end in 0x5C, half-width katakana take one byte each.
  const std::string utf8 = "/a/表示ソフト ﾌｫﾙﾀﾞ";
  const auto cp932 = utf8ToCp932(utf8);
  ASSERT_TRUE(cp932);
  EXPECT_EQ(*cp932, "/a/\x95\x5c\x8e\xa6\x83\x5c\x83\x74\x83\x67 \xcc\xab\xd9\xc0\xde");
  EXPECT_EQ(cp932ToUtf8(*cp932), utf8);
  EXPECT_EQ(cp932ByteCount("/a/表示ソフト"), 13u);
  EXPECT_EQ(utf8ToCp932(""), "");
}

TEST(AnsiText, LongTextCrossesTheConversionBuffer) {
  std::string utf8;
  for (int i = 0; i < 3000; ++i) utf8 += "整理";
  const auto cp932 = utf8ToCp932(utf8);
  ASSERT_TRUE(cp932);
  EXPECT_EQ(cp932->size(), 12000u);
  EXPECT_EQ(cp932ToUtf8(*cp932), utf8);
}

TEST(AnsiText, RefusesWhatCp932CannotHoldExactly) {
  EXPECT_FALSE(utf8ToCp932("caf\xc3\xa9"));       // é
  EXPECT_FALSE(utf8ToCp932("\xf0\x9f\x98\x80"));  // an emoji
  EXPECT_FALSE(utf8ToCp932("한국어"));
  // These map onto codes that read back as other characters: U+301C (wave
  // dash) as U+FF5E, U+00A5 (yen) as a backslash.
  EXPECT_FALSE(utf8ToCp932("\xe3\x80\x9c"));
  EXPECT_FALSE(utf8ToCp932("\xc2\xa5"));
  EXPECT_TRUE(utf8ToCp932("\xef\xbd\x9e"));  // U+FF5E itself is fine
  EXPECT_FALSE(cp932ByteCount("caf\xc3\xa9"));
}

TEST(AnsiText, RejectsMalformedInput) {
  EXPECT_FALSE(isValidUtf8("\xc0\xaf"));          // overlong "/"
  EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));      // surrogate
  EXPECT_FALSE(isValidUtf8("\xe6\x95"));          // cut short
  EXPECT_FALSE(isValidUtf8("\xf4\x90\x80\x80"));  // above U+10FFFF
  EXPECT_FALSE(isValidUtf8("\x80"));
  EXPECT_TRUE(isValidUtf8("\xf4\x8f\xbf\xbf"));
  EXPECT_FALSE(utf8ToCp932("/srv/\xff\xfe"));

  EXPECT_FALSE(cp932ToUtf8("abc\x82"));       // lead byte at the end
  EXPECT_FALSE(cp932ToUtf8("\xef\xbb\xbf"));  // 0xEF leads no character
  EXPECT_FALSE(cp932ToUtf8("\x80"));
  EXPECT_EQ(cp932ToUtf8("\x82\xa0"), "あ");
}

}  // namespace
}  // namespace tossbox
