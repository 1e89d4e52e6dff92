#include "forms/render/JpegPrefetch.h"

#include <algorithm>

#include "core/files/RegularFile.h"
#include "core/picture/JpegPlan.h"
#include "core/picture/PictureFile.h"
#include "platform/picture/JpegImageDecoder.h"

namespace tossbox {

namespace {

struct Abandoned {};

std::int64_t nanoseconds(const struct timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

std::optional<DiskFacts> diskFactsNow(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return diskFactsOf(info);
}

}  // namespace

DiskFacts diskFactsOf(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
          static_cast<std::uint64_t>(info.st_size), nanoseconds(info.st_mtim)};
}

std::shared_ptr<const PrefetchedJpeg> decodeAhead(const PrefetchRequest& request,
                                                  const std::function<bool()>& abandon) {
  std::optional<FileBytes> file = readRegularFile(request.path, kMaxPictureFileBytes);
  if (!file || abandon()) return nullptr;
  const std::optional<JpegHeaderFacts> facts = readJpegHeader(file->bytes);
  if (!facts) return nullptr;
  auto entry = std::make_shared<PrefetchedJpeg>();
  entry->disk = diskFactsOf(file->info);
  entry->bytes = std::make_shared<const std::vector<std::uint8_t>>(std::move(file->bytes));
  entry->facts = *facts;
  entry->options = planJpegDecode(*facts, request.fast, request.boxHeight, request.boxWidth,
                                  request.mode, request.displayDepth)
                       .options;
  try {
    DecodedJpeg decoded = decodeJpegImage(*entry->bytes, entry->options, {}, [&](int percent) {
      if (abandon()) throw Abandoned{};
      entry->percents.push_back(percent);
    });
    if (decoded.image.isNull()) return nullptr;
    entry->image = std::move(decoded.image);
  } catch (const Abandoned&) {
    return nullptr;
  }
  return entry;
}

JpegPrefetch::JpegPrefetch(std::size_t maxEntries, std::uint64_t maxBytes)
    : maxEntries_(maxEntries),
      cache_(maxEntries, maxBytes),
      worker_([this](const std::stop_token& stop) { run(stop); }) {}

JpegPrefetch::~JpegPrefetch() {
  worker_.request_stop();
  changed_.notify_all();
}

void JpegPrefetch::want(std::vector<PrefetchRequest> requests) {
  {
    const std::lock_guard lock(mutex_);
    // More than the cache holds would only push out the most wanted.
    if (requests.size() > maxEntries_) requests.resize(maxEntries_);
    wanted_ = std::move(requests);
    cache_.retain([this](const std::string& path) { return isWanted(path); });
    std::erase_if(tried_, [this](const std::string& path) { return !isWanted(path); });
  }
  changed_.notify_all();
}

std::shared_ptr<const PrefetchedJpeg> JpegPrefetch::ready(const std::string& path) {
  const std::lock_guard lock(mutex_);
  const std::optional<Entry> entry = cache_.find(path);
  if (!entry) return nullptr;
  if (diskFactsNow(path) != (*entry)->disk) {
    cache_.erase(path);
    return nullptr;
  }
  return *entry;
}

void JpegPrefetch::waitUntilIdle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return !working_ && nextWork() == nullptr; });
}

std::size_t JpegPrefetch::entries() {
  const std::lock_guard lock(mutex_);
  return cache_.size();
}

std::uint64_t JpegPrefetch::bytes() {
  const std::lock_guard lock(mutex_);
  return cache_.cost();
}

bool JpegPrefetch::isWanted(const std::string& path) const {
  return std::any_of(wanted_.begin(), wanted_.end(),
                     [&](const PrefetchRequest& request) { return request.path == path; });
}

const PrefetchRequest* JpegPrefetch::nextWork() const {
  for (const PrefetchRequest& request : wanted_) {
    if (request.decode && !cache_.contains(request.path) && !tried_.contains(request.path))
      return &request;
  }
  return nullptr;
}

void JpegPrefetch::run(const std::stop_token& stop) {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, stop, [this] { return nextWork() != nullptr; });
    if (stop.stop_requested()) return;
    const PrefetchRequest request = *nextWork();
    working_ = true;
    lock.unlock();
    // Given up at once on quit, and when the list moved on past this file.
    const auto abandon = [&] {
      if (stop.stop_requested()) return true;
      const std::lock_guard check(mutex_);
      return !isWanted(request.path);
    };
    Entry entry = decodeAhead(request, abandon);
    lock.lock();
    working_ = false;
    if (isWanted(request.path)) {
      if (entry) cache_.put(request.path, entry, entry->cost());
      tried_.insert(request.path);
    }
    idle_.notify_all();
  }
}

}  // namespace tossbox
