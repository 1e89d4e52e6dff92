#pragma once
// The check marks of the newer file kinds (12 to 17) in the store's value "rkd" (binary, one
// byte per kind, 1 hides it). "r15" keeps its 62 bytes and their meaning: these kinds are kept
// apart from it, so an older program reading the store sees nothing it does not know. A store
// without "rkd" shows every newer kind; a short value fills only its own length, so kinds
// added after it are shown too.
#include <optional>
#include <string_view>

#include "core/settings/RegistryDocument.h"
#include "core/settings/SettingsCodec.h"
#include "core/settings/SettingsRecord.h"

namespace tossbox {

inline constexpr std::string_view kNewerKindsValueName = "rkd";

[[nodiscard]] NamedValue encodeNewerKinds(const SettingsRecord& record);

// Applies "rkd" of `key` to `record`; the error names the value when it has another type or
// is longer than the kinds it can hold, and leaves the record's marks as they were.
[[nodiscard]] std::optional<SettingsDecodeError> decodeNewerKinds(const RegistryKey& key,
                                                                  SettingsRecord& record);

}  // namespace tossbox
