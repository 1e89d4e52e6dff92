#include "core/text/RtfText.h"

#include <gtest/gtest.h>

#include "core/text/StoredText.h"

namespace tossbox {
namespace {

using Lines = std::vector<std::string>;

Lines utf8Lines(std::string_view body) {
  return rtfToUtf8Lines("{\\rtf1\\ansi " + std::string(body) + "}");
}

TEST(RtfText, LineAndCellMarksShapeTheLines) {
  EXPECT_EQ(utf8Lines("One\\par Two\\line Three\\par"), (Lines{"One", "Two", "Three"}));
  // Empty paragraphs stay; only the mark that ends the document adds no line.
  EXPECT_EQ(utf8Lines("A\\par\\par B\\par\\par"), (Lines{"A", "", "B", ""}));
  EXPECT_EQ(utf8Lines("a\\tab b\tc"), (Lines{"a\tb\tc"}));
  EXPECT_EQ(utf8Lines("\\trowd\\cellx10\\cellx20 x\\cell y\\cell \\row\\trowd z\\cell\\row"),
            (Lines{"x\ty", "z"}));
  // Line breaks in the file itself are not text; a backslash before one is.
  EXPECT_EQ(utf8Lines("wo\r\nrd\\\nnext"), (Lines{"word", "next"}));
  EXPECT_EQ(utf8Lines(""), Lines{});
}

TEST(RtfText, SymbolsAndNamedCharacters) {
  EXPECT_EQ(utf8Lines("\\\\ \\{ \\} a\\~b"), (Lines{"\\ { } a\u00A0b"}));
  EXPECT_EQ(utf8Lines("\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote"),
            (Lines{"\u2014\u2013\u2022\u2018\u2019\u201C\u201D"}));
  EXPECT_EQ(utf8Lines("non\\_breaking soft\\-hyphen"),
            (Lines{"non\u2011breaking soft\u00ADhyphen"}));
  // A control word ends at its first non-letter; one blank after it belongs to it.
  EXPECT_EQ(utf8Lines("{\\b bold}  {\\i0\\fs24x}"), (Lines{"bold  x"}));
}

TEST(RtfText, TablesAndMarkupGroupsLeaveNoText) {
  const std::string header =
      "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1 Courier;}}"
      "{\\colortbl;\\red255\\green0\\blue0;}"
      "{\\stylesheet{\\s0 Normal;}{\\*\\cs10 Default Paragraph Font;}}"
      "{\\info{\\title The title}{\\author Someone}}"
      "{\\*\\generator Writer 1.0;}{\\header Page head\\par}{\\footer foot}";
  EXPECT_EQ(utf8Lines(header + "Body\\par"), (Lines{"Body"}));
  EXPECT_EQ(utf8Lines("a{\\*\\unknowndestination hidden {nested}}b{\\*\\bkmkstart x}c"),
            (Lines{"abc"}));
  // A field shows its result, not its instruction.
  EXPECT_EQ(utf8Lines("{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt{\\ul here}}}"),
            (Lines{"here"}));
  EXPECT_EQ(utf8Lines("{\\field{\\fldinst PAGE}{\\fldrslt 3}}"), (Lines{"3"}));
}

TEST(RtfText, PicturesObjectsAndBinaryDataAreSkipped) {
  EXPECT_EQ(utf8Lines("a{\\pict\\pngblip 89504e47}b"), (Lines{"ab"}));
  EXPECT_EQ(utf8Lines("a{\\object{\\*\\objdata 0102}{\\result{\\pict 00}}}b"), (Lines{"ab"}));
  // \bin data may hold braces and backslashes; its length says where it ends.
  EXPECT_EQ(utf8Lines("a{\\pict\\bin6 }}{\\\\{}b\\par c"), (Lines{"ab", "c"}));
  EXPECT_EQ(utf8Lines("a{\\*\\shppict{\\pict\\bin3 \\par}}{\\nonshppict{\\pict 00}}b"),
            (Lines{"ab"}));
}

TEST(RtfText, BytesFollowTheCodePageOfTheFontInUse) {
  // あ as \'hh pairs, ア with its trail byte written as the letter A.
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'83A}"), (Lines{"あア"}));
  const std::string fonts =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fcharset0 Times;}"
      "{\\f1\\fcharset128 MS Mincho;}{\\f2\\fcharset204 Arial Cyr;}{\\f3\\cpg1253 Greek;}"
      "{\\f4\\fcharset1 Default;}}";
  EXPECT_EQ(rtfToUtf8Lines(fonts + "\\'e9{\\f1\\'93\\'fa}\\f2\\'c0\\f3\\'e1\\plain\\'e9\\f4\\'e9}"),
            (Lines{"é日Аαéé"}));
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1\\ansi\\ansicpg1251 \\'c0}"), (Lines{"А"}));
  // Japanese text under a Western font, its real font named only by \dbch\afN.
  EXPECT_EQ(
      rtfToUtf8Lines("{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset0 Century;}"
                     "{\\f13\\fcharset128 MS Mincho;}}\\f0\\loch\\af0\\dbch\\af13 \\'82\\'a0}"),
      (Lines{"あ"}));
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1\\mac \\'8e}"), (Lines{"é"}));
  // A code page iconv does not know is read as Windows-1252.
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1\\ansi\\ansicpg99999 \\'e9}"), (Lines{"é"}));
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1\\ansi\\ansicpg0 Test}"), (Lines{"Test"}));
  // Bytes the code page does not define are marked, not dropped; so is a lead
  // byte whose line ends before its trail byte.
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1\\ansi\\ansicpg932 a\\'a0\\'fd b\\'82\\par c}"),
            (Lines{"a\uFFFD\uFFFD b\uFFFD", "c"}));
}

TEST(RtfText, UnicodeCharactersSkipTheirFallback) {
  EXPECT_EQ(utf8Lines("\\u12354?x"), (Lines{"あx"}));
  EXPECT_EQ(utf8Lines("\\uc2\\u12354\\'82\\'a0x"), (Lines{"あx"}));
  EXPECT_EQ(utf8Lines("\\uc0\\u12354 x"), (Lines{"あx"}));
  EXPECT_EQ(utf8Lines("\\uc3\\u12354 ab\\'e9x"), (Lines{"あx"}));
  // \ucN belongs to its group; a group's end also ends a fallback cut short.
  EXPECT_EQ(utf8Lines("{\\uc0\\u12354}\\u12354?{\\uc5\\u12354 a}b"), (Lines{"あああb"}));
  // Negative numbers count from 65536; surrogate halves join, a lone half is marked.
  EXPECT_EQ(utf8Lines("\\u-28? \\u-10179?\\u-8451?"), (Lines{"\uFFE4 \U0001F6FD"}));
  EXPECT_EQ(utf8Lines("\\u55357?x\\u56845?"), (Lines{"\uFFFDx\uFFFD"}));
}

TEST(RtfText, LinesAreCp932OrTheStoresLosslessForm) {
  const Lines lines =
      rtfToLines("{\\rtf1\\ansi\\ansicpg932 \\'95\\'5c\\'8e\\'a6\\par caf\\u233?\\par \\u128512?}");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "\x95\x5c\x8e\xa6");  // 表示
  EXPECT_EQ(lines[1], std::string(kRawTextMarker) + "café");
  EXPECT_EQ(decodeStoredText(lines[1]).text, "café");
  // Beyond 16 bits the number is taken as the character it names.
  EXPECT_EQ(lines[2], std::string(kRawTextMarker) + "\U0001F600");
}

TEST(RtfText, BytesThatAreNotRtfAreReadAsPlainLines) {
  EXPECT_EQ(rtfToLines("first\r\nsecond\rthird\nlast"),
            (Lines{"first", "second", "third", "last"}));
  EXPECT_EQ(rtfToLines(std::string("text\0more", 9)), (Lines{"text"}));
  // What follows the document's closing brace is not part of it.
  EXPECT_EQ(rtfToUtf8Lines("{\\rtf1 one}{\\rtf1 two}"), (Lines{"one"}));
}

}  // namespace
}  // namespace tossbox
