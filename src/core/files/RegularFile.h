#pragma once
// Opening and reading a file the user named (a picture, the settings store, a
// config file) without ever waiting on it: the open does not block, so a FIFO
// or a device put where a file was expected is refused at once instead of
// freezing the program, and only a regular file is read.
#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "core/files/UniqueFd.h"

namespace tossbox {

enum class FileProblem {
  None,
  Missing,     // nothing stands at the path
  NotRegular,  // a folder, FIFO, socket or device
  TooLarge,    // larger than the caller's limit
  System,      // the system refused; `error` says why
};

struct OpenedFile {
  UniqueFd fd;
  struct stat info {};
};

struct FileBytes {
  std::vector<std::uint8_t> bytes;
  struct stat info {};
};

struct FileFailure {
  FileProblem problem = FileProblem::None;
  std::error_code error;
};

// The open file when `path` names a regular file; `failure` says why not otherwise.
[[nodiscard]] std::optional<OpenedFile> openRegularFile(const std::string& path,
                                                        FileFailure& failure);

// The whole of a regular file of at most `limit` bytes, read to its end (a file that grows
// while it is read past the limit is refused too).
[[nodiscard]] std::optional<FileBytes> readRegularFile(const std::string& path, std::uint64_t limit,
                                                       FileFailure& failure);
[[nodiscard]] std::optional<FileBytes> readRegularFile(const std::string& path,
                                                       std::uint64_t limit);

}  // namespace tossbox
