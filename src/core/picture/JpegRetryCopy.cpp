#include "core/picture/JpegRetryCopy.h"

#include <sys/stat.h>

#include <algorithm>

#include "core/files/FileCopy.h"
#include "core/files/PathRules.h"

namespace tossbox {

RetryCandidate retryCandidateOf(const FileBytes& file) {
  const struct stat& info = file.info;
  RetryCandidate candidate;
  candidate.startsAsJpeg = file.bytes.size() >= 2 && file.bytes[0] == 0xFF && file.bytes[1] == 0xD8;
  candidate.identity = FileIdentity{
      static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
      static_cast<std::uint64_t>(info.st_size),
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
  return candidate;
}

std::optional<std::string> JpegRetryCopy::copy(const std::string& source,
                                               const RetryCandidate& candidate) {
  if (!candidate.startsAsJpeg) return std::nullopt;
  if (std::find(tried_.begin(), tried_.end(), candidate.identity) != tried_.end())
    return std::nullopt;
  tried_.push_back(candidate.identity);
  const std::optional<std::string> folder = folder_.path();
  if (!folder) return std::nullopt;
  const std::string target = joinPath(*folder, kJpegRetryName);
  if (!copyFileReplacing(source, target)) return std::nullopt;
  // The copy is the program's alone, whatever the source allowed others.
  ::chmod(target.c_str(), S_IRUSR | S_IWUSR);
  return target;
}

}  // namespace tossbox
