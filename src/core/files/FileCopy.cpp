#include "core/files/FileCopy.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/sendfile.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <vector>

#include "core/files/Leftovers.h"
#include "core/files/PathRules.h"
#include "core/files/RegularFile.h"
#include "core/files/WriteAll.h"

namespace tossbox {

namespace {

std::error_code lastError() {
  return {errno, std::generic_category()};
}

// The calls that copy inside the kernel stop working for some pairs of files; these errors say
// "use another way", not "the copy failed".
bool unsupportedHere(int error) {
  return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP ||
         error == EBADF;
}

// Reads to the end of `in`. Most calls find the end at once (the kernel copied everything), so
// the large buffer is only made when there is more to read.
std::error_code copyByReading(int in, int out, std::uint64_t size, std::uint64_t done,
                              const CopyProgress& progress) {
  std::array<char, 4096> first{};
  std::vector<char> buffer;
  for (;;) {
    char* data = buffer.empty() ? first.data() : buffer.data();
    const std::size_t room = buffer.empty() ? first.size() : buffer.size();
    const ssize_t got = ::read(in, data, room);
    if (got == 0) return {};
    if (got < 0) {
      if (errno == EINTR) continue;
      return lastError();
    }
    if (std::error_code error =
            writeAll(out, std::string_view(data, static_cast<std::size_t>(got))))
      return error;
    done += static_cast<std::uint64_t>(got);
    // A file that grew while it was copied is told as done so far, never past its end.
    if (progress) progress(done, std::max(size, done));
    if (buffer.empty()) buffer.resize(std::size_t{1} << 20);
  }
}

// Runs one of the kernel's copy calls until `size` bytes are done, the file ends or the call
// is not supported for these files; the caller goes on from `done` another way. Steps are small
// while someone watches the progress, so that it moves on often enough to be seen.
template <typename KernelCopy>
std::error_code copyInKernel(KernelCopy step, std::uint64_t size, std::uint64_t& done,
                             const CopyProgress& progress) {
  const std::size_t chunk = progress ? std::size_t{8} << 20 : std::size_t{1} << 30;
  while (done < size) {
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(size - done, chunk));
    const ssize_t n = step(want);
    if (n > 0) {
      done += static_cast<std::uint64_t>(n);
      if (progress) progress(done, size);
    } else if (n == 0) {
      return {};
    } else if (errno == EINTR) {
      continue;
    } else if (unsupportedHere(errno)) {
      return {};
    } else {
      return lastError();
    }
  }
  return {};
}

// Copies from the current offset of `in` to the end of the file. The kernel's copy calls serve
// the size known at the start; reading to the end then picks up whatever they left.
std::error_code copyContents(int in, int out, std::uint64_t size, const CopyProgress& progress) {
  std::uint64_t done = 0;
  if (std::error_code error = copyInKernel(
          [&](std::size_t want) { return ::copy_file_range(in, nullptr, out, nullptr, want, 0); },
          size, done, progress))
    return error;
  // Also after an early end: some file systems answer 0 to copy_file_range for data they hold.
  if (done < size) {
    if (std::error_code error =
            copyInKernel([&](std::size_t want) { return ::sendfile(out, in, nullptr, want); }, size,
                         done, progress))
      return error;
  }
  return copyByReading(in, out, size, done, progress);
}

std::string randomSuffix() {
  static constexpr std::string_view kLetters =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device device;
  std::mt19937_64 generator(device());
  std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
  std::string suffix;
  for (std::size_t i = 0; i < kHiddenNameRandomLength; ++i)
    suffix.push_back(kLetters[pick(generator)]);
  return suffix;
}

std::string hiddenNameIn(const std::string& folder) {
  return joinPath(folder.empty() ? std::string(".") : folder,
                  std::string(kHiddenNamePrefix) + randomSuffix());
}

}  // namespace

bool isHiddenCopyName(std::string_view name) {
  return isTemporaryName(name, kHiddenNamePrefix, kHiddenNameRandomLength);
}

UniqueFd createHiddenFile(const std::string& folder, mode_t mode, std::string& path,
                          std::error_code& error) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = hiddenNameIn(folder);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      error.clear();
      return UniqueFd(fd);
    }
    if (errno != EEXIST) break;
  }
  error = lastError();
  path.clear();
  return UniqueFd();
}

HiddenCopy writeHiddenCopy(const std::string& source, const std::string& folder,
                           Durability durability, const CopyProgress& progress) {
  HiddenCopy copy;
  // Never waits: a FIFO put in the file's place must not hang the program.
  FileFailure failure;
  std::optional<OpenedFile> opened = openRegularFile(source, failure);
  if (!opened) {
    copy.error = failure.problem == FileProblem::NotRegular
                     ? std::make_error_code(std::errc::invalid_argument)
                     : failure.error;
    return copy;
  }
  const UniqueFd& in = opened->fd;
  const struct stat& st = opened->info;
  UniqueFd out = createHiddenFile(folder, S_IRUSR | S_IWUSR, copy.path, copy.error);
  if (!out.valid()) return copy;

  struct stat written {};
  const std::array<struct timespec, 2> times{st.st_atim, st.st_mtim};
  std::error_code error =
      copyContents(in.get(), out.get(), static_cast<std::uint64_t>(st.st_size), progress);
  // Permission bits only: set-user and set-group bits of another owner's file do not carry over.
  if (!error && ::fchmod(out.get(), st.st_mode & 0777) != 0) error = lastError();
  if (!error && ::futimens(out.get(), times.data()) != 0) error = lastError();
  if (!error && durability == Durability::Synced && ::fsync(out.get()) != 0) error = lastError();
  if (!error && ::fstat(out.get(), &written) != 0) error = lastError();
  if (!error) error = out.close();
  if (error) {
    ::unlink(copy.path.c_str());
    copy.path.clear();
    copy.error = error;
    return copy;
  }
  copy.identity = identityOf(written);
  return copy;
}

HiddenCopy writeHiddenLink(const std::string& text, const std::string& folder) {
  HiddenCopy link;
  for (int attempt = 0; attempt < 100; ++attempt) {
    link.path = hiddenNameIn(folder);
    if (::symlink(text.c_str(), link.path.c_str()) == 0) {
      std::optional<FileStatus> made = statusOf(link.path, Follow::NotLinks);
      if (made) {
        link.identity = made->identity;
        return link;
      }
      link.error = lastError();
      ::unlink(link.path.c_str());
      link.path.clear();
      return link;
    }
    if (errno != EEXIST) break;
  }
  link.error = lastError();
  link.path.clear();
  return link;
}

bool copyFileReplacing(const std::string& from, const std::string& to) {
  const auto source = statusOf(from, Follow::Links);
  const auto target = statusOf(to, Follow::Links);
  if (!source || !source->regular) return false;
  if (target && target->identity.sameFileAs(source->identity)) return false;
  const HiddenCopy copy = writeHiddenCopy(from, std::string(folderOf(to)), Durability::Cached);
  if (copy.error) return false;
  if (::rename(copy.path.c_str(), to.c_str()) == 0) return true;
  ::unlink(copy.path.c_str());
  return false;
}

}  // namespace tossbox
