#pragma once
// Reading and writing registry export text of the REGEDIT4 kind: the line
// "REGEDIT4", then keys "[path]" each followed by its values, `"name"="text"`,
// `"name"=hex:0a,1b,...` (long lists continued with a backslash at the end of
// the line), `"name"=dword:0000002a` or `"name"=hex(n):...`.
//
// The text is bytes. Strings escape only `\` and `"`, each byte on its own, so
// a CP932 character whose second byte is 0x5C keeps it through a round trip; a
// line break inside a string is kept as it is. Lines end in LF when written;
// CR LF is read too.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/settings/RegistryDocument.h"

namespace tossbox {

struct RegistryParseResult {
  std::optional<RegistryDocument> document;  // nullopt when the text cannot be parsed
  std::size_t errorLine = 0;                 // 1-based line of the first fault
  std::string error;                         // what is wrong there
};

[[nodiscard]] RegistryParseResult parseRegistryFile(std::string_view text);

[[nodiscard]] std::string writeRegistryFile(const RegistryDocument& document);

}  // namespace tossbox
