#pragma once
// The history log file: the history lines in CP932, each ended by CR LF, in history order.
//
// A line may hold what CP932 cannot: a character outside it, or a path whose bytes are not
// UTF-8. Such a thing is never dropped or replaced; it is written as an escape that a reader
// sees and can turn back: "\u{XXXX}" for a character (its code point in hex), "\x{XX}" for a
// byte that is not UTF-8 or a control character (a line break in a name would split the line),
// and "\\" for a backslash itself, so that the escapes are unambiguous.
#include <chrono>
#include <span>
#include <string>
#include <string_view>

#include "core/sorting/Trash.h"

namespace tossbox {

// "LOG" + yyyymmdd, the name the save dialog proposes.
[[nodiscard]] std::string proposedLogName(std::chrono::year_month_day date);

// The file a confirmed name is written to: ".txt" is always appended, also to a name that ends
// in ".txt" already.
[[nodiscard]] std::string logFilePath(std::string_view chosenName);

// One history line in CP932, escaped as above, without the line end.
[[nodiscard]] std::string logLineBytes(std::string_view line);

// The whole file.
[[nodiscard]] std::string historyLogBytes(std::span<const std::string> lines);

// Writes `bytes` to `path` through a hidden file in the same folder, moved into place only once
// it is whole. A file already at `path` goes to `trash` then, and comes back should the new one
// fail to take its place; a folder there is never replaced. Throws std::system_error naming the
// path, with the old file where it was.
void writeHistoryLog(const std::string& path, std::string_view bytes, Trash& trash);

}  // namespace tossbox
