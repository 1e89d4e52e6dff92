#include <string>
#include <string_view>

#include "core/sorting/HistoryEntry.h"
#include "core/sorting/HistoryLog.h"
#include "entries/FuzzCheck.h"
#include "entries/FuzzEntries.h"

namespace tossbox::fuzz {

namespace {

struct EntryFields {
  ActionKind kind = ActionKind::Copy;
  bool serialName = false;
  std::string_view source;
  std::string_view target;
};

// The first byte picks the kind and the flag, the next two the source's length; the rest is
// the two paths, with any bytes a file name can hold.
EntryFields fieldsOf(std::string_view bytes) {
  EntryFields fields;
  if (bytes.size() < 3) return fields;
  const auto head = static_cast<std::uint8_t>(bytes[0]);
  fields.kind = static_cast<ActionKind>(1 + head % 3);
  fields.serialName = (head & 0x80) != 0;
  const std::size_t split =
      static_cast<std::uint8_t>(bytes[1]) | (std::size_t{static_cast<std::uint8_t>(bytes[2])} << 8);
  const std::string_view paths = bytes.substr(3);
  fields.source = paths.substr(0, split);
  fields.target = paths.substr(fields.source.size());
  return fields;
}

void checkDecoded(const HistoryEntry& entry, const EntryFields& fields, bool undone) {
  fuzzCheck(entry.action() == fields.kind, "a history entry keeps its kind");
  fuzzCheck(entry.serialName() == fields.serialName, "a history entry keeps its name flag");
  fuzzCheck(entry.undone() == undone, "a history entry is undone only once marked");
  fuzzCheck(entry.source() == fields.source, "a history entry keeps its source path");
  fuzzCheck(entry.target() == fields.target, "a history entry keeps its target path");
}

}  // namespace

int fuzzHistoryEntry(const std::uint8_t* data, std::size_t size) {
  const EntryFields fields = fieldsOf({reinterpret_cast<const char*>(data), size});
  auto entry = HistoryEntry::make(fields.kind, fields.serialName, fields.source, fields.target);
  fuzzCheck(entry.has_value(), "a history entry of a short source is made");
  checkDecoded(*entry, fields, false);
  entry->markUndone();
  checkDecoded(*entry, fields, true);
  entry->markUndone();
  checkDecoded(*entry, fields, true);
  const std::string line =
      HistoryText(entry->action(), entry->serialName(), entry->source(), entry->target());
  const std::string logLine = logLineBytes(line);
  fuzzCheck(logLine.find_first_of("\r\n") == std::string::npos,
            "a history log line holds no line break");
  return 0;
}

}  // namespace tossbox::fuzz
