#include <string_view>

#include "core/settings/RegistryFile.h"
#include "core/settings/SettingsCodec.h"
#include "entries/FuzzCheck.h"
#include "entries/FuzzEntries.h"

namespace tossbox::fuzz {

namespace {

// The record the program would start with, and its five values surviving a save and a load.
void loadAndResave(const RegistryKey& key) {
  const ScreenGeometry geometry{1024, 768, 640, 400};
  const SettingsLoadResult loaded = loadSettingsRecord(&key, geometry);
  const SettingsEncodeResult encoded = encodeSettings(loaded.record);
  if (!encoded.ok()) return;
  RegistryKey saved(key.path());
  for (const NamedValue& value : encoded.values) saved.set(value.name, value.value);
  SettingsRecord reloaded;
  fuzzCheck(!decodeSettings(saved, reloaded).has_value(), "saved settings decode cleanly");
  fuzzCheck(encodeSettings(reloaded).values == encoded.values,
            "saved settings load back to the same values");
}

}  // namespace

int fuzzSettingsStore(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const RegistryParseResult parsed = parseRegistryFile(text);
  if (!parsed.document) return 0;
  const RegistryDocument& document = *parsed.document;
  const RegistryParseResult again = parseRegistryFile(writeRegistryFile(document));
  fuzzCheck(again.document.has_value() && *again.document == document,
            "a written store parses back to the same document");
  // The settings key when the store has one; any key's values go through the same decoder.
  const RegistryKey* key = document.findKey(kSettingsKeyPath);
  if (key == nullptr && !document.keys.empty()) key = &document.keys.front();
  if (key != nullptr) loadAndResave(*key);
  return 0;
}

}  // namespace tossbox::fuzz
