#pragma once
// The steps every picture renderer takes on its target and on the record of
// the shown file: fitting the target into the box, and writing the facts.
#include "core/picture/FitRectangle.h"
#include "core/picture/ShownFileInfo.h"
#include "forms/render/RenderCall.h"

namespace tossbox {

// FitRectangle for a picture of this size in the call's box and mode, applied
// to the target (Height, Width, Top, Left). Sizes must be greater than 0.
FitResult fitTarget(const RenderArgs& args, int pictureWidth, int pictureHeight);

// The record as it stands, to be changed in the fields a renderer sets: the
// others keep the values of the file shown before.
[[nodiscard]] ShownFileInfo currentRecord(const RenderServices& services);
void storeRecord(RenderServices& services, const ShownFileInfo& info);

}  // namespace tossbox
