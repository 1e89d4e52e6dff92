#include "core/shellns/MountTable.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <optional>

namespace tossbox {

namespace {

// The kernel's own file systems and those that live in memory only.
constexpr auto kPseudoFsTypes = std::to_array<std::string_view>(
    {"proc",       "sysfs",   "devtmpfs",    "devpts",     "tmpfs",
     "ramfs",      "cgroup",  "cgroup2",     "securityfs", "debugfs",
     "tracefs",    "pstore",  "bpf",         "mqueue",     "hugetlbfs",
     "configfs",   "fusectl", "binfmt_misc", "autofs",     "efivarfs",
     "rpc_pipefs", "nsfs",    "selinuxfs",   "squashfs",   "fuse.gvfsd-fuse",
     "fuse.portal"});

constexpr auto kRemoteFsTypes = std::to_array<std::string_view>(
    {"nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "davfs", "afs", "ceph", "glusterfs"});

// Mount points below these belong to the system (kernel interfaces, run-time state,
// boot loader, package images); removable media mounted below /run/media are the exception.
constexpr auto kSystemPlaces = std::to_array<std::string_view>(
    {"/proc", "/sys", "/dev", "/run", "/var/run", "/var/lib", "/snap", "/boot"});

bool isBelowOrAt(std::string_view path, std::string_view place) {
  if (!path.starts_with(place)) return false;
  return path.size() == place.size() || path[place.size()] == '/';
}

bool isSystemPlace(std::string_view mountPoint) {
  if (isBelowOrAt(mountPoint, "/run/media")) return false;
  return std::any_of(
      kSystemPlaces.begin(), kSystemPlaces.end(),
      [mountPoint](std::string_view place) { return isBelowOrAt(mountPoint, place); });
}

bool isPseudoFsType(std::string_view fsType) {
  return std::find(kPseudoFsTypes.begin(), kPseudoFsTypes.end(), fsType) != kPseudoFsTypes.end();
}

bool isOctal(char c) {
  return c >= '0' && c <= '7';
}

// The kernel writes space, tab, newline and backslash in a mount point as \ooo.
std::string unescapeMountField(std::string_view field) {
  std::string result;
  result.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && isOctal(field[i + 1]) &&
        isOctal(field[i + 2]) && isOctal(field[i + 3])) {
      const int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
      if (value <= 0xFF) {
        result.push_back(static_cast<char>(value));
        i += 3;
        continue;
      }
    }
    result.push_back(field[i]);
  }
  return result;
}

// The next field of `line` separated by blanks, advancing `line` past it.
std::string_view nextField(std::string_view& line) {
  const std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos) {
    line = {};
    return {};
  }
  const std::size_t end = line.find_first_of(" \t", start);
  const std::string_view field = line.substr(start, end - start);
  line = end == std::string_view::npos ? std::string_view{} : line.substr(end);
  return field;
}

std::optional<MountedVolume> parseMountLine(std::string_view line) {
  nextField(line);  // the device
  const std::string_view mountPoint = nextField(line);
  const std::string_view fsType = nextField(line);
  if (mountPoint.empty() || fsType.empty()) return std::nullopt;
  return MountedVolume{unescapeMountField(mountPoint), std::string(fsType)};
}

}  // namespace

std::vector<MountedVolume> userVolumes(std::string_view mountsText) {
  std::vector<MountedVolume> volumes;
  while (!mountsText.empty()) {
    const std::size_t end = mountsText.find('\n');
    const std::string_view line = mountsText.substr(0, end);
    mountsText = end == std::string_view::npos ? std::string_view{} : mountsText.substr(end + 1);
    std::optional<MountedVolume> volume = parseMountLine(line);
    if (!volume || !volume->mountPoint.starts_with('/') || volume->mountPoint == "/") continue;
    if (isPseudoFsType(volume->fsType) || isSystemPlace(volume->mountPoint)) continue;
    const bool seen = std::any_of(volumes.begin(), volumes.end(), [&](const MountedVolume& v) {
      return v.mountPoint == volume->mountPoint;
    });
    if (!seen) volumes.push_back(std::move(*volume));
  }
  return volumes;
}

std::vector<MountedVolume> readUserVolumes(const std::string& mountsFile) {
  // The kernel's table reports a size of zero, so it is read to its end, within a bound far
  // above any real table.
  constexpr std::size_t kMaxTableBytes = 16 * 1024 * 1024;
  std::ifstream in(mountsFile, std::ios::binary);
  if (!in) return {};
  std::string text;
  char buffer[8192];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxTableBytes) return {};
  }
  return userVolumes(text);
}

bool isRemoteFsType(std::string_view fsType) {
  if (fsType == "fuse" || fsType.starts_with("fuse.")) return true;
  return std::find(kRemoteFsTypes.begin(), kRemoteFsTypes.end(), fsType) != kRemoteFsTypes.end();
}

}  // namespace tossbox
