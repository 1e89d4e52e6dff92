#pragma once
// The sound renderer for .wav files: a 54 x 54 speaker centred in the box,
// the file's facts, and the sound started without waiting for it. A sound
// that cannot be played is not reported; the file still counts as handled.
#include "forms/render/RenderCall.h"

namespace tossbox {

[[nodiscard]] bool RenderWave(RenderServices& services, const RenderArgs& args);

}  // namespace tossbox
