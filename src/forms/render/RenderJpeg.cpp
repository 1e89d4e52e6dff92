#include "forms/render/RenderJpeg.h"

#include "core/files/FileKind.h"
#include "core/picture/JpegPlan.h"
#include "core/picture/PictureFile.h"
#include "core/picture/ShownFileTexts.h"
#include "forms/picture/JpegPictureSource.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/JpegShow.h"
#include "forms/render/PrefetchedEntry.h"
#include "forms/render/PreviewReuse.h"
#include "forms/render/RenderTarget.h"

namespace tossbox {

namespace {

using Compressed = std::shared_ptr<const std::vector<std::uint8_t>>;

struct LoadedJpeg {
  Compressed bytes;
  JpegHeaderFacts facts;
};

std::optional<LoadedJpeg> load(std::vector<std::uint8_t> bytes) {
  const auto facts = readJpegHeader(bytes);
  if (!facts) return std::nullopt;
  return LoadedJpeg{std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes)), *facts};
}

ShownFileInfo factsRecord(const RenderServices& services, const std::string& path,
                          const JpegHeaderFacts& facts) {
  ShownFileInfo info = currentRecord(services);
  info.kind = shownKindNumber(FileKind::Jpeg);
  info.width = facts.width;
  info.height = facts.height;
  info.number = shown_text::kJpegQuality;
  info.version.clear();
  info.colour = facts.greyscale ? shown_text::kGrey : shown_text::kColour;
  info.fileSize = fileByteCount(path).value_or(0);
  info.format = facts.multiScan ? shown_text::kJpegProgressive : shown_text::kJpegBaseline;
  info.depth = services.displayDepth <= 8 ? shown_text::kJpeg8Bit : shown_text::kJpeg24Bit;
  return info;
}

JpegPlan planFor(const RenderServices& services, const RenderArgs& args,
                 const JpegHeaderFacts& facts) {
  return planJpegDecode(facts, args.fastDecode == 1, args.boxHeight, args.boxWidth, args.mode,
                        services.displayDepth);
}

bool show(RenderServices& services, const RenderArgs& args, const LoadedJpeg& jpeg) {
  const JpegPlan plan = planFor(services, args, jpeg.facts);
  (void)fitTarget(args, plan.width, plan.height);
  const ShownFileInfo info = factsRecord(services, args.path, jpeg.facts);
  const auto source =
      std::make_shared<const JpegPictureSource>(args.path, info, jpeg.bytes, jpeg.facts);
  if (!decodeJpegInto(args.target, *jpeg.bytes, plan.options, source, services)) return false;
  storeRecord(services, info);
  args.target.show();
  return true;
}

// The picture the prefetch decoded by the same plan, when the file is still the one it read.
bool showPrefetched(RenderServices& services, const RenderArgs& args) {
  const std::shared_ptr<const PrefetchedJpeg> ready = prefetchedFor<PrefetchedJpeg>(services, args);
  if (!ready) return false;
  const JpegPlan plan = planFor(services, args, ready->facts);
  if (!sameDecode(plan.options, ready->options)) return false;
  (void)fitTarget(args, plan.width, plan.height);
  const ShownFileInfo info = factsRecord(services, args.path, ready->facts);
  const auto source =
      std::make_shared<const JpegPictureSource>(args.path, info, ready->bytes, ready->facts);
  showDecodedJpeg(args.target, ready->image, ready->percents, source, services);
  storeRecord(services, info);
  args.target.show();
  return true;
}

}  // namespace

bool RenderJpeg(RenderServices& services, const RenderArgs& args) {
  if (&args.target != services.preview && reusePreviewPicture(services, args)) return true;
  if (showPrefetched(services, args)) return true;
  std::optional<FileBytes> file = readRegularFile(args.path, kMaxPictureFileBytes);
  if (!file) return false;
  const RetryCandidate candidate = retryCandidateOf(*file);
  if (const auto jpeg = load(std::move(file->bytes))) {
    if (show(services, args, *jpeg)) return true;
  }
  // One retry from a copy: the copy is plain and not an action of the user's.
  if (!services.retryCopy) return false;
  const std::optional<std::string> copy = services.retryCopy(args.path, candidate);
  if (!copy) return false;
  auto copied = readPictureFile(*copy);
  if (!copied) return false;
  const auto jpeg = load(std::move(*copied));
  return jpeg && show(services, args, *jpeg);
}

}  // namespace tossbox
