#pragma once
// Reading and decoding ahead: while a file is on show, the JPEG files next to it in the list are
// read and decoded for the preview on a worker thread of our own, so that a flip to one of them
// shows it at once. At most three entries and 256 MiB are kept. An entry is used only while its
// file on disk is the one that was read (device, inode, size, modification time), and entries
// that are no longer wanted are dropped. The worker never touches a widget; it stops at once when
// the prefetch is destroyed, abandoning a decode midway.
#include <sys/stat.h>

#include <QImage>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/files/BoundedCache.h"
#include "core/picture/JpegDecoder.h"

namespace tossbox {

// What makes a file on disk the file that was read.
struct DiskFacts {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedNs = 0;

  bool operator==(const DiskFacts&) const = default;
};
[[nodiscard]] DiskFacts diskFactsOf(const struct stat& info);

struct PrefetchedJpeg {
  DiskFacts disk;
  std::shared_ptr<const std::vector<std::uint8_t>> bytes;
  JpegHeaderFacts facts;
  JpegDecodeOptions options;
  QImage image;
  // What the decode told of its progress, to be told again when the picture is shown.
  std::vector<int> percents;

  [[nodiscard]] std::uint64_t cost() const {
    return static_cast<std::uint64_t>(image.sizeInBytes()) + bytes->size();
  }
};

// One file to have ready, decoded as the renderer would for this box.
struct PrefetchRequest {
  std::string path;
  bool fast = true;
  int boxHeight = 0;
  int boxWidth = 0;
  int mode = 0;
  int displayDepth = 24;
  // False for the file on show: kept when it is there, not decoded again when it is not.
  bool decode = true;
};

// Reads and decodes one request, asking `abandon` now and then whether to give up; null when
// the file is no JPEG that decodes, or was abandoned.
[[nodiscard]] std::shared_ptr<const PrefetchedJpeg> decodeAhead(
    const PrefetchRequest& request, const std::function<bool()>& abandon);

class JpegPrefetch {
 public:
  static constexpr std::size_t kMaxEntries = 3;
  static constexpr std::uint64_t kMaxBytes = std::uint64_t{256} << 20;

  explicit JpegPrefetch(std::size_t maxEntries = kMaxEntries, std::uint64_t maxBytes = kMaxBytes);
  ~JpegPrefetch();
  JpegPrefetch(const JpegPrefetch&) = delete;
  JpegPrefetch& operator=(const JpegPrefetch&) = delete;

  // The files to have ready, most wanted first; those past the entry bound are left out.
  // Entries of other files are dropped, and a decode of a file no longer wanted is abandoned.
  void want(std::vector<PrefetchRequest> requests);
  // The decoded picture of `path` when it is ready and the file on disk is still the one read;
  // an entry whose file changed is dropped.
  [[nodiscard]] std::shared_ptr<const PrefetchedJpeg> ready(const std::string& path);
  // Waits until every wanted file is decoded or refused.
  void waitUntilIdle();

  [[nodiscard]] std::size_t entries();
  [[nodiscard]] std::uint64_t bytes();

 private:
  using Entry = std::shared_ptr<const PrefetchedJpeg>;

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
