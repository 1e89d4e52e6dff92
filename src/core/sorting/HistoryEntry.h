#pragma once
// One performed action as the history keeps it: a counted byte string of the action's kind, the
// serial-name flag, the 16-bit length of the source path (low byte first), the source path and
// the target path. The bytes may hold zeros, so they are never handled as a C string. Beside it,
// HistoryText is the line the history window shows for the action.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tossbox {

// The file operations of sorting; their numbers are the kinds of the history.
enum class ActionKind : std::uint8_t { Copy = 1, Move = 2, Trash = 3 };

// Undoing an action adds this to its kind byte.
inline constexpr std::uint8_t kUndoneKindOffset = 3;
// The largest source path the 16-bit length can count.
inline constexpr std::size_t kMaxHistorySourceBytes = 0xFFFF;
inline constexpr std::string_view kUndonePrefix = "[取消済] ";

class HistoryEntry {
 public:
  // nullopt when `source` is longer than kMaxHistorySourceBytes.
  [[nodiscard]] static std::optional<HistoryEntry> make(ActionKind kind, bool serialName,
                                                        std::string_view source,
                                                        std::string_view target);

  [[nodiscard]] std::string_view bytes() const { return bytes_; }
  [[nodiscard]] ActionKind action() const;
  [[nodiscard]] bool undone() const;
  [[nodiscard]] bool serialName() const { return bytes_[1] == 1; }
  [[nodiscard]] std::string_view source() const;
  [[nodiscard]] std::string_view target() const;

  // Raises the kind byte to its undone value; nothing when it is there already.
  void markUndone();

 private:
  explicit HistoryEntry(std::string bytes) : bytes_(std::move(bytes)) {}
  [[nodiscard]] std::size_t sourceLength() const;

  std::string bytes_;
};

// The history line of an action. Paths appear as given; the fixed parts are UTF-8.
[[nodiscard]] std::string HistoryText(ActionKind kind, bool serialName, std::string_view source,
                                      std::string_view target);

}  // namespace tossbox
