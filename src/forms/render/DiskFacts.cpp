#include "forms/render/DiskFacts.h"

namespace tossbox {

namespace {

std::int64_t nanoseconds(const struct timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

DiskFacts diskFactsOf(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
          static_cast<std::uint64_t>(info.st_size), nanoseconds(info.st_mtim)};
}

std::optional<DiskFacts> diskFactsNow(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return diskFactsOf(info);
}

}  // namespace tossbox
