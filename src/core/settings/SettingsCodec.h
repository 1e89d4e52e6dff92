#pragma once
// The settings record in the store's five values, and back.
//
// "r15" (binary, 62 bytes) holds the record's fixed fields, "rle" (binary,
// 30 bytes) the byte lengths of the eighteen strings, and "st1", "st2", "st3"
// (strings) the folder paths, serial prefixes and serial numbers of buttons 1
// to 6, each set concatenated in button order. Strings are stored as
// StoredText describes (CP932, or marked raw bytes when CP932 cannot hold
// them); lengths count the stored bytes.
//
// Decoding follows the load order r15, rle, st1, st2, st3. A missing value
// changes nothing (a missing string reads as empty); a short binary value fills
// only its own length; string parts shorter than their lengths come out short,
// surplus bytes are ignored. A value of the wrong type, or a binary value longer
// than its layout, ends decoding there with an error naming it; whatever was
// decoded before it stays.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/RegistryDocument.h"
#include "core/settings/SettingsRecord.h"

namespace tossbox {

inline constexpr std::string_view kSettingsKeyPath = "HKEY_CURRENT_USER\\Software\\stv";
inline constexpr std::size_t kR15Size = 62;
inline constexpr std::size_t kRleSize = 30;
inline constexpr std::size_t kMaxFolderPathBytes = 65535;
inline constexpr std::size_t kMaxSerialPrefixBytes = 65535;
inline constexpr std::size_t kMaxSerialNumberBytes = 255;

struct SettingsEncodeResult {
  // "r15", "rle", "st1", "st2", "st3" in that order; empty when refused.
  std::vector<NamedValue> values;
  // Why the record cannot be stored (a string over its length limit); empty when it can.
  std::string error;

  [[nodiscard]] bool ok() const { return error.empty(); }
};

// The five values of `record`. A string too long for its length field is
// refused, never shortened.
[[nodiscard]] SettingsEncodeResult encodeSettings(const SettingsRecord& record);

struct SettingsDecodeError {
  std::string valueName;  // "r15", "rle", "st1", "st2" or "st3"
  std::string message;    // for the user, naming the value
};

// Applies the values of `key` to `record` by the rules above; returns the error
// that stopped decoding, if any.
[[nodiscard]] std::optional<SettingsDecodeError> decodeSettings(const RegistryKey& key,
                                                                SettingsRecord& record);

struct SettingsLoadResult {
  SettingsRecord record;
  bool keyExisted = false;
  std::vector<std::string> errors;
};

// The words of a decoding error that names the value.
[[nodiscard]] std::string wrongTypeMessage(std::string_view name);
[[nodiscard]] std::string tooLongMessage(std::string_view name, std::size_t size,
                                         std::size_t limit);

// The record at start-up. No key (`key` null): the defaults. A key: a zeroed
// record with the key's values decoded onto it; when "r15" itself is unusable
// the defaults are used instead, so a damaged value does not leave the window
// without a height or every file kind hidden. The newer kinds' marks are read
// from their own value too (NewerKindsValue).
[[nodiscard]] SettingsLoadResult loadSettingsRecord(const RegistryKey* key,
                                                    const ScreenGeometry& geometry);

}  // namespace tossbox
