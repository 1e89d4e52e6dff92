#include "forms/render/PictureRenderers.h"

#include "forms/render/RenderBitmap.h"
#include "forms/render/RenderGif.h"
#include "forms/render/RenderIcon.h"
#include "forms/render/RenderImage.h"
#include "forms/render/RenderJpeg.h"
#include "forms/render/RenderMetafile.h"

namespace tossbox {

void installPictureRenderers(RendererTable& table) {
  table.set(RendererId::Jpeg, RenderJpeg);
  table.set(RendererId::Gif, RenderGif);
  table.set(RendererId::Bitmap, RenderBitmap);
  table.set(RendererId::Icon, RenderIcon);
  table.set(RendererId::Metafile, RenderMetafile);
  table.set(RendererId::Image, RenderImage);
}

}  // namespace tossbox
