#include "forms/render/RenderText.h"

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <limits>

#include "core/files/FileKind.h"
#include "core/files/PathRules.h"
#include "core/picture/PictureFile.h"
#include "core/picture/ShownFileTexts.h"
#include "core/text/TextLines.h"
#include "forms/common/ByteText.h"
#include "forms/picture/PictureControl.h"
#include "forms/render/PrefetchedEntry.h"
#include "forms/render/RenderTarget.h"
#include "forms/render/TextRead.h"

namespace tossbox {

namespace {

constexpr int kLineHeight = 10;
constexpr std::size_t kDrawnLines = 15;
// No picture is wide enough to show more of a line; a line of megabytes is not laid out whole.
constexpr std::size_t kDrawnLineBytes = 512;

// Puts the saved status text back however the rendering ends.
class WaitText {
 public:
  explicit WaitText(RenderServices& services) : services_(services) {
    if (services_.showWaitText) services_.showWaitText();
  }
  ~WaitText() {
    if (services_.restoreStatusText) services_.restoreStatusText();
  }
  WaitText(const WaitText&) = delete;
  WaitText& operator=(const WaitText&) = delete;

 private:
  RenderServices& services_;
};

std::int32_t clampedCount(std::uint64_t count) {
  return static_cast<std::int32_t>(
      std::min<std::uint64_t>(count, std::numeric_limits<std::int32_t>::max()));
}

// The first lines on white at the target's size, one every 10 pixels from the top.
void drawLines(PictureControl& target, const TextLines& lines) {
  QImage image(std::max(target.width(), 1), std::max(target.height(), 1), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  QFont font = QGuiApplication::font();
  font.setPixelSize(kLineHeight);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const int ascent = painter.fontMetrics().ascent();
  const std::size_t count = std::min(lines.size(), kDrawnLines);
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view line = lines[i].substr(0, kDrawnLineBytes);
    painter.drawText(QPoint(1, kLineHeight * static_cast<int>(i) + ascent),
                     textLineText(line, lines.utf8()));
  }
  painter.end();
  target.setPicture(Picture(image));
}

TextLines readLines(const RenderServices& services, const std::string& path) {
  return *readShownText(path, services.rtfLines, [] { return false; });
}

// The prefetched lines when there are some for the preview; else the file read now.
TextLines previewLines(const RenderServices& services, const RenderArgs& args) {
  const auto ready = prefetchedFor<PrefetchedText>(services, args);
  return ready ? ready->lines : readLines(services, args.path);
}

std::string_view formatOf(const std::string& path) {
  const std::string ext = extensionOf(path);
  if (ext == ".ini") return shown_text::kIniText;
  if (ext == ".doc") return shown_text::kWordText;
  if (ext == ".rtf") return shown_text::kRichText;
  return shown_text::kPlainText;
}

bool renderPreview(RenderServices& services, const RenderArgs& args) {
  args.target.applyFit(140, 180, 4, 4);
  TextLines lines;
  {
    const WaitText wait(services);
    if (services.textLines != nullptr) *services.textLines = TextLines();
    try {
      lines = previewLines(services, args);
    } catch (...) {
      args.target.show();
      throw;
    }
  }
  drawLines(args.target, lines);
  ShownFileInfo info = currentRecord(services);
  info.kind = shownKindNumber(FileKind::Text);
  info.format = formatOf(args.path);
  info.fileSize = fileByteCount(args.path).value_or(0);
  info.width = clampedCount(lines.byteCount());
  info.height = clampedCount(lines.lineCount());
  storeRecord(services, info);
  if (services.textLines != nullptr) *services.textLines = std::move(lines);
  args.target.show();
  return true;
}

const TextLines& shownLines(const RenderServices& services) {
  static const TextLines kNone;
  return services.textLines != nullptr ? *services.textLines : kNone;
}

}  // namespace

bool RenderText(RenderServices& services, const RenderArgs& args) {
  const TextLines& shown = shownLines(services);
  switch (args.role) {
    case TargetRole::Preview:
      return renderPreview(services, args);
    case TargetRole::Viewer:
      if (!shown.empty() && services.listTextInViewer) services.listTextInViewer(args.mode);
      args.target.show();
      return true;
    case TargetRole::FileInfo:
      if (shown.empty()) {
        args.target.show();
        return true;
      }
      args.target.applyFit(args.boxHeight + 2, args.boxWidth + 2, 2, 2);
      drawLines(args.target, shown);
      args.target.show();
      return true;
    case TargetRole::SameNameSource:
      if (shown.empty()) return true;
      args.target.applyFit(args.boxHeight + 2, args.boxWidth, 5, 4);
      drawLines(args.target, shown);
      args.target.show();
      return true;
    case TargetRole::SameNameTarget:
      args.target.applyFit(args.boxHeight + 2, args.boxWidth, 5, 4);
      drawLines(args.target, readLines(services, args.path));
      args.target.show();
      return true;
  }
  return false;
}

}  // namespace tossbox
