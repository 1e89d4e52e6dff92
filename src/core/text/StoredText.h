#pragma once
// How one string of the settings record is kept in the store's strings.
//
// Text that CP932 holds exactly is stored as its CP932 bytes, as the format
// expects. Anything else (a character CP932 lacks, or a path whose bytes are not
// UTF-8 at all) is stored losslessly as the marker EF BB BF followed by the
// string's own bytes. The marker cannot start CP932 text: 0xEF is not a lead
// byte of any assigned CP932 character, so a reader cannot mistake one form for
// the other. Lengths in the length table count the stored bytes, marker
// included.
#include <cstddef>
#include <string>
#include <string_view>

namespace tossbox {

inline constexpr std::string_view kRawTextMarker = "\xEF\xBB\xBF";

enum class StoredForm {
  Cp932,        // CP932 text, converted
  Raw,          // marker followed by the original bytes
  Undecodable,  // neither (a damaged or foreign store): the bytes are kept as they are
};

struct DecodedText {
  std::string text;
  StoredForm form = StoredForm::Cp932;
};

// The stored bytes of `text`.
[[nodiscard]] std::string encodeStoredText(std::string_view text);

// The text of stored bytes. Never fails: bytes that are neither form come back
// unchanged, so nothing read from the store is lost.
[[nodiscard]] DecodedText decodeStoredText(std::string_view stored);

// The number of bytes encodeStoredText(text) takes, for checking limits.
[[nodiscard]] std::size_t storedTextSize(std::string_view text);

}  // namespace tossbox
