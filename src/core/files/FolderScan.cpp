#include "core/files/FolderScan.h"

#include <deque>
#include <memory>
#include <optional>
#include <set>

#include "core/files/FileKind.h"
#include "core/files/PathRules.h"
#include "core/files/PosixDirectoryLister.h"

namespace tossbox {

namespace {

bool equalsIgnoringAsciiCase(std::string_view text, std::string_view upper) {
  if (text.size() != upper.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const char folded = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (folded != upper[i]) return false;
  }
  return true;
}

// ".Trash-" followed by a user id: the per-user trash folder on a volume.
bool isUserTrashName(std::string_view name) {
  constexpr std::string_view prefix = ".Trash-";
  if (name.size() <= prefix.size() || !name.starts_with(prefix)) return false;
  for (const char c : name.substr(prefix.size())) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool isSkippedFolderName(std::string_view name) {
  return name == "." || name == ".." || equalsIgnoringAsciiCase(name, "RECYCLED") ||
         name == ".Trash" || isUserTrashName(name);
}

bool isCollectedByScan(std::string_view name) {
  const std::optional<FileKind> kind = fileKindOf(name);
  return kind && fileKindInfo(*kind).collectedByScan;
}

class Scan {
 public:
  Scan(SortList& list, DirectoryLister& lister, const ScanHooks& hooks)
      : list_(list), lister_(lister), hooks_(hooks) {}

  ScanOutcome run(const std::string& folder) {
    std::deque<std::string> queue{folder};
    while (!queue.empty() && !outcome_.stopped) {
      const std::string current = std::move(queue.front());
      queue.pop_front();
      scanOne(current, queue);
      if (!outcome_.stopped) pumpEvents();
    }
    return outcome_;
  }

 private:
  void scanOne(const std::string& folder, std::deque<std::string>& queue) {
    const std::unique_ptr<FolderReader> reader = lister_.open(folder);
    if (!reader) {
      ++outcome_.foldersUnreadable;
      return;
    }
    if (!entered_.insert(reader->id()).second) {
      ++outcome_.foldersReachedAgain;
      return;
    }
    ++outcome_.foldersEntered;
    for (std::optional<FolderItem> item = reader->next(); item; item = reader->next()) {
      pumpEvents();
      if (outcome_.stopped) return;
      if (item->type == ItemType::Folder) {
        if (!isSkippedFolderName(item->name)) queue.push_back(joinPath(folder, item->name));
      } else if (item->type == ItemType::File && isCollectedByScan(item->name)) {
        addEntry(joinPath(folder, item->name));
      }
    }
  }

  void addEntry(std::string path) {
    const std::optional<std::size_t> number = list_.add(std::move(path));
    if (!number) {
      outcome_.stopped = true;
      return;
    }
    ++outcome_.entriesAdded;
    if (hooks_.entryAdded) hooks_.entryAdded(*number, list_.entryText(*number));
  }

  void pumpEvents() {
    if (hooks_.processPendingEvents) hooks_.processPendingEvents();
    if (hooks_.stopRequested && hooks_.stopRequested()) outcome_.stopped = true;
  }

  SortList& list_;
  DirectoryLister& lister_;
  const ScanHooks& hooks_;
  std::set<FolderId> entered_;
  ScanOutcome outcome_;
};

}  // namespace

ScanOutcome ScanFolder(SortList& list, const std::string& folder, DirectoryLister& lister,
                       const ScanHooks& hooks) {
  return Scan(list, lister, hooks).run(folder);
}

ScanOutcome AddPath(SortList& list, const std::string& path, DirectoryLister& lister,
                    const ScanHooks& hooks) {
  if (lister.isFolder(path)) return ScanFolder(list, path, lister, hooks);
  const std::optional<FileKind> kind = fileKindOf(path);
  if (!kind || !fileKindInfo(*kind).acceptedAsSinglePath) return {};
  const std::optional<std::size_t> number = list.add(path);
  if (!number) return ScanOutcome{.stopped = true};
  if (hooks.entryAdded) hooks.entryAdded(*number, list.entryText(*number));
  return ScanOutcome{.entriesAdded = 1};
}

ScanOutcome AddPath(SortList& list, const std::string& path, const ScanHooks& hooks) {
  PosixDirectoryLister lister;
  return AddPath(list, path, lister, hooks);
}

}  // namespace tossbox
