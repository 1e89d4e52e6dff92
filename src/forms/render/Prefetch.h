#pragma once
// Reading and decoding ahead: while a file is on show, the files next to it in the list are read
// and decoded for the preview on a worker thread of our own (JPEG at the preview's scale, BMP,
// GIF structure, text lines), so that a flip to one of them shows it at once. At most three
// entries and 256 MiB are kept, each counted at what it really holds. An entry is used only while
// its file on disk is the one that was read (device, inode, size, modification and change time),
// and entries that are no longer wanted are dropped. The worker never touches a widget; it stops
// at once when the prefetch is destroyed, abandoning a decode midway.
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/files/BoundedCache.h"
#include "forms/render/DecodeAhead.h"

namespace tossbox {

class Prefetch {
 public:
  static constexpr std::size_t kMaxEntries = 3;
  static constexpr std::uint64_t kMaxBytes = std::uint64_t{256} << 20;

  explicit Prefetch(std::size_t maxEntries = kMaxEntries, std::uint64_t maxBytes = kMaxBytes);
  ~Prefetch();
  Prefetch(const Prefetch&) = delete;
  Prefetch& operator=(const Prefetch&) = delete;

  // The files to have ready, most wanted first; those past the entry bound are left out.
  // Entries of other files are dropped, and a decode of a file no longer wanted is abandoned.
  void want(std::vector<PrefetchRequest> requests);
  // The decoded file at `path` when it is ready and the file on disk is still the one read;
  // an entry whose file changed is dropped.
  [[nodiscard]] std::shared_ptr<const PrefetchedEntry> ready(const std::string& path);
  // Waits until every wanted file is decoded or refused.
  void waitUntilIdle();

  [[nodiscard]] std::size_t entries();
  [[nodiscard]] std::uint64_t bytes();

 private:
  using Entry = std::shared_ptr<const PrefetchedEntry>;

  void run(const std::stop_token& stop);
  [[nodiscard]] const PrefetchRequest* nextWork() const;
  [[nodiscard]] bool isWanted(const std::string& path) const;

  const std::size_t maxEntries_;
  std::mutex mutex_;
  std::condition_variable_any changed_;
  std::condition_variable_any idle_;
  std::vector<PrefetchRequest> wanted_;
  // Wanted files decoded once (kept, refused, or pushed out by the byte bound): not decoded
  // again until they are wanted anew.
  std::set<std::string> tried_;
  BoundedCache<std::string, Entry> cache_;
  bool working_ = false;
  // Last: the worker starts once everything it uses is there, and is joined first.
  std::jthread worker_;
};

}  // namespace tossbox
