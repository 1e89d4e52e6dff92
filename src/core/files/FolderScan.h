#pragma once
// Collecting files into the sort list: `AddPath` takes one path (a folder is scanned with all its
// subfolders, a file of an accepted kind becomes one entry) and `ScanFolder` walks a folder tree
// breadth-first, the folder's own items in the file system's order before those of its
// subfolders. The scan runs on the caller's thread; the window stays alive through the
// processPendingEvents hook, which it calls after every folder item and after every folder.
//
// A scan never loops: every folder is entered at most once per scan, known by device and inode,
// so links back to an ancestor, several links to one folder and links out of the tree cannot
// make it walk anything twice. Folders that cannot be read are passed over.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "core/files/DirectoryLister.h"
#include "core/files/SortList.h"

namespace tossbox {

// What a scan tells the window while it runs. Every member may be left empty. The hooks may
// change the list (a second load, or the list cleared, while the scan runs): the scan keeps no
// reference into it across a hook, and only the list itself must outlive the scan.
struct ScanHooks {
  // Let the window handle its pending events (repaint, animation, clicks).
  std::function<void()> processPendingEvents{};
  // An entry was appended to the list (the window shows it and the running count).
  std::function<void(std::size_t entryNumber, std::string_view entryText)> entryAdded{};
  // Asked after each processPendingEvents(); true ends the scan where it stands (the program
  // is closing).
  std::function<bool()> stopRequested{};
};

struct ScanOutcome {
  std::size_t entriesAdded = 0;
  std::size_t foldersEntered = 0;
  std::size_t foldersUnreadable = 0;    // passed over
  std::size_t foldersReachedAgain = 0;  // already entered in this scan; not entered twice
  bool stopped = false;                 // by stopRequested, or the list is full
};

// Scans `folder` and everything below it. Collected are the regular files (and links to them)
// whose kind a scan collects; pipes, devices and dangling links are not, since showing them
// would block or fail. Folders named "RECYCLED" in any case and the trash folders ".Trash" and
// ".Trash-<uid>" are not entered.
ScanOutcome ScanFolder(SortList& list, const std::string& folder, DirectoryLister& lister,
                       const ScanHooks& hooks);

// A folder is scanned; any other path whose kind is accepted as a single path (".doc" included)
// is added as it is, whether or not the file exists; other paths are ignored.
ScanOutcome AddPath(SortList& list, const std::string& path, DirectoryLister& lister,
                    const ScanHooks& hooks);
// The same on the real file system.
ScanOutcome AddPath(SortList& list, const std::string& path, const ScanHooks& hooks);

}  // namespace tossbox
