#include "core/sorting/ConflictLabels.h"

#include <sys/stat.h>

#include <cstdio>

#include "core/files/PathRules.h"

namespace tossbox {

std::string sourceNameText(std::string_view path) {
  return "元名前：" + std::string(LastPathPart(path));
}

std::string targetNameText(std::string_view path) {
  return "先名前：" + std::string(LastPathPart(path));
}

std::string conflictSizeText(std::uint64_t bytes) {
  std::string digits = std::to_string(bytes);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return "ｻｲｽﾞ ：" + digits + "ﾊﾞｲﾄ";
}

std::string conflictDateText(const std::optional<std::tm>& localTime) {
  if (!localTime) return "作成日：不明";
  const std::tm& t = *localTime;
  const int hour = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d\n       %s %d:%02d:%02d", t.tm_year + 1900,
                t.tm_mon + 1, t.tm_mday, t.tm_hour < 12 ? "am" : "pm", hour, t.tm_min, t.tm_sec);
  return "作成日：" + std::string(buffer);
}

std::optional<std::tm> lastWriteTime(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  std::tm local{};
  if (::localtime_r(&st.st_mtim.tv_sec, &local) == nullptr) return std::nullopt;
  return local;
}

}  // namespace tossbox
