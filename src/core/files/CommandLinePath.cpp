#include "core/files/CommandLinePath.h"

#include <optional>

namespace tossbox {

namespace {

constexpr std::string_view kScheme = "file://";
constexpr std::string_view kLocalHost = "localhost";

std::optional<int> hexValue(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  return std::nullopt;
}

// The bytes behind the escapes; nothing when an escape is cut short or not hexadecimal, or
// when it stands for a NUL, which no path can hold.
std::optional<std::string> percentDecoded(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      bytes.push_back(text[i]);
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const auto high = hexValue(text[i + 1]);
    const auto low = hexValue(text[i + 2]);
    if (!high || !low || (*high == 0 && *low == 0)) return std::nullopt;
    bytes.push_back(static_cast<char>(*high * 16 + *low));
    i += 2;
  }
  return bytes;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const char c = text[i];
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != prefix[i]) return false;
  }
  return true;
}

}  // namespace

std::string pathOfArgument(std::string_view argument) {
  if (!startsWithNoCase(argument, kScheme)) return std::string(argument);
  std::string_view rest = argument.substr(kScheme.size());
  const std::size_t slash = rest.find('/');
  if (slash == std::string_view::npos) return std::string(argument);
  const std::string_view host = rest.substr(0, slash);
  const bool local =
      host.empty() || (host.size() == kLocalHost.size() && startsWithNoCase(host, kLocalHost));
  if (!local) return std::string(argument);
  std::string_view path = rest.substr(slash);
  // A query or fragment is no part of a file's name ("#" and "?" in names arrive escaped).
  path = path.substr(0, path.find_first_of("?#"));
  const auto decoded = percentDecoded(path);
  return decoded ? *decoded : std::string(argument);
}

}  // namespace tossbox
