#pragma once
// The contents of a registry export: keys in file order, each with its values
// in file order. Value and key names compare without regard to ASCII case, as
// the registry does. Every value keeps its type, so that a reader can tell a
// string from a binary value and a value of any other type is written back as
// it was read.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tossbox {

enum class RegistryType {
  String,  // "..."
  Binary,  // hex:..
  Other,   // dword:.. or hex(n):.. for any other type number n
};

struct RegistryValue {
  RegistryType type = RegistryType::String;
  std::string data;             // the string's bytes, or the value's raw bytes
  std::uint32_t otherKind = 0;  // type number of an Other value (4 = dword)

  [[nodiscard]] static RegistryValue string(std::string bytes);
  [[nodiscard]] static RegistryValue binary(std::string bytes);

  bool operator==(const RegistryValue&) const = default;
};

struct NamedValue {
  std::string name;  // empty for the key's default value ("@")
  RegistryValue value;

  bool operator==(const NamedValue&) const = default;
};

class RegistryKey {
 public:
  explicit RegistryKey(std::string path) : path_(std::move(path)) {}

  [[nodiscard]] const std::string& path() const { return path_; }
  [[nodiscard]] const std::vector<NamedValue>& values() const { return values_; }
  [[nodiscard]] const RegistryValue* find(std::string_view name) const;
  // Replaces a value of that name where it stands, or appends it.
  void set(std::string name, RegistryValue value);
  void remove(std::string_view name);

  bool operator==(const RegistryKey&) const = default;

 private:
  std::string path_;
  std::vector<NamedValue> values_;
};

struct RegistryDocument {
  std::vector<RegistryKey> keys;

  [[nodiscard]] const RegistryKey* findKey(std::string_view path) const;
  // The key of that path, appended empty when it is not there.
  [[nodiscard]] RegistryKey& key(std::string_view path);

  bool operator==(const RegistryDocument&) const = default;
};

[[nodiscard]] bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace tossbox
