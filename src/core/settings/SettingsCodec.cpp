#include "core/settings/SettingsCodec.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "core/settings/NewerKindsValue.h"
#include "core/text/StoredText.h"

namespace tossbox {
namespace {

using R15Image = std::array<std::uint8_t, kR15Size>;
using RleImage = std::array<std::uint8_t, kRleSize>;

constexpr std::size_t kReservedOffset = 0;
constexpr std::size_t kTopOffset = 16;
constexpr std::size_t kLeftOffset = 20;
constexpr std::size_t kHeightOffset = 24;
constexpr std::size_t kListDblClickOffset = 28;
constexpr std::size_t kListSortOffset = 29;
constexpr std::size_t kKindOffset = 30;
constexpr std::size_t kViewerDblClickOffset = 41;
constexpr std::size_t kViewerFullScreenOffset = 42;
constexpr std::size_t kViewerCentreOffset = 43;
constexpr std::size_t kSameNameOffset = 44;
constexpr std::size_t kSerialRenameOffset = 50;
constexpr std::size_t kMoveOffset = 56;

constexpr std::size_t kPathLengthOffset = 0;
constexpr std::size_t kPrefixLengthOffset = 12;
constexpr std::size_t kNumberLengthOffset = 24;

constexpr std::string_view kR15 = "r15";
constexpr std::string_view kRle = "rle";
constexpr std::string_view kSt1 = "st1";
constexpr std::string_view kSt2 = "st2";
constexpr std::string_view kSt3 = "st3";

void putInt32(R15Image& image, std::size_t offset, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i)
    image[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::int32_t getInt32(const R15Image& image, std::size_t offset) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i) bits |= std::uint32_t{image[offset + i]} << (8 * i);
  return static_cast<std::int32_t>(bits);
}

R15Image packR15(const SettingsRecord& record) {
  R15Image image{};
  std::memcpy(&image[kReservedOffset], record.Reserved.data(), record.Reserved.size());
  putInt32(image, kTopOffset, record.MainTop);
  putInt32(image, kLeftOffset, record.MainLeft);
  putInt32(image, kHeightOffset, record.MainHeight);
  image[kListDblClickOffset] = record.ListDblClickAction;
  image[kListSortOffset] = record.ListSortAscending;
  std::memcpy(&image[kKindOffset], record.KindEnabled.data(), record.KindEnabled.size());
  image[kViewerDblClickOffset] = record.ViewerDblClickMode;
  image[kViewerFullScreenOffset] = record.ViewerFullScreen;
  image[kViewerCentreOffset] = record.ViewerAlwaysCentre;
  for (std::size_t n = 0; n < kFolderButtonCount; ++n) {
    const FolderTarget& target = record.FolderTargets[n];
    image[kSameNameOffset + n] = target.SameNamePolicy;
    image[kSerialRenameOffset + n] = target.SerialRename;
    image[kMoveOffset + n] = target.MoveOnPress;
  }
  return image;
}

void unpackR15(const R15Image& image, SettingsRecord& record) {
  std::memcpy(record.Reserved.data(), &image[kReservedOffset], record.Reserved.size());
  record.MainTop = getInt32(image, kTopOffset);
  record.MainLeft = getInt32(image, kLeftOffset);
  record.MainHeight = getInt32(image, kHeightOffset);
  record.ListDblClickAction = image[kListDblClickOffset];
  record.ListSortAscending = image[kListSortOffset];
  std::memcpy(record.KindEnabled.data(), &image[kKindOffset], record.KindEnabled.size());
  record.ViewerDblClickMode = image[kViewerDblClickOffset];
  record.ViewerFullScreen = image[kViewerFullScreenOffset];
  record.ViewerAlwaysCentre = image[kViewerCentreOffset];
  for (std::size_t n = 0; n < kFolderButtonCount; ++n) {
    FolderTarget& target = record.FolderTargets[n];
    target.SameNamePolicy = image[kSameNameOffset + n];
    target.SerialRename = image[kSerialRenameOffset + n];
    target.MoveOnPress = image[kMoveOffset + n];
  }
}

std::string fieldTooLongMessage(int button, std::string_view field, std::size_t size,
                                std::size_t limit) {
  return "ボタン " + std::to_string(button) + " の" + std::string(field) + "が長すぎるため、" +
         "設定を保存できません（" + std::to_string(size) + " バイト、" + std::to_string(limit) +
         " バイトまで）。";
}

// Reads a binary value of at most `N` bytes over `image`; false with `error` set
// when the value is of another type or too long.
template <std::size_t N>
bool overlayBinary(const RegistryKey& key, std::string_view name,
                   std::array<std::uint8_t, N>& image, std::optional<SettingsDecodeError>& error) {
  const RegistryValue* value = key.find(name);
  if (value == nullptr) return true;
  if (value->type != RegistryType::Binary) {
    error = SettingsDecodeError{std::string(name), wrongTypeMessage(name)};
    return false;
  }
  if (value->data.size() > N) {
    error = SettingsDecodeError{std::string(name), tooLongMessage(name, value->data.size(), N)};
    return false;
  }
  std::memcpy(image.data(), value->data.data(), value->data.size());
  return true;
}

// The six parts of a string value, cut by the lengths of the length table.
// False with `error` set when the value is not a string.
bool splitString(const RegistryKey& key, std::string_view name, const RleImage& lengths,
                 std::size_t lengthOffset, std::size_t lengthWidth,
                 std::array<std::string, kFolderButtonCount>& parts,
                 std::optional<SettingsDecodeError>& error) {
  const RegistryValue* value = key.find(name);
  std::string_view bytes;
  if (value != nullptr) {
    if (value->type != RegistryType::String) {
      error = SettingsDecodeError{std::string(name), wrongTypeMessage(name)};
      return false;
    }
    bytes = value->data;
  }
  for (std::size_t n = 0; n < kFolderButtonCount; ++n) {
    const std::size_t at = lengthOffset + n * lengthWidth;
    std::size_t length = lengths[at];
    if (lengthWidth == 2) length |= std::size_t{lengths[at + 1]} << 8;
    const std::string_view part = bytes.substr(0, length);
    bytes.remove_prefix(part.size());
    parts[n] = decodeStoredText(part).text;
  }
  return true;
}

// Stores one string's length at its place in the table, refusing what does not fit.
bool putLength(RleImage& lengths, std::size_t offset, std::size_t width, std::size_t size,
               std::size_t limit, int button, std::string_view field, std::string& error) {
  if (size > limit) {
    error = fieldTooLongMessage(button, field, size, limit);
    return false;
  }
  lengths[offset] = static_cast<std::uint8_t>(size & 0xFF);
  if (width == 2) lengths[offset + 1] = static_cast<std::uint8_t>(size >> 8);
  return true;
}

std::string bytesOf(const auto& image) {
  return std::string(reinterpret_cast<const char*>(image.data()), image.size());
}

}  // namespace

std::string wrongTypeMessage(std::string_view name) {
  return "設定値 \"" + std::string(name) + "\" のデータ型が正しくありません。";
}

std::string tooLongMessage(std::string_view name, std::size_t size, std::size_t limit) {
  return "設定値 \"" + std::string(name) + "\" が長すぎます（" + std::to_string(size) +
         " バイト、" + std::to_string(limit) + " バイトまで）。";
}

SettingsEncodeResult encodeSettings(const SettingsRecord& record) {
  SettingsEncodeResult result;
  RleImage lengths{};
  std::string paths;
  std::string prefixes;
  std::string numbers;
  for (std::size_t n = 0; n < kFolderButtonCount; ++n) {
    const FolderTarget& target = record.FolderTargets[n];
    const int button = static_cast<int>(n) + 1;
    const std::string path = encodeStoredText(target.FolderPath);
    const std::string prefix = encodeStoredText(target.SerialPrefix);
    const std::string number = encodeStoredText(target.SerialNumber);
    if (!putLength(lengths, kPathLengthOffset + 2 * n, 2, path.size(), kMaxFolderPathBytes, button,
                   "フォルダのパス", result.error) ||
        !putLength(lengths, kPrefixLengthOffset + 2 * n, 2, prefix.size(), kMaxSerialPrefixBytes,
                   button, "連番の前に付ける名前", result.error) ||
        !putLength(lengths, kNumberLengthOffset + n, 1, number.size(), kMaxSerialNumberBytes,
                   button, "連番", result.error)) {
      return result;
    }
    paths += path;
    prefixes += prefix;
    numbers += number;
  }
  result.values = {
      {std::string(kR15), RegistryValue::binary(bytesOf(packR15(record)))},
      {std::string(kRle), RegistryValue::binary(bytesOf(lengths))},
      {std::string(kSt1), RegistryValue::string(std::move(paths))},
      {std::string(kSt2), RegistryValue::string(std::move(prefixes))},
      {std::string(kSt3), RegistryValue::string(std::move(numbers))},
  };
  return result;
}

std::optional<SettingsDecodeError> decodeSettings(const RegistryKey& key, SettingsRecord& record) {
  std::optional<SettingsDecodeError> error;
  R15Image image = packR15(record);
  if (!overlayBinary(key, kR15, image, error)) return error;
  unpackR15(image, record);

  RleImage lengths{};
  if (!overlayBinary(key, kRle, lengths, error)) return error;

  std::array<std::string, kFolderButtonCount> parts;
  if (!splitString(key, kSt1, lengths, kPathLengthOffset, 2, parts, error)) return error;
  for (std::size_t n = 0; n < kFolderButtonCount; ++n) {
    record.FolderTargets[n].FolderPath = std::move(parts[n]);
  }
  if (!splitString(key, kSt2, lengths, kPrefixLengthOffset, 2, parts, error)) return error;
  for (std::size_t n = 0; n < kFolderButtonCount; ++n) {
    record.FolderTargets[n].SerialPrefix = std::move(parts[n]);
  }
  if (!splitString(key, kSt3, lengths, kNumberLengthOffset, 1, parts, error)) return error;
  for (std::size_t n = 0; n < kFolderButtonCount; ++n) {
    record.FolderTargets[n].SerialNumber = std::move(parts[n]);
  }
  return std::nullopt;
}

SettingsLoadResult loadSettingsRecord(const RegistryKey* key, const ScreenGeometry& geometry) {
  SettingsLoadResult result;
  if (key == nullptr) {
    result.record = defaultSettingsRecord(geometry);
    return result;
  }
  result.keyExisted = true;
  if (auto error = decodeSettings(*key, result.record)) {
    if (error->valueName == kR15) result.record = defaultSettingsRecord(geometry);
    result.errors.push_back(std::move(error->message));
  }
  // The newer kinds' marks do not depend on the five values, so they are read whatever those held.
  if (auto error = decodeNewerKinds(*key, result.record))
    result.errors.push_back(std::move(error->message));
  return result;
}

}  // namespace tossbox
