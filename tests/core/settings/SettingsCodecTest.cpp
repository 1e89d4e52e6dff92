#include "core/settings/SettingsCodec.h"

#include <gtest/gtest.h>

#include <utility>

#include "core/text/StoredText.h"

namespace tossbox {
namespace {

const ScreenGeometry kScreen{1024, 768, 219, 324};

const std::string& valueOf(const SettingsEncodeResult& encoded, std::string_view name) {
  for (const NamedValue& v : encoded.values) {
    if (v.name == name) return v.value.data;
  }
  throw std::runtime_error("no value " + std::string(name));
}

RegistryKey keyOf(const SettingsEncodeResult& encoded) {
  RegistryKey key{std::string(kSettingsKeyPath)};
  for (const NamedValue& v : encoded.values) key.set(v.name, v.value);
  return key;
}

std::uint16_t lengthAt(const std::string& rle, std::size_t offset) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(rle[offset]) |
                                    static_cast<std::uint8_t>(rle[offset + 1]) << 8);
}

SettingsRecord decoded(const RegistryKey& key, SettingsRecord record = {}) {
  EXPECT_FALSE(decodeSettings(key, record));
  return record;
}

TEST(SettingsCodec, FolderButtonExampleHasTheExactBytes) {
  SettingsRecord record = defaultSettingsRecord(kScreen);
  record.target(2).FolderPath = "/srv/Pictures/Cats";
  record.target(2).MoveOnPress = 1;

  const SettingsEncodeResult encoded = encodeSettings(record);
  ASSERT_TRUE(encoded.ok()) << encoded.error;
  ASSERT_EQ(encoded.values.size(), 5u);
  EXPECT_EQ(encoded.values[0].name, "r15");
  EXPECT_EQ(encoded.values[4].name, "st3");

  EXPECT_EQ(valueOf(encoded, "st1"), "/srv/Pictures/Cats");
  EXPECT_EQ(valueOf(encoded, "st2"), "");
  EXPECT_EQ(valueOf(encoded, "st3"), "");
  const std::string& rle = valueOf(encoded, "rle");
  ASSERT_EQ(rle.size(), 30u);
  EXPECT_EQ(rle, std::string("\0\0\x12", 3) + std::string(27, '\0'));
  const std::string& r15 = valueOf(encoded, "r15");
  ASSERT_EQ(r15.size(), 62u);
  EXPECT_EQ(r15[57], 1);
  EXPECT_EQ(r15.substr(56), std::string("\0\x01\0\0\0\0", 6));
  EXPECT_EQ(encoded.values[0].value.type, RegistryType::Binary);
  EXPECT_EQ(encoded.values[2].value.type, RegistryType::String);

  const SettingsRecord back = decoded(keyOf(encoded));
  EXPECT_EQ(back.target(2).FolderPath, "/srv/Pictures/Cats");
  EXPECT_EQ(back.target(2).MoveOnPress, 1);
  EXPECT_EQ(back, record);
}

TEST(SettingsCodec, LengthsCountCp932Bytes) {
  SettingsRecord record;
  record.target(1).FolderPath = "/a/表示ソフト";  // 3 bytes + 5 double-byte characters
  record.target(3).SerialPrefix = "ｶﾒﾗ";          // half-width: one byte each
  record.target(6).SerialNumber = "００７";       // full-width digits
  const SettingsEncodeResult encoded = encodeSettings(record);
  ASSERT_TRUE(encoded.ok());
  const std::string& rle = valueOf(encoded, "rle");
  EXPECT_EQ(lengthAt(rle, 0), 13);
  EXPECT_EQ(lengthAt(rle, 12 + 4), 3);
  EXPECT_EQ(static_cast<std::uint8_t>(rle[29]), 6);
  EXPECT_EQ(valueOf(encoded, "st1"), "/a/\x95\x5c\x8e\xa6\x83\x5c\x83\x74\x83\x67");
  EXPECT_EQ(decoded(keyOf(encoded)), record);
}

TEST(SettingsCodec, DefaultsCentreTheDesignedWindow) {
  const SettingsRecord record = defaultSettingsRecord(kScreen);
  EXPECT_EQ(record.MainTop, 222);
  EXPECT_EQ(record.MainLeft, 402);  // 805 / 2 truncated
  EXPECT_EQ(record.MainHeight, 324);
  EXPECT_EQ(record.ListDblClickAction, 1);
  EXPECT_EQ(record.ListSortAscending, 0);
  for (const auto kind : record.KindEnabled) EXPECT_EQ(kind, 1);
  EXPECT_EQ(record.ViewerDblClickMode, 1);
  EXPECT_EQ(record.ViewerFullScreen, 0);
  EXPECT_EQ(record.ViewerAlwaysCentre, 1);
  for (int n = 1; n <= 6; ++n) {
    EXPECT_EQ(record.target(n).SameNamePolicy, 1);
    EXPECT_EQ(record.target(n).FolderPath, "");
    EXPECT_EQ(record.target(n).MoveOnPress, 0);
  }
  // A window taller than the screen: truncation toward zero, not flooring.
  EXPECT_EQ(defaultSettingsRecord({200, 101, 219, 324}).MainTop, -111);
  EXPECT_EQ(defaultSettingsRecord({200, 101, 219, 324}).MainLeft, -9);
  EXPECT_THROW((void)record.target(0), std::out_of_range);
  EXPECT_THROW((void)record.target(7), std::out_of_range);
}

TEST(SettingsCodec, ShortAndMissingValuesChangeOnlyWhatTheyCover) {
  const SettingsRecord base = defaultSettingsRecord(kScreen);
  RegistryKey key{std::string(kSettingsKeyPath)};
  EXPECT_EQ(decoded(key, base), base);  // nothing there: nothing changes

  // 20 bytes of r15: the reserved bytes and MainTop only.
  std::string r15(16, '\x07');
  r15 += std::string("\xff\xff\xff\xff", 4);
  key.set("r15", RegistryValue::binary(r15));
  SettingsRecord record = decoded(key, base);
  EXPECT_EQ(record.Reserved[15], 7);
  EXPECT_EQ(record.MainTop, -1);
  EXPECT_EQ(record.MainLeft, base.MainLeft);
  EXPECT_EQ(record.MainHeight, 324);

  // A two-byte rle gives button 1 its length; all others stay 0.
  key.set("rle", RegistryValue::binary(std::string("\x04\x00", 2)));
  key.set("st1", RegistryValue::string("/tmpXYZ"));
  key.set("st2", RegistryValue::string("ignored"));
  record = decoded(key, base);
  EXPECT_EQ(record.target(1).FolderPath, "/tmp");
  EXPECT_EQ(record.target(2).FolderPath, "");
  EXPECT_EQ(record.target(1).SerialPrefix, "");

  // Missing strings read as empty, even over a record that had text.
  SettingsRecord withText = base;
  withText.target(1).SerialNumber = "0001";
  EXPECT_EQ(decoded(key, withText).target(1).SerialNumber, "");
}

TEST(SettingsCodec, StringsShorterOrLongerThanTheirLengths) {
  RegistryKey key{std::string(kSettingsKeyPath)};
  std::string rle(30, '\0');
  rle[0] = 5;   // path 1: 5
  rle[2] = 10;  // path 2: 10, but only 3 bytes remain
  rle[4] = 4;   // path 3: nothing remains
  rle[24] = 2;  // number 1: 2, string longer
  key.set("rle", RegistryValue::binary(rle));
  key.set("st1", RegistryValue::string("/srv/ab"));
  key.set("st3", RegistryValue::string("0123456"));
  const SettingsRecord record = decoded(key);
  EXPECT_EQ(record.target(1).FolderPath, "/srv/");
  EXPECT_EQ(record.target(2).FolderPath, "ab");
  EXPECT_EQ(record.target(3).FolderPath, "");
  EXPECT_EQ(record.target(1).SerialNumber, "01");
  EXPECT_EQ(record.target(2).SerialNumber, "");

  // A length that cuts a double-byte character in two keeps the bytes as they are.
  rle.assign(30, '\0');
  rle[0] = 4;
  key.set("rle", RegistryValue::binary(rle));
  key.set("st1", RegistryValue::string("/a/\x95\x5c"));
  EXPECT_EQ(decoded(key).target(1).FolderPath, "/a/\x95");
}

TEST(SettingsCodec, WrongTypesAndOversizedValuesStopLoadingThere) {
  const SettingsRecord base = defaultSettingsRecord(kScreen);
  SettingsRecord good = base;
  good.MainTop = 5;
  good.MainHeight = 300;
  good.target(1).FolderPath = "/srv/a";
  const RegistryKey valid = keyOf(encodeSettings(good));

  struct Case {
    std::string name;
    RegistryValue value;
    bool r15Read;
    bool pathsRead;
  };
  const std::vector<Case> cases = {
      {"r15", RegistryValue::string("x"), false, false},
      {"r15", RegistryValue::binary(std::string(63, '\0')), false, false},
      {"r15", RegistryValue{RegistryType::Other, "\1\0\0\0", 4}, false, false},
      {"rle", RegistryValue::binary(std::string(31, '\0')), true, false},
      {"rle", RegistryValue::string(""), true, false},
      {"st1", RegistryValue::binary("/srv/a"), true, false},
      {"st2", RegistryValue::binary(""), true, true},
      {"st3", RegistryValue{RegistryType::Other, "\1\0\0\0", 4}, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RegistryKey key = valid;
    key.set(c.name, c.value);
    SettingsRecord record = base;
    const auto error = decodeSettings(key, record);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->valueName, c.name);
    EXPECT_NE(error->message.find("\"" + c.name + "\""), std::string::npos);
    EXPECT_EQ(record.MainTop, c.r15Read ? 5 : base.MainTop);
    EXPECT_EQ(record.target(1).FolderPath, c.pathsRead ? "/srv/a" : "");

    // At start-up: the message, and defaults when r15 itself could not be used.
    const SettingsLoadResult loaded = loadSettingsRecord(&key, kScreen);
    ASSERT_EQ(loaded.errors.size(), 1u);
    EXPECT_EQ(loaded.record.MainHeight, c.r15Read ? 300 : 324);
    EXPECT_EQ(loaded.record.KindEnabled[0], 1);
  }
}

TEST(SettingsCodec, StartUpRecord) {
  const SettingsLoadResult first = loadSettingsRecord(nullptr, kScreen);
  EXPECT_FALSE(first.keyExisted);
  EXPECT_TRUE(first.errors.empty());
  EXPECT_EQ(first.record, defaultSettingsRecord(kScreen));

  // An existing key starts from zeros, not from the defaults.
  RegistryKey key{std::string(kSettingsKeyPath)};
  key.set("r15", RegistryValue::binary(std::string(28, '\0')));
  const SettingsLoadResult later = loadSettingsRecord(&key, kScreen);
  EXPECT_TRUE(later.keyExisted);
  EXPECT_TRUE(later.errors.empty());
  EXPECT_EQ(later.record, SettingsRecord{});
}

TEST(SettingsCodec, EveryFieldRoundTrips) {
  SettingsRecord record;
  for (std::size_t i = 0; i < record.Reserved.size(); ++i) {
    record.Reserved[i] = static_cast<std::uint8_t>(0xA0 + i);
  }
  record.MainTop = -2000000000;
  record.MainLeft = 123456789;
  record.MainHeight = 402;
  record.ListDblClickAction = 2;
  record.ListSortAscending = 1;
  for (std::size_t i = 0; i < record.KindEnabled.size(); ++i) {
    record.KindEnabled[i] = static_cast<std::uint8_t>(i % 3);
  }
  record.ViewerDblClickMode = 0;
  record.ViewerFullScreen = 1;
  record.ViewerAlwaysCentre = 7;  // kept though it means "not set"
  for (int n = 1; n <= 6; ++n) {
    FolderTarget& t = record.target(n);
    t.FolderPath = "/home/u/振分/" + std::to_string(n);
    t.MoveOnPress = static_cast<std::uint8_t>(n % 2);
    t.SerialRename = static_cast<std::uint8_t>(n > 3);
    t.SerialPrefix = n == 4 ? "" : "写真_" + std::to_string(n);
    t.SerialNumber = std::string(static_cast<std::size_t>(n), '0');
    t.SameNamePolicy = static_cast<std::uint8_t>(1 + n % 3);
  }
  const SettingsEncodeResult encoded = encodeSettings(record);
  ASSERT_TRUE(encoded.ok());
  EXPECT_EQ(decoded(keyOf(encoded)), record);
}

TEST(SettingsCodec, NamesOutsideCp932RoundTripLosslessly) {
  SettingsRecord record;
  record.target(1).FolderPath = "/srv/café";
  record.target(2).FolderPath = "/srv/\xff\xfe raw";  // not UTF-8 at all
  record.target(3).FolderPath = "/srv/〜波";          // U+301C would come back as U+FF5E
  record.target(4).FolderPath = "/srv/猫";
  record.target(5).SerialPrefix = "😀";
  const SettingsEncodeResult encoded = encodeSettings(record);
  ASSERT_TRUE(encoded.ok());
  const std::string& rle = valueOf(encoded, "rle");
  EXPECT_EQ(lengthAt(rle, 0), 3 + std::string("/srv/café").size());
  EXPECT_EQ(lengthAt(rle, 6), 7);  // /srv/猫 in CP932
  EXPECT_EQ(valueOf(encoded, "st1").substr(0, 3), kRawTextMarker);
  EXPECT_EQ(decoded(keyOf(encoded)), record);

  EXPECT_EQ(decodeStoredText("\xef\xbb\xbf/srv/caf\xc3\xa9").form, StoredForm::Raw);
  EXPECT_EQ(decodeStoredText("/srv/\x94\x4c").form, StoredForm::Cp932);
  EXPECT_EQ(decodeStoredText("/srv/\x94\x4c").text, "/srv/猫");
  EXPECT_EQ(decodeStoredText("/srv/\x85\x40").form, StoredForm::Undecodable);
  EXPECT_EQ(decodeStoredText("/srv/\x85\x40").text, "/srv/\x85\x40");
  EXPECT_EQ(storedTextSize("/srv/猫"), 7u);
  EXPECT_EQ(storedTextSize("é"), 5u);
}

TEST(SettingsCodec, RefusesStringsTooLongForTheirLengths) {
  SettingsRecord record;
  record.target(2).SerialNumber = std::string(255, '9');
  record.target(3).FolderPath = "/" + std::string(65534, 'p');
  record.target(4).SerialPrefix = std::string(65535, 'x');
  ASSERT_TRUE(encodeSettings(record).ok());

  SettingsRecord number = record;
  number.target(2).SerialNumber += "9";
  SettingsRecord wideNumber = record;  // 128 characters, 256 bytes in CP932
  wideNumber.target(2).SerialNumber.clear();
  for (int i = 0; i < 128; ++i) wideNumber.target(2).SerialNumber += "０";
  SettingsRecord path = record;
  path.target(3).FolderPath += "p";
  SettingsRecord prefix = record;  // 65535 bytes, but the raw-text marker makes it 65538
  prefix.target(4).SerialPrefix = std::string(65533, 'x') + "é";
  for (const SettingsRecord* r : {&number, &wideNumber, &path, &prefix}) {
    const SettingsEncodeResult refused = encodeSettings(*r);
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.values.empty());
  }
  EXPECT_NE(encodeSettings(number).error.find("ボタン 2"), std::string::npos);
  EXPECT_NE(encodeSettings(path).error.find("ボタン 3"), std::string::npos);
  EXPECT_NE(encodeSettings(prefix).error.find("65538"), std::string::npos);
}

TEST(SettingsCodec, ButtonBytesOtherThanTheirValuesReadOneWayAndStayAsStored) {
  SettingsRecord record;
  FolderTarget& odd = record.target(1);
  odd.MoveOnPress = 2;
  odd.SerialRename = 2;
  EXPECT_FALSE(odd.moves());
  EXPECT_FALSE(odd.renamesSerially());
  const std::pair<std::uint8_t, SameName> rules[] = {{0, SameName::Ask},
                                                     {1, SameName::Ask},
                                                     {2, SameName::Overwrite},
                                                     {3, SameName::AppendS},
                                                     {7, SameName::Ask}};
  for (const auto& [stored, rule] : rules) {
    odd.SameNamePolicy = stored;
    EXPECT_EQ(odd.sameName(), rule) << int(stored);
  }
  const SettingsRecord back = decoded(keyOf(encodeSettings(record)));
  EXPECT_EQ(back.target(1).MoveOnPress, 2);
  EXPECT_EQ(back.target(1).SerialRename, 2);
  EXPECT_EQ(back.target(1).SameNamePolicy, 7);

  FolderTarget set;
  set.setMoves(true);
  set.setRenamesSerially(true);
  set.setSameName(SameName::AppendS);
  EXPECT_EQ(set.MoveOnPress, 1);
  EXPECT_EQ(set.SerialRename, 1);
  EXPECT_EQ(set.SameNamePolicy, 3);
  set.setMoves(false);
  set.setRenamesSerially(false);
  set.setSameName(SameName::Overwrite);
  EXPECT_EQ(set.MoveOnPress, 0);
  EXPECT_EQ(set.SerialRename, 0);
  EXPECT_EQ(set.SameNamePolicy, 2);
  set.setSameName(SameName::Ask);
  EXPECT_EQ(set.SameNamePolicy, 1);
}

}  // namespace
}  // namespace tossbox
