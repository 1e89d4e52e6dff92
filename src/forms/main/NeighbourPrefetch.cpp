#include "forms/main/NeighbourPrefetch.h"

#include "core/files/FileKind.h"
#include "forms/list/UList.h"
#include "forms/main/Program.h"
#include "forms/render/JpegPrefetch.h"

namespace tossbox {

NeighbourPrefetch::~NeighbourPrefetch() {
  const EntryListBox& list = program_.form2().listBox1();
  const SortList& files = program_.state().files.sortList();
  const int shown = list.selectedIndex();
  std::vector<PrefetchRequest> wanted;
  for (const int index : {shown + 1, shown - 1, shown}) {
    if (index < 0 || index >= list.count()) continue;
    const std::optional<std::size_t> number = entryNumberOf(list.itemText(index));
    if (!number || *number >= files.size()) continue;
    const std::string& path = files.path(*number);
    if (fileKindOf(path) != FileKind::Jpeg) continue;
    wanted.push_back(PrefetchRequest{.path = path,
                                     .fast = true,
                                     .boxHeight = box_.height,
                                     .boxWidth = box_.width,
                                     .mode = 0,
                                     .displayDepth = program_.renderServices().displayDepth,
                                     .decode = index != shown});
  }
  program_.jpegPrefetch().want(std::move(wanted));
}

}  // namespace tossbox
