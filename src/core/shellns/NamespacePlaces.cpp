#include "core/shellns/NamespacePlaces.h"

#include "core/shellns/UserDirs.h"

namespace tossbox {

NamespacePlaces currentUserPlaces() {
  NamespacePlaces places;
  places.home = currentHomeFolder();
  places.desktop = desktopFolderOf(places.home, currentConfigHome(places.home));
  return places;
}

}  // namespace tossbox
