#include "core/sorting/HistoryLog.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <optional>

#include "core/files/WriteAll.h"
#include "core/sorting/FileTransfer.h"
#include "core/sorting/SortPaths.h"
#include "core/text/AnsiText.h"

namespace tossbox {

namespace {

// The length of the UTF-8 sequence starting at `text[at]`, 0 when none is valid there.
std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  if (lead < 0x80)
    length = 1;
  else if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4;
  if (length == 0 || at + length > text.size()) return 0;
  return isValidUtf8(text.substr(at, length)) ? length : 0;
}

std::uint32_t codePointOf(std::string_view sequence) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(sequence[i]); };
  switch (sequence.size()) {
    case 1:
      return byte(0);
    case 2:
      return (byte(0) & 0x1Fu) << 6 | (byte(1) & 0x3Fu);
    case 3:
      return (byte(0) & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
    default:
      return (byte(0) & 0x07u) << 18 | (byte(1) & 0x3Fu) << 12 | (byte(2) & 0x3Fu) << 6 |
             (byte(3) & 0x3Fu);
  }
}

std::string hexEscape(const char* format, std::uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(value));
  return buffer;
}

bool needsEscape(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == '\\';
}

bool plainLine(std::string_view line) {
  for (char c : line) {
    if (needsEscape(static_cast<unsigned char>(c)) && c != '\t') return false;
  }
  return true;
}

}  // namespace

std::string proposedLogName(std::chrono::year_month_day date) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d%02u%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return "LOG" + std::string(buffer);
}

std::string logFilePath(std::string_view chosenName) {
  return std::string(chosenName) + ".txt";
}

std::string logLineBytes(std::string_view line) {
  if (plainLine(line)) {
    if (std::optional<std::string> whole = utf8ToCp932(line)) return *whole;
  }
  std::string bytes;
  for (std::size_t at = 0; at < line.size();) {
    const std::size_t length = utf8SequenceLength(line, at);
    if (length == 0) {
      bytes += hexEscape("\\x{%02X}", static_cast<unsigned char>(line[at]));
      ++at;
      continue;
    }
    const std::string_view sequence = line.substr(at, length);
    at += length;
    const auto single = static_cast<unsigned char>(sequence[0]);
    if (length == 1 && single == '\\') {
      bytes += "\\\\";
    } else if (length == 1 && single != '\t' && needsEscape(single)) {
      bytes += hexEscape("\\x{%02X}", single);
    } else if (std::optional<std::string> converted = utf8ToCp932(sequence)) {
      bytes += *converted;
    } else {
      bytes += hexEscape("\\u{%04X}", codePointOf(sequence));
    }
  }
  return bytes;
}

std::string historyLogBytes(std::span<const std::string> lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += logLineBytes(line);
    bytes += "\r\n";
  }
  return bytes;
}

namespace {

// Puts the finished `hidden` file at `path`, sending what stood there to the trash first.
std::error_code putInPlace(const std::string& hidden, const std::string& path, Trash& trash) {
  const Entry standing = entryAt(path);
  if (standing == Entry::Folder) return std::make_error_code(std::errc::is_a_directory);
  std::optional<std::string> replaced;
  if (standing == Entry::File) {
    replaced = trash.moveToTrash(path);
    if (!replaced) return std::make_error_code(std::errc::file_exists);
  }
  const std::error_code error = renameNoReplace(hidden, path);
  if (error && replaced) (void)trash.restoreFromTrash(*replaced, path);
  return error;
}

}  // namespace

void writeHistoryLog(const std::string& path, std::string_view bytes, Trash& trash) {
  const auto fail = [&](std::error_code error) {
    throw std::system_error(error, "ログファイル " + path + " を書き込めません");
  };
  std::string hidden;
  std::error_code error;
  UniqueFd out = createHiddenFile(std::string(folderOf(path)), 0666, hidden, error);
  if (!out.valid()) fail(error);
  error = writeAll(out.get(), bytes);
  if (!error && ::fsync(out.get()) != 0) error = {errno, std::generic_category()};
  if (!error) error = out.close();
  if (!error) error = putInPlace(hidden, path, trash);
  if (error) {
    ::unlink(hidden.c_str());
    fail(error);
  }
}

}  // namespace tossbox
