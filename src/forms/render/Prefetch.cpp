#include "forms/render/Prefetch.h"

#include <algorithm>

namespace tossbox {

Prefetch::Prefetch(std::size_t maxEntries, std::uint64_t maxBytes)
    : maxEntries_(maxEntries),
      cache_(maxEntries, maxBytes),
      worker_([this](const std::stop_token& stop) { run(stop); }) {}

Prefetch::~Prefetch() {
  worker_.request_stop();
  changed_.notify_all();
}

void Prefetch::want(std::vector<PrefetchRequest> requests) {
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

std::shared_ptr<const PrefetchedEntry> Prefetch::ready(const std::string& path) {
  const std::lock_guard lock(mutex_);
  const std::optional<Entry> entry = cache_.find(path);
  if (!entry) return nullptr;
  if (identityAt(path) != (*entry)->disk) {
    cache_.erase(path);
    return nullptr;
  }
  return *entry;
}

void Prefetch::waitUntilIdle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return !working_ && nextWork() == nullptr; });
}

std::size_t Prefetch::entries() {
  const std::lock_guard lock(mutex_);
  return cache_.size();
}

std::uint64_t Prefetch::bytes() {
  const std::lock_guard lock(mutex_);
  return cache_.cost();
}

bool Prefetch::isWanted(const std::string& path) const {
  return std::any_of(wanted_.begin(), wanted_.end(),
                     [&](const PrefetchRequest& request) { return request.path == path; });
}

const PrefetchRequest* Prefetch::nextWork() const {
  for (const PrefetchRequest& request : wanted_) {
    if (request.decode && !cache_.contains(request.path) && !tried_.contains(request.path))
      return &request;
  }
  return nullptr;
}

void Prefetch::run(const std::stop_token& stop) {
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
      if (entry) cache_.put(request.path, entry, entry->memoryCost());
      tried_.insert(request.path);
    }
    idle_.notify_all();
  }
}

}  // namespace tossbox
