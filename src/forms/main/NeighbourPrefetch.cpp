#include "forms/main/NeighbourPrefetch.h"

#include "core/files/FileKind.h"
#include "forms/list/UList.h"
#include "forms/main/Program.h"
#include "forms/render/Prefetch.h"

namespace tossbox {

NeighbourPrefetch::~NeighbourPrefetch() {
  const EntryListBox& list = program_.form2().listBox1();
  const SortList& files = program_.state().files.sortList();
  const RenderServices& services = program_.renderServices();
  const int shown = list.selectedIndex();
  std::vector<PrefetchRequest> wanted;
  for (const int index : {shown + 1, shown - 1, shown}) {
    if (index < 0 || index >= list.count()) continue;
    const std::optional<std::size_t> number = entryNumberOf(list.itemText(index));
    if (!number || *number >= files.size()) continue;
    const std::string& path = files.path(*number);
    const std::optional<FileKind> kind = fileKindOf(path);
    if (!kind || !decodesAhead(rendererFor(*kind))) continue;
    wanted.push_back(PrefetchRequest{.path = path,
                                     .renderer = rendererFor(*kind),
                                     .fast = true,
                                     .boxHeight = box_.height,
                                     .boxWidth = box_.width,
                                     .mode = 0,
                                     .displayDepth = services.displayDepth,
                                     .rtfLines = services.rtfLines,
                                     .decode = index != shown});
  }
  program_.prefetch().want(std::move(wanted));
}

}  // namespace tossbox
