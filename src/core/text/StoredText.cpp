#include "core/text/StoredText.h"

#include "core/text/AnsiText.h"

namespace tossbox {

std::string encodeStoredText(std::string_view text) {
  if (auto cp932 = utf8ToCp932(text)) return std::move(*cp932);
  std::string stored(kRawTextMarker);
  stored.append(text);
  return stored;
}

DecodedText decodeStoredText(std::string_view stored) {
  if (stored.starts_with(kRawTextMarker)) {
    return {std::string(stored.substr(kRawTextMarker.size())), StoredForm::Raw};
  }
  if (auto utf8 = cp932ToUtf8(stored)) return {std::move(*utf8), StoredForm::Cp932};
  return {std::string(stored), StoredForm::Undecodable};
}

std::size_t storedTextSize(std::string_view text) {
  if (const auto count = cp932ByteCount(text)) return *count;
  return kRawTextMarker.size() + text.size();
}

}  // namespace tossbox
