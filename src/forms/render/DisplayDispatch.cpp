#include "forms/render/DisplayDispatch.h"

#include <array>

namespace tossbox {

namespace {

struct DispatchTest {
  std::string_view extension;
  std::string_view alternative;  // the second spelling of the same test, or empty
  RendererId renderer;
};

constexpr std::array<DispatchTest, 11> kTests = {{
    {".jpg", ".jpeg", RendererId::Jpeg},
    {".gif", {}, RendererId::Gif},
    {".bmp", {}, RendererId::Bitmap},
    {".ico", {}, RendererId::Icon},
    {".wmf", {}, RendererId::Metafile},
    {".wav", {}, RendererId::Wave},
    {".txt", {}, RendererId::Text},
    {".doc", {}, RendererId::Text},
    {".rtf", {}, RendererId::Text},
    {".ini", {}, RendererId::Text},
    {".avi", {}, RendererId::Video},
}};

bool matches(const DispatchTest& test, std::string_view ext) {
  return ext == test.extension || (!test.alternative.empty() && ext == test.alternative);
}

}  // namespace

void runDisplayDispatch(std::string_view ext, const std::function<bool(RendererId)>& render) {
  bool ok = true;
  for (int pass = 0; pass < 2; ++pass) {
    for (const DispatchTest& test : kTests) {
      if (ok && !matches(test, ext)) continue;
      const bool fallingBack = !ok;
      ok = render(test.renderer);
      // A fallback that succeeded has drawn the file: in the second run the
      // file's own test would otherwise fail it again and draw over it.
      if (ok && fallingBack) return;
    }
    if (ok) return;
  }
}

}  // namespace tossbox
