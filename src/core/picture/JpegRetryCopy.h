#pragma once
// The second try at a JPEG that failed to decode: a copy named "ppp.jpg" in the program's
// private folder, made at most once for each file (a file rewritten since counts as a new one)
// and only for a file that starts as a JPEG does (FF D8) and that the reader took whole.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/files/FileStatus.h"
#include "core/files/PrivateFolder.h"
#include "core/files/RegularFile.h"

namespace tossbox {

inline constexpr std::string_view kJpegRetryName = "ppp.jpg";

// What the retry needs to know of a file that was read.
struct RetryCandidate {
  bool startsAsJpeg = false;
  FileIdentity identity;
};
[[nodiscard]] RetryCandidate retryCandidateOf(const FileBytes& file);

class JpegRetryCopy {
 public:
  explicit JpegRetryCopy(PrivateFolder& folder) : folder_(folder) {}

  // The copy's path; nullopt when no retry is to be made or the copy failed.
  [[nodiscard]] std::optional<std::string> copy(const std::string& source,
                                                const RetryCandidate& candidate);

 private:
  PrivateFolder& folder_;
  std::vector<FileIdentity> tried_;
};

}  // namespace tossbox
