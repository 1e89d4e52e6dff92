#include "core/settings/NewerKindsValue.h"

#include <algorithm>
#include <string>

namespace tossbox {

NamedValue encodeNewerKinds(const SettingsRecord& record) {
  const auto& marks = record.NewerKindHidden;
  return {std::string(kNewerKindsValueName),
          RegistryValue::binary(std::string(marks.begin(), marks.end()))};
}

std::optional<SettingsDecodeError> decodeNewerKinds(const RegistryKey& key,
                                                    SettingsRecord& record) {
  const RegistryValue* value = key.find(kNewerKindsValueName);
  if (value == nullptr) return std::nullopt;
  const std::string name(kNewerKindsValueName);
  if (value->type != RegistryType::Binary) return SettingsDecodeError{name, wrongTypeMessage(name)};
  auto& marks = record.NewerKindHidden;
  if (value->data.size() > marks.size())
    return SettingsDecodeError{name, tooLongMessage(name, value->data.size(), marks.size())};
  std::transform(value->data.begin(), value->data.end(), marks.begin(),
                 [](char byte) { return static_cast<std::uint8_t>(byte); });
  return std::nullopt;
}

}  // namespace tossbox
