#include "core/files/RegularFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace tossbox {

namespace {

template <typename T>
std::optional<T> fail(FileFailure& failure, FileProblem problem, int error = 0) {
  failure.problem = problem;
  failure.error = error == 0 ? std::error_code() : std::error_code(error, std::generic_category());
  return std::nullopt;
}

}  // namespace

std::optional<OpenedFile> openRegularFile(const std::string& path, FileFailure& failure) {
  failure = {};
  OpenedFile file;
  file.fd = UniqueFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (!file.fd.valid()) {
    const int error = errno;
    return fail<OpenedFile>(failure, error == ENOENT ? FileProblem::Missing : FileProblem::System,
                            error);
  }
  if (::fstat(file.fd.get(), &file.info) != 0)
    return fail<OpenedFile>(failure, FileProblem::System, errno);
  if (!S_ISREG(file.info.st_mode)) return fail<OpenedFile>(failure, FileProblem::NotRegular);
  return file;
}

std::optional<FileBytes> readRegularFile(const std::string& path, std::uint64_t limit,
                                         FileFailure& failure) {
  std::optional<OpenedFile> file = openRegularFile(path, failure);
  if (!file) return std::nullopt;
  const auto announced = static_cast<std::uint64_t>(std::max<off_t>(file->info.st_size, 0));
  if (announced > limit) return fail<FileBytes>(failure, FileProblem::TooLarge);
  // One byte past the limit is enough to know the file is too large.
  const std::uint64_t cap = limit < UINT64_MAX ? limit + 1 : limit;
  FileBytes result;
  result.info = file->info;
  // One byte more than announced, so that the end is seen in the same pass.
  result.bytes.resize(static_cast<std::size_t>(std::min(announced + 1, cap)));
  std::size_t done = 0;
  for (;;) {
    if (done == result.bytes.size()) {
      if (done > limit) return fail<FileBytes>(failure, FileProblem::TooLarge);
      const std::size_t grown = static_cast<std::size_t>(
          std::min<std::uint64_t>(cap, std::max<std::size_t>(done * 2, 4096)));
      result.bytes.resize(grown);
    }
    const ssize_t got =
        ::read(file->fd.get(), result.bytes.data() + done, result.bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return fail<FileBytes>(failure, FileProblem::System, errno);
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  if (done > limit) return fail<FileBytes>(failure, FileProblem::TooLarge);
  result.bytes.resize(done);
  return result;
}

std::optional<FileBytes> readRegularFile(const std::string& path, std::uint64_t limit) {
  FileFailure ignored;
  return readRegularFile(path, limit, ignored);
}

}  // namespace tossbox
