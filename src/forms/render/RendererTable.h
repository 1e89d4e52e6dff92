#pragma once
// The nine renderers by name. A slot nobody has filled answers false, so a
// kind without its renderer is never reported as drawn.
#include <array>
#include <cstddef>

#include "core/files/FileKind.h"
#include "forms/render/RenderCall.h"

namespace tossbox {

enum class RendererId : std::size_t {
  Jpeg,
  Gif,
  Bitmap,
  Icon,
  Metafile,
  Wave,
  Text,
  Video,
  Image,  // the pictures the system's image readers decode
  Count
};

// The renderer that draws a kind, in kind order; the text kinds share one, the newer videos
// and sounds play like AVI and WAV, and PNG, WebP and TIFF share the image readers.
inline constexpr std::array<RendererId, kFileKindCount> kRendererOfKind = {
    RendererId::Bitmap,   RendererId::Jpeg,  RendererId::Gif,   RendererId::Icon,
    RendererId::Metafile, RendererId::Wave,  RendererId::Video, RendererId::Text,
    RendererId::Text,     RendererId::Text,  RendererId::Text,  RendererId::Image,
    RendererId::Image,    RendererId::Image, RendererId::Video, RendererId::Wave,
    RendererId::Text,
};

[[nodiscard]] constexpr RendererId rendererFor(FileKind kind) {
  return kRendererOfKind[kindIndex(kind)];
}

class RendererTable {
 public:
  void set(RendererId id, Renderer renderer) { slots_[index(id)] = std::move(renderer); }
  [[nodiscard]] bool has(RendererId id) const { return static_cast<bool>(slots_[index(id)]); }
  [[nodiscard]] bool call(RendererId id, RenderServices& services, const RenderArgs& args) const {
    const Renderer& renderer = slots_[index(id)];
    return renderer ? renderer(services, args) : false;
  }

 private:
  static std::size_t index(RendererId id) { return static_cast<std::size_t>(id); }
  std::array<Renderer, static_cast<std::size_t>(RendererId::Count)> slots_;
};

}  // namespace tossbox
