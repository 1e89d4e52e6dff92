#include "core/settings/NewerKindsValue.h"

#include <gtest/gtest.h>

#include <string>

namespace tossbox {
namespace {

const ScreenGeometry kScreen{1024, 768, 219, 324};

TEST(NewerKindsValue, AnOlderStoreShowsThemAllAndR15StaysByteForByte) {
  std::string r15(kR15Size, '\0');
  for (std::size_t i = 0; i < r15.size(); ++i) r15[i] = static_cast<char>(i * 7 + 3);
  RegistryKey key{std::string(kSettingsKeyPath)};
  key.set("r15", RegistryValue::binary(r15));
  SettingsLoadResult loaded = loadSettingsRecord(&key, kScreen);
  EXPECT_TRUE(loaded.errors.empty());
  EXPECT_EQ(loaded.record.NewerKindHidden, defaultSettingsRecord(kScreen).NewerKindHidden);
  for (const std::uint8_t hidden : loaded.record.NewerKindHidden) EXPECT_NE(hidden, 1);

  SettingsRecord changed = loaded.record;
  changed.NewerKindHidden[3] = 1;
  EXPECT_EQ(encodeSettings(changed).values[0].value.data, r15);
  const NamedValue newer = encodeNewerKinds(changed);
  EXPECT_EQ(newer.name, "rkd");
  EXPECT_EQ(newer.value.data, std::string("\0\0\0\x01\0\0", 6));
  key.set(newer.name, newer.value);
  EXPECT_EQ(loadSettingsRecord(&key, kScreen).record, changed);

  // A short value sets its own kinds only; a wrong or long one is named and changes nothing.
  key.set("rkd", RegistryValue::binary("\x01\x02"));
  EXPECT_EQ(loadSettingsRecord(&key, kScreen).record.NewerKindHidden,
            (std::array<std::uint8_t, kNewerKindCount>{1, 2, 0, 0, 0, 0}));
  for (const RegistryValue& bad :
       {RegistryValue::string("111111"), RegistryValue::binary(std::string(7, '\x01'))}) {
    key.set("rkd", bad);
    loaded = loadSettingsRecord(&key, kScreen);
    ASSERT_EQ(loaded.errors.size(), 1u);
    EXPECT_NE(loaded.errors[0].find("\"rkd\""), std::string::npos) << loaded.errors[0];
    EXPECT_EQ(loaded.record.NewerKindHidden, (std::array<std::uint8_t, kNewerKindCount>{}));
    EXPECT_EQ(encodeSettings(loaded.record).values[0].value.data, r15);
  }
}

}  // namespace
}  // namespace tossbox
