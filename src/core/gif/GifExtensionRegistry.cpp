#include "core/gif/GifExtensionRegistry.h"

#include <algorithm>

#include "core/gif/GifException.h"

namespace tossbox {

namespace {

template <typename T>
std::unique_ptr<TGIFExtension> make() {
  return std::make_unique<T>();
}

}  // namespace

const TExtensionList& TExtensionList::standard() {
  static const TExtensionList list({
      {TGIFTextExtension::kLabel, &make<TGIFTextExtension>},
      {TGIFGraphicControlExtension::kLabel, &make<TGIFGraphicControlExtension>},
      {TGIFCommentExtension::kLabel, &make<TGIFCommentExtension>},
      {TGIFApplicationExtension::kLabel, &make<TGIFUnknownAppExtension>},
  });
  return list;
}

const TExtensionList::Entry* TExtensionList::find(std::uint8_t label) const {
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [label](const Entry& entry) { return entry.label == label; });
  return it == entries_.end() ? nullptr : &*it;
}

const TAppExtensionList& TAppExtensionList::standard() {
  static const TAppExtensionList list({
      {"NETSCAPE2.0", &make<TGIFAppExtNSLoop>},
      {"ANIMEXTS1.0", &make<TGIFAppExtNSLoop>},
  });
  return list;
}

GifExtensionFactory TAppExtensionList::find(std::span<const std::uint8_t> identifier) const {
  const std::string_view text(reinterpret_cast<const char*>(identifier.data()), identifier.size());
  for (const Entry& entry : entries_) {
    if (entry.identifier == text) return entry.make;
  }
  return &make<TGIFUnknownAppExtension>;
}

std::unique_ptr<TGIFExtension> makeGifExtension(GifByteReader& reader) {
  const std::size_t start = reader.position();
  const auto header = reader.readExact(2);
  const std::uint8_t label = header[1];
  std::unique_ptr<TGIFExtension> extension;
  if (label == TGIFApplicationExtension::kLabel) {
    const std::uint8_t blockSize = reader.readFixedByte();
    if (blockSize == 11) {
      extension = TAppExtensionList::standard().find(reader.readExact(11))();
    } else if (blockSize == 10) {
      extension = std::make_unique<TGIFUnknownAppExtension>();
    } else {
      throw GIFException(gif_text::kUnsupportedAppBlockSize);
    }
  } else {
    const auto* entry = TExtensionList::standard().find(label);
    if (entry == nullptr) throw GIFException(gif_text::kUnknownExtension);
    extension = entry->make();
  }
  reader.seek(start);
  return extension;
}

}  // namespace tossbox
