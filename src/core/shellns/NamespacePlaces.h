#pragma once
// The places the folder namespace is built from. Tests give their own; the program takes the
// current user's.
#include <string>

namespace tossbox {

struct NamespacePlaces {
  std::string desktop;  // the folder of the desktop root
  std::string home;     // the home folder, listed below the desktop
  std::string mountsFile = "/proc/self/mounts";
};

// The current user's desktop folder (see desktopFolderOf), home folder and the kernel's table.
[[nodiscard]] NamespacePlaces currentUserPlaces();

}  // namespace tossbox
