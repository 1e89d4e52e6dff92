#pragma once
// The text shown for a name the file system gave as bytes. Shown text only: the bytes themselves
// stay as they are wherever the name is used to reach the folder.
#include <string>
#include <string_view>

namespace tossbox {

// `name` as UTF-8 text: itself when it is valid UTF-8; else its CP932 reading when it is valid
// CP932 (names written by Japanese Windows programs); else with every byte that does not start a
// valid UTF-8 sequence shown as U+FFFD.
[[nodiscard]] std::string displayTextOfName(std::string_view name);

}  // namespace tossbox
