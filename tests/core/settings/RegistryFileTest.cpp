#include "core/settings/RegistryFile.h"

#include <gtest/gtest.h>

#include "core/settings/SettingsCodec.h"

namespace tossbox {
namespace {

RegistryDocument parsed(std::string_view text) {
  RegistryParseResult result = parseRegistryFile(text);
  EXPECT_TRUE(result.document) << "line " << result.errorLine << ": " << result.error;
  return result.document.value_or(RegistryDocument{});
}

TEST(RegistryFile, WritesTheFolderButtonExampleExactly) {
  SettingsRecord record = defaultSettingsRecord({1024, 768, 219, 324});
  record.target(2).FolderPath = "/srv/Pictures/Cats";
  record.target(2).MoveOnPress = 1;
  const SettingsEncodeResult encoded = encodeSettings(record);
  ASSERT_TRUE(encoded.ok());
  RegistryDocument document;
  RegistryKey& key = document.key(kSettingsKeyPath);
  for (const NamedValue& v : encoded.values) key.set(v.name, v.value);

  const std::string expected =
      "REGEDIT4\n"
      "\n"
      "[HKEY_CURRENT_USER\\Software\\stv]\n"
      "\"r15\"=hex:00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,de,00,00,00,92,01,00,\\\n"
      "  00,44,01,00,00,01,00,01,01,01,01,01,01,01,01,01,01,01,01,00,01,01,01,01,01,\\\n"
      "  01,01,00,00,00,00,00,00,00,01,00,00,00,00\n"
      "\"rle\"=hex:00,00,12,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,\\\n"
      "  00,00,00,00,00,00,00\n"
      "\"st1\"=\"/srv/Pictures/Cats\"\n"
      "\"st2\"=\"\"\n"
      "\"st3\"=\"\"\n"
      "\n";
  const std::string text = writeRegistryFile(document);
  EXPECT_EQ(text, expected);
  EXPECT_EQ(parsed(text), document);
}

TEST(RegistryFile, EscapesByteWiseSoCp932TrailBytesSurvive) {
  RegistryDocument document;
  RegistryKey& key = document.key(kSettingsKeyPath);
  // 表 is 95 5C: its second byte is a backslash.
  key.set("st1", RegistryValue::string("/a/\x95\x5c\"q\"\\end"));
  key.set("line", RegistryValue::string("two\nlines\r\n"));
  key.set("", RegistryValue::string("default"));
  key.set("odd \"name\"", RegistryValue::binary(""));
  const std::string text = writeRegistryFile(document);
  EXPECT_NE(text.find("\"st1\"=\"/a/\x95\\\\\\\"q\\\"\\\\end\""), std::string::npos);
  EXPECT_NE(text.find("@=\"default\""), std::string::npos);
  EXPECT_NE(text.find("\"odd \\\"name\\\"\"=hex:\n"), std::string::npos);
  EXPECT_EQ(parsed(text), document);
}

TEST(RegistryFile, ReadsWhatRegistryExportsContain) {
  const RegistryDocument document = parsed(
      "REGEDIT4\r\n"
      "\r\n"
      "; exported by hand\r\n"
      "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
      "\"x\"=\"1\"\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\stv]\r\n"
      "\"R15\"=hex:01,02,\\\r\n"
      "    03,  FF\r\n"
      "\"n\"=dword:0000012a\r\n"
      "\"m\"=hex(7):41,00,00\r\n"
      "\"b\"=hex(3):09\r\n"
      "\"gone\"=\"soon\"\r\n"
      "\"gone\"=-\r\n"
      "\"twice\"=\"old\"\r\n"
      "\"twice\"=\"new\"\r\n");
  ASSERT_EQ(document.keys.size(), 2u);
  const RegistryKey* key = document.findKey("hkey_current_user\\software\\STV");
  ASSERT_NE(key, nullptr);
  ASSERT_NE(key->find("r15"), nullptr);
  EXPECT_EQ(*key->find("r15"), RegistryValue::binary("\x01\x02\x03\xff"));
  const RegistryValue dword{RegistryType::Other, std::string("\x2a\x01\0\0", 4), 4};
  EXPECT_EQ(*key->find("n"), dword);
  EXPECT_EQ(key->find("m")->type, RegistryType::Other);
  EXPECT_EQ(key->find("m")->otherKind, 7u);
  EXPECT_EQ(*key->find("b"), RegistryValue::binary("\x09"));
  EXPECT_EQ(key->find("gone"), nullptr);
  EXPECT_EQ(key->find("twice")->data, "new");

  // Other types are written back as they were read.
  const std::string text = writeRegistryFile(document);
  EXPECT_NE(text.find("\"n\"=dword:0000012a\n"), std::string::npos);
  EXPECT_NE(text.find("\"m\"=hex(7):41,00,00\n"), std::string::npos);
  EXPECT_EQ(parsed(text), document);
}

TEST(RegistryFile, LongHexListsWrapAndReadBack) {
  RegistryDocument document;
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes.push_back(static_cast<char>(i * 7));
  document.key("K").set(std::string(64, 'n'), RegistryValue::binary(bytes));
  const std::string text = writeRegistryFile(document);
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    EXPECT_LE(end - start, 80u);
    start = end + 1;
  }
  EXPECT_EQ(parsed(text), document);
}

TEST(RegistryFile, ReportsTextThatCannotBeParsed) {
  struct Case {
    std::string text;
    std::size_t line;
  };
  const std::vector<Case> cases = {
      {"", 1},
      {"REGEDIT5\n", 1},
      {"Windows Registry Editor Version 5.00\n", 1},
      {"REGEDIT4\n\n\"r15\"=hex:00\n", 3},     // value before any key
      {"REGEDIT4\n[K]\n\"a\"=\"open\n\n", 3},  // string never closed
      {"REGEDIT4\n[K]\n\"a\"=\"bad \\n escape\"\n", 3},
      {"REGEDIT4\n[K]\n\"a\"=hex:0g\n", 3},
      {"REGEDIT4\n[K]\n\"a\"=hex:000\n", 3},
      {"REGEDIT4\n[K]\n\"a\"=hex:00,\\ 11\n", 3},
      {"REGEDIT4\n[K]\n\"a\"=dword:12\n", 3},
      {"REGEDIT4\n[K]\n\"a\"=hex(zz):00\n", 3},
      {"REGEDIT4\n[K]\n\"a\"=text\n", 3},
      {"REGEDIT4\n[K]\n\"a\"=\"x\" tail\n", 3},
      {"REGEDIT4\n[K]\n\"a\"\n", 3},
      {"REGEDIT4\n[K\n", 2},
      {"REGEDIT4\n[]\n", 2},
      {"REGEDIT4\n[-K]\n", 2},
      {"REGEDIT4\n[K]\ngarbage\n", 3},
      {std::string("REGEDIT4\n[K]\n\"a\"=hex:00,\\\n\0", 27), 4},
      {"REGEDIT4\n[K]\n\"a\"=hex:00,\\", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const RegistryParseResult result = parseRegistryFile(c.text);
    EXPECT_FALSE(result.document);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(result.errorLine, c.line);
  }
  // Empty files of the right kind are fine.
  EXPECT_TRUE(parseRegistryFile("REGEDIT4").document);
  EXPECT_TRUE(parseRegistryFile("REGEDIT4\r\n\r\n[K]\r\n").document);
}

TEST(RegistryFile, DamagedFilesGiveAResultNeverACrash) {
  SettingsRecord record = defaultSettingsRecord({1024, 768, 219, 324});
  record.target(1).FolderPath = "/a/表示";
  record.target(2).FolderPath = "/srv/é";
  record.target(3).SerialNumber = "0001";
  RegistryDocument document;
  for (const NamedValue& v : encodeSettings(record).values) {
    document.key(kSettingsKeyPath).set(v.name, v.value);
  }
  const std::string text = writeRegistryFile(document);
  const auto check = [](std::string_view damaged) {
    const RegistryParseResult result = parseRegistryFile(damaged);
    EXPECT_NE(result.document.has_value(), !result.error.empty());
    if (!result.document) return;
    if (const RegistryKey* key = result.document->findKey(kSettingsKeyPath)) {
      SettingsRecord out;
      (void)decodeSettings(*key, out);
    }
  };
  for (std::size_t n = 0; n <= text.size(); ++n) check(std::string_view(text).substr(0, n));
  for (std::size_t i = 0; i < text.size(); ++i) {
    for (const char replacement : {'\\', '"', '\n', ',', '\0', 'f'}) {
      std::string damaged = text;
      damaged[i] = replacement;
      check(damaged);
    }
  }
}

}  // namespace
}  // namespace tossbox
