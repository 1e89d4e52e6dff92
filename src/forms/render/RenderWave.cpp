#include "forms/render/RenderWave.h"

#include "core/files/FileKind.h"
#include "core/picture/FitRectangle.h"
#include "core/picture/PictureFile.h"
#include "core/picture/ShownFileInfo.h"
#include "core/picture/ShownFileTexts.h"
#include "core/sorting/FileTransfer.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/RenderTarget.h"
#include "platform/art/Artwork.h"

namespace tossbox {

namespace {

constexpr int kSpeakerSize = 54;
constexpr int kSpeaker = 0;
constexpr int kInfoSpeaker = 16;

}  // namespace

bool RenderWave(RenderServices& services, const RenderArgs& args) {
  // A pipe or a device is no sound: handing it to the player would wait on it.
  const std::optional<FileStatus> status = statusOf(args.path, Follow::Links);
  if (!status || !status->regular) return false;
  // The speaker is never enlarged, whatever the call's mode.
  const FitResult fit = FitRectangle(0, kSpeakerSize, args.boxHeight, args.boxWidth, kSpeakerSize);
  args.target.applyFit(fit.height, fit.width, fit.top, fit.left);
  if (services.art != nullptr) {
    const int number = args.role == TargetRole::FileInfo ? kInfoSpeaker : kSpeaker;
    args.target.setPicture(Picture(services.art->imageList1(number).toImage()));
  }
  args.target.show();
  ShownFileInfo info = currentRecord(services);
  info.kind = shownKindNumber(FileKind::Wave);
  const bool newer = fileKindOf(args.path) == FileKind::Audio;
  info.format = newer ? shown_text::kAudio : shown_text::kWave;
  info.fileSize = fileByteCount(args.path).value_or(0);
  // The newer sounds are asked for their length; a WAV file keeps the lines it always had.
  info.durationMs = newer && services.soundLength ? services.soundLength(args.path) : -1;
  info.frameRate = 0;
  storeRecord(services, info);
  if (services.playSound) services.playSound(args.path);
  return true;
}

}  // namespace tossbox
