#include "core/sorting/HistoryEntry.h"

#include "core/files/PathRules.h"
#include "core/sorting/SortPaths.h"

namespace tossbox {

std::optional<HistoryEntry> HistoryEntry::make(ActionKind kind, bool serialName,
                                               std::string_view source, std::string_view target) {
  if (source.size() > kMaxHistorySourceBytes) return std::nullopt;
  std::string bytes;
  bytes.reserve(4 + source.size() + target.size());
  bytes.push_back(static_cast<char>(kind));
  bytes.push_back(static_cast<char>(serialName ? 1 : 0));
  bytes.push_back(static_cast<char>(source.size() & 0xFF));
  bytes.push_back(static_cast<char>(source.size() >> 8));
  bytes.append(source);
  bytes.append(target);
  return HistoryEntry(std::move(bytes));
}

ActionKind HistoryEntry::action() const {
  const auto kind = static_cast<std::uint8_t>(bytes_[0]);
  return static_cast<ActionKind>(kind > kUndoneKindOffset ? kind - kUndoneKindOffset : kind);
}

bool HistoryEntry::undone() const {
  return static_cast<std::uint8_t>(bytes_[0]) > kUndoneKindOffset;
}

std::size_t HistoryEntry::sourceLength() const {
  return static_cast<std::uint8_t>(bytes_[2]) +
         (std::size_t{static_cast<std::uint8_t>(bytes_[3])} << 8);
}

std::string_view HistoryEntry::source() const {
  return std::string_view(bytes_).substr(4, sourceLength());
}

std::string_view HistoryEntry::target() const {
  return std::string_view(bytes_).substr(4 + sourceLength());
}

void HistoryEntry::markUndone() {
  if (!undone()) bytes_[0] = static_cast<char>(bytes_[0] + kUndoneKindOffset);
}

std::string HistoryText(ActionKind kind, bool serialName, std::string_view source,
                        std::string_view target) {
  std::string text = "\"";
  text.append(LastPathPart(source));
  text.append("\"");
  if (kind == ActionKind::Trash) {
    text.append(" をゴミ箱へ捨てました。\u3000 (");
    text.append(source);
    text.append(")");
    return text;
  }
  text.append(" を \"");
  text.append(LastPathPart(folderOf(target)));
  text.append("/");
  text.append(LastPathPart(target));
  text.append(serialName ? "\" に名前を変え" : "\" に");
  text.append(kind == ActionKind::Copy ? "コピーしました。\u3000(" : "移動しました。  (");
  text.append(source);
  text.append(" => ");
  text.append(target);
  text.append(")");
  return text;
}

}  // namespace tossbox
