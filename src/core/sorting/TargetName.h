#pragma once
// Serial renaming of a folder button: a sorted file can be given the name prefix + serial
// number + its own extension, and the button's serial number then advances, keeping its width
// ("009" -> "010") and growing it only when it must ("99" -> "100").
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/settings/SettingsRecord.h"

namespace tossbox {

// The settings store keeps a serial number's length in one byte.
inline constexpr std::size_t kMaxSerialNumberBytes = 255;

// Whether `text` is a serial number: 1 to kMaxSerialNumberBytes ASCII decimal digits. Signs,
// blanks and other notations are refused so that the width rule stays meaningful.
[[nodiscard]] bool isSerialNumber(std::string_view text);

// `serial` plus one, padded with "0" to its own width, wider only on a carry out of the first
// digit; nullopt when `serial` is not a serial number or the result would not fit the store.
[[nodiscard]] std::optional<std::string> advancedSerialNumber(std::string_view serial);

// The path a sort of `path` through `button` uses. Without serial renaming it is `path`
// itself. With it, the name becomes SerialPrefix + SerialNumber + the extension of `path` and
// the button's SerialNumber advances (the number before the advance is the one used), whether or
// not the copy then happens. nullopt, with nothing changed, when SerialNumber cannot advance or
// the prefix holds "/": the sort must then be abandoned before any file is touched.
[[nodiscard]] std::optional<std::string> TargetName(FolderTarget& button, std::string_view path);

}  // namespace tossbox
