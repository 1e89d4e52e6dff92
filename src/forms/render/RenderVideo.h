#pragma once
// The video renderer: plays a video file through the "mvid" device in a window
// over the target, fitted like a picture, and records what the device reports.
#include "forms/render/RenderCall.h"

namespace tossbox {

bool RenderVideo(RenderServices& services, const RenderArgs& args);

}  // namespace tossbox
