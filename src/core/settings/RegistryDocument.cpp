#include "core/settings/RegistryDocument.h"

#include <algorithm>

namespace tossbox {

RegistryValue RegistryValue::string(std::string bytes) {
  return {RegistryType::String, std::move(bytes), 0};
}

RegistryValue RegistryValue::binary(std::string bytes) {
  return {RegistryType::Binary, std::move(bytes), 0};
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

const RegistryValue* RegistryKey::find(std::string_view name) const {
  const auto it = std::ranges::find_if(
      values_, [&](const NamedValue& v) { return equalsIgnoringAsciiCase(v.name, name); });
  return it == values_.end() ? nullptr : &it->value;
}

void RegistryKey::set(std::string name, RegistryValue value) {
  const auto it = std::ranges::find_if(
      values_, [&](const NamedValue& v) { return equalsIgnoringAsciiCase(v.name, name); });
  if (it != values_.end()) {
    it->value = std::move(value);
    return;
  }
  values_.push_back({std::move(name), std::move(value)});
}

void RegistryKey::remove(std::string_view name) {
  std::erase_if(values_,
                [&](const NamedValue& v) { return equalsIgnoringAsciiCase(v.name, name); });
}

const RegistryKey* RegistryDocument::findKey(std::string_view path) const {
  const auto it = std::ranges::find_if(
      keys, [&](const RegistryKey& k) { return equalsIgnoringAsciiCase(k.path(), path); });
  return it == keys.end() ? nullptr : &*it;
}

RegistryKey& RegistryDocument::key(std::string_view path) {
  const auto it = std::ranges::find_if(
      keys, [&](const RegistryKey& k) { return equalsIgnoringAsciiCase(k.path(), path); });
  if (it != keys.end()) return *it;
  return keys.emplace_back(std::string(path));
}

}  // namespace tossbox
