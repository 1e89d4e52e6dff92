#pragma once
// The texts of the same-name dialog about one of its two files: its name, its size with
// thousands separators and its last-write date with a 12-hour am/pm time.
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace tossbox {

// "元名前：" + name (the file being sorted) and "先名前：" + name (the one in the way).
[[nodiscard]] std::string sourceNameText(std::string_view path);
[[nodiscard]] std::string targetNameText(std::string_view path);

// "ｻｲｽﾞ ：" + the size as ##,###,##0 + "ﾊﾞｲﾄ".
[[nodiscard]] std::string conflictSizeText(std::uint64_t bytes);

// "作成日：yyyy/mm/dd", a line break, seven blanks and "am h:mm:ss" or "pm h:mm:ss";
// "作成日：不明" without a time.
[[nodiscard]] std::string conflictDateText(const std::optional<std::tm>& localTime);

// The last-write time of `path` in local time; nullopt when it cannot be read.
[[nodiscard]] std::optional<std::tm> lastWriteTime(const std::string& path);

}  // namespace tossbox
