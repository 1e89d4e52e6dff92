#pragma once
// The mounted volumes a user would call drives: read from the kernel's mount table and stripped
// of the kernel's own file systems (proc, sysfs, cgroups, memory file systems) and of the system
// places nobody sorts files into.
#include <string>
#include <string_view>
#include <vector>

namespace tossbox {

struct MountedVolume {
  std::string mountPoint;  // as the file system names it, escapes undone
  std::string fsType;
  friend bool operator==(const MountedVolume&, const MountedVolume&) = default;
};

// The volumes in `mountsText` (the format of /proc/self/mounts), in its order, each mount point
// once, "/" left out (the namespace always lists it first).
[[nodiscard]] std::vector<MountedVolume> userVolumes(std::string_view mountsText);

// The same read from the file `mountsFile`; empty when it cannot be read.
[[nodiscard]] std::vector<MountedVolume> readUserVolumes(const std::string& mountsFile);

// Whether the file system type reaches over a network or a user-space daemon, where looking
// inside may block for a long time; such volumes are not looked into until the user opens them.
[[nodiscard]] bool isRemoteFsType(std::string_view fsType);

}  // namespace tossbox
