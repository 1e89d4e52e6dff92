#include "core/picture/PixelDepth.h"

namespace tossbox {

std::string_view pixelDepthText(PixelDepth depth) {
  switch (depth) {
    case PixelDepth::Device:
      return "??ﾋﾞｯﾄ ･･････";
    case PixelDepth::Bit1:
      return "1ﾋﾞｯﾄ RGBｶﾗｰ";
    case PixelDepth::Bit4:
      return "4ﾋﾞｯﾄ RGBｶﾗｰ";
    case PixelDepth::Bit8:
      return "8ﾋﾞｯﾄ RGBｶﾗｰ";
    case PixelDepth::Bit15:
      return "15ﾋﾞｯﾄ RGBｶﾗｰ";
    case PixelDepth::Bit16:
      return "16ﾋﾞｯﾄ RGBｶﾗｰ";
    case PixelDepth::Bit24:
      return "24ﾋﾞｯﾄ RGBｶﾗｰ";
    case PixelDepth::Bit32:
      return "32ﾋﾞｯﾄ RGBｶﾗｰ";
    case PixelDepth::Custom:
      break;
  }
  return "??ﾋﾞｯﾄ ｶｽﾀﾑｶﾗｰ";
}

}  // namespace tossbox
