#pragma once
// A small cache with two bounds: how many entries it holds and what they cost together (bytes).
// Putting an entry in drops the least recently used ones until both bounds hold again; an entry
// that alone costs more than the bound is not kept at all.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <optional>
#include <utility>

namespace tossbox {

template <typename Key, typename Value>
class BoundedCache {
 public:
  BoundedCache(std::size_t maxEntries, std::uint64_t maxCost)
      : maxEntries_(maxEntries), maxCost_(maxCost) {}

  // Replaces an entry of the same key.
  void put(const Key& key, Value value, std::uint64_t cost) {
    erase(key);
    if (cost > maxCost_ || maxEntries_ == 0) return;
    entries_.push_front(Entry{key, std::move(value), cost});
    cost_ += cost;
    while (entries_.size() > maxEntries_ || cost_ > maxCost_) {
      cost_ -= entries_.back().cost;
      entries_.pop_back();
    }
  }

  // The entry of `key`, now the most recently used; nullopt when there is none.
  [[nodiscard]] std::optional<Value> find(const Key& key) {
    const auto at = position(key);
    if (at == entries_.end()) return std::nullopt;
    entries_.splice(entries_.begin(), entries_, at);
    return entries_.front().value;
  }

  [[nodiscard]] bool contains(const Key& key) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& entry) { return entry.key == key; });
  }

  void erase(const Key& key) {
    const auto at = position(key);
    if (at == entries_.end()) return;
    cost_ -= at->cost;
    entries_.erase(at);
  }

  // Drops every entry whose key `keep` refuses.
  void retain(const std::function<bool(const Key&)>& keep) {
    for (auto at = entries_.begin(); at != entries_.end();) {
      if (keep(at->key)) {
        ++at;
        continue;
      }
      cost_ -= at->cost;
      at = entries_.erase(at);
    }
  }

  [[nodiscard]] std::size_t size() const { return entries_.size(); }
  [[nodiscard]] std::uint64_t cost() const { return cost_; }

 private:
  struct Entry {
    Key key;
    Value value;
    std::uint64_t cost = 0;
  };

  typename std::list<Entry>::iterator position(const Key& key) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const Entry& entry) { return entry.key == key; });
  }

  std::size_t maxEntries_;
  std::uint64_t maxCost_;
  std::list<Entry> entries_;
  std::uint64_t cost_ = 0;
};

}  // namespace tossbox
