#include "platform/settings/SettingsStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "core/files/Leftovers.h"
#include "core/files/RegularFile.h"
#include "core/files/UniqueFd.h"
#include "core/files/UserFolders.h"
#include "core/files/WriteAll.h"
#include "core/settings/NewerKindsValue.h"
#include "core/settings/RegistryFile.h"
#include "core/sorting/FileTransfer.h"

namespace tossbox {
namespace fs = std::filesystem;

namespace {

// Far above the largest store the program writes (six 64 KiB paths and
// prefixes, each byte possibly escaped), so only a foreign file is refused.
constexpr std::size_t kMaxFileSize = 8 * 1024 * 1024;
constexpr int kMaxBadCopies = 100;

std::string errnoText(int error) {
  return std::error_code(error, std::generic_category()).message();
}

// A temporary file removed again unless it was renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!committed_) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  [[nodiscard]] const std::string& path() const { return path_; }
  void commit() { committed_ = true; }

 private:
  std::string path_;
  bool committed_ = false;
};

enum class ReadState { Missing, Read, Failed };

struct FileRead {
  ReadState state = ReadState::Missing;
  std::string bytes;
  std::string problem;  // why it could not be read
};

FileRead readWholeFile(const fs::path& file) {
  FileRead result;
  FileFailure failure;
  const std::optional<FileBytes> read = readRegularFile(file.string(), kMaxFileSize, failure);
  if (read) {
    result.state = ReadState::Read;
    result.bytes.assign(read->bytes.begin(), read->bytes.end());
    return result;
  }
  switch (failure.problem) {
    case FileProblem::Missing:
      return result;
    case FileProblem::NotRegular:
      result.problem = "通常のファイルではありません";
      break;
    case FileProblem::TooLarge:
      result.problem = "ファイルが大きすぎます";
      break;
    case FileProblem::None:
    case FileProblem::System:
      result.problem = failure.error.message();
      break;
  }
  result.state = ReadState::Failed;
  return result;
}

bool nameTaken(const fs::path& path) {
  std::error_code ec;
  return fs::symlink_status(path, ec).type() != fs::file_type::not_found;
}

// Renames `file` to the first free name of file.bad, file.bad.1, ...; the new
// name, or nullopt with `problem` set.
std::optional<fs::path> keepAsBad(const fs::path& file, std::string& problem) {
  for (int n = 0; n < kMaxBadCopies; ++n) {
    fs::path candidate = file;
    candidate += n == 0 ? ".bad" : ".bad." + std::to_string(n);
    if (nameTaken(candidate)) continue;
    if (::rename(file.c_str(), candidate.c_str()) != 0) {
      problem = errnoText(errno);
      return std::nullopt;
    }
    return candidate;
  }
  problem = "空いている名前がありません";
  return std::nullopt;
}

// Replaces `target` with `bytes` so that it is either the old file or the new
// one, never a part; an error text on failure.
constexpr std::string_view kTemporaryInfix = ".tmp.";
constexpr std::size_t kTemporaryRandomLength = 6;  // mkostemp's XXXXXX

std::optional<std::string> writeAtomically(const fs::path& target, std::string_view bytes) {
  const fs::path folder = target.parent_path();
  std::string pattern = (folder / target.filename()).string() + std::string(kTemporaryInfix) +
                        std::string(kTemporaryRandomLength, 'X');
  const int raw = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (raw < 0) return errnoText(errno);
  UniqueFd fd(raw);
  TemporaryFile temporary(pattern);

  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) ::fchmod(fd.get(), old.st_mode & 07777);
  if (const std::error_code written = writeAll(fd.get(), bytes)) return written.message();
  if (::fsync(fd.get()) != 0) return errnoText(errno);
  if (const std::error_code closed = fd.close()) return closed.message();
  if (::rename(temporary.path().c_str(), target.c_str()) != 0) return errnoText(errno);
  temporary.commit();
  // Only durability is at stake here: the rename has already happened.
  (void)syncFolder(folder.string());
  return std::nullopt;
}

// Where a write of `file` must go: through any symbolic links, also one whose
// target does not exist yet, so a linked settings file stays linked.
std::optional<fs::path> resolveLinks(const fs::path& file, std::string& problem) {
  constexpr int kMaxLinks = 40;  // as the kernel's own limit, against link loops
  fs::path current = file;
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    std::error_code ec;
    if (fs::symlink_status(current, ec).type() != fs::file_type::symlink) {
      fs::path resolved = fs::weakly_canonical(current, ec);
      if (ec) {
        problem = ec.message();
        return std::nullopt;
      }
      return resolved;
    }
    const fs::path link = fs::read_symlink(current, ec);
    if (ec) {
      problem = ec.message();
      return std::nullopt;
    }
    current = link.is_absolute() ? link : current.parent_path() / link;
  }
  problem = errnoText(ELOOP);
  return std::nullopt;
}

}  // namespace

struct SettingsStore::Existing {
  RegistryDocument document;
  bool replaceable = true;  // false: an unusable file that could not be kept aside
};

SettingsStore::SettingsStore() : SettingsStore(defaultPath()) {}

SettingsStore::SettingsStore(fs::path file) : path_(std::move(file)) {}

fs::path SettingsStore::defaultPath() {
  return fs::path(currentConfigHome(currentHomeFolder())) / "stv" / "Software-stv.reg";
}

SettingsStore::Existing SettingsStore::readExisting(std::vector<std::string>& errors) const {
  Existing existing;
  const FileRead read = readWholeFile(path_);
  if (read.state == ReadState::Missing) return existing;
  std::string problem = read.problem;
  if (read.state == ReadState::Read) {
    RegistryParseResult parsed = parseRegistryFile(read.bytes);
    if (parsed.document) {
      existing.document = std::move(*parsed.document);
      return existing;
    }
    problem = std::to_string(parsed.errorLine) + " 行目: " + parsed.error;
  }
  const std::string head =
      "設定ファイル " + path_.string() + " を読み込めません（" + problem + "）。";
  std::string keepProblem;
  if (const auto bad = keepAsBad(path_, keepProblem)) {
    errors.push_back(head + "元のファイルは " + bad->string() + " として残しました。");
    return existing;
  }
  errors.push_back(head + "別の名前に移すこともできなかったため（" + keepProblem +
                   "）、このファイルは置き換えません。");
  existing.replaceable = false;
  return existing;
}

SettingsStore::LoadResult SettingsStore::load() const {
  LoadResult result;
  const Existing existing = readExisting(result.errors);
  if (const RegistryKey* key = existing.document.findKey(kSettingsKeyPath)) result.key = *key;
  return result;
}

SettingsStore::SaveResult SettingsStore::save(const std::vector<NamedValue>& values) const {
  SaveResult result;
  Existing existing = readExisting(result.errors);
  if (!existing.replaceable) return result;
  RegistryKey& key = existing.document.key(kSettingsKeyPath);
  for (const NamedValue& value : values) key.set(value.name, value.value);

  const auto fail = [&](const std::string& problem) {
    result.errors.push_back("設定を保存できませんでした（" + path_.string() + ": " + problem +
                            "）。");
    return result;
  };
  std::error_code ec;
  fs::create_directories(path_.parent_path(), ec);
  if (ec) return fail(ec.message());
  std::string linkProblem;
  const auto target = resolveLinks(path_, linkProblem);
  if (!target) return fail(linkProblem);
  if (const auto problem = writeAtomically(*target, writeRegistryFile(existing.document))) {
    return fail(*problem);
  }
  result.saved = true;
  return result;
}

int SettingsStore::removeLeftovers() const {
  const auto removeBeside = [](const fs::path& file) {
    const std::string prefix = file.filename().string() + std::string(kTemporaryInfix);
    return removeOwnLeftovers(file.parent_path().string(), [&](std::string_view name) {
      return isTemporaryName(name, prefix, kTemporaryRandomLength);
    });
  };
  int removed = removeBeside(path_);
  // A linked store is written beside the file the link leads to.
  std::string linkProblem;
  if (const auto target = resolveLinks(path_, linkProblem); target && *target != path_)
    removed += removeBeside(*target);
  return removed;
}

SettingsLoadResult SettingsStore::loadRecord(const ScreenGeometry& geometry) const {
  LoadResult loaded = load();
  SettingsLoadResult result = loadSettingsRecord(loaded.key ? &*loaded.key : nullptr, geometry);
  result.errors.insert(result.errors.begin(), loaded.errors.begin(), loaded.errors.end());
  return result;
}

SettingsStore::SaveResult SettingsStore::saveRecord(const SettingsRecord& record) const {
  SettingsEncodeResult encoded = encodeSettings(record);
  if (!encoded.ok()) return SaveResult{false, {std::move(encoded.error)}};
  encoded.values.push_back(encodeNewerKinds(record));
  return save(encoded.values);
}

}  // namespace tossbox
