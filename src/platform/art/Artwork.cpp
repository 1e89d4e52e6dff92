#include "platform/art/Artwork.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtDebug>
#include <utility>

namespace tossbox {

namespace {

struct CursorArt {
  const char* name;
  int hotX;
  int hotY;
};

// Keep in step with resources/cursors/hotspots.txt (a test compares them).
constexpr std::array<CursorArt, Artwork::kCursorCount> kCursors{{
    {"IMGCUR1", 5, 0},
    {"IMGCUR2", 5, 0},
    {"IMGCUR3", 5, 0},
    {"IMGCUR4", 5, 0},
    {"FLDCUR1", 0, 0},
    {"FLDCOPY", 0, 0},
    {"FLDMOVE", 0, 0},
}};

QString numbered(const char* folder, int n) {
  return QStringLiteral("%1/%2.svg").arg(QLatin1String(folder)).arg(n, 2, 10, QLatin1Char('0'));
}

QString glyphFile(Glyph g) {
  switch (g) {
    case Glyph::FileMenuUp:
      return QStringLiteral("glyphs/file-menu-up.svg");
    case Glyph::FileMenuDisabled:
      return QStringLiteral("glyphs/file-menu-disabled.svg");
    case Glyph::FileMenuPressed:
      return QStringLiteral("glyphs/file-menu-pressed.svg");
    case Glyph::FileMenuDown:
      return QStringLiteral("glyphs/file-menu-down.svg");
    case Glyph::Exit:
      return QStringLiteral("glyphs/exit.svg");
    case Glyph::Help:
      return QStringLiteral("glyphs/help.svg");
    case Glyph::NewFolder:
      return QStringLiteral("glyphs/new-folder.svg");
    case Glyph::NewFolderDisabled:
      return QStringLiteral("glyphs/new-folder-disabled.svg");
  }
  return {};
}

}  // namespace

Artwork::Artwork(QString root) : root_(std::move(root)) {
  if (!root_.endsWith(QLatin1Char('/'))) root_ += QLatin1Char('/');
}

QPixmap Artwork::imageList1(int n) const {
  if (n < 0 || n >= kImageList1Count) return {};
  return picture(numbered("imagelist1", n), kImageList1Size);
}

QPixmap Artwork::imageList3(int n) const {
  if (n < 0 || n >= kImageList3Count) return {};
  return picture(numbered("imagelist3", n), kImageList3Size);
}

QPixmap Artwork::glyph(Glyph g) const {
  return picture(glyphFile(g), kGlyphSize);
}

QString Artwork::cursorName(int number) {
  if (number < 1 || number > kCursorCount) return {};
  return QLatin1String(kCursors[number - 1].name);
}

QPoint Artwork::cursorHotSpot(int number) {
  if (number < 1 || number > kCursorCount) return {};
  const CursorArt& art = kCursors[number - 1];
  return {art.hotX, art.hotY};
}

QCursor Artwork::cursor(int number) const {
  if (number < 1 || number > kCursorCount) return QCursor(Qt::ArrowCursor);
  std::optional<QCursor>& kept = cursors_[number - 1];
  if (!kept) {
    const QPixmap pixmap =
        picture(QStringLiteral("cursors/%1.svg").arg(cursorName(number)), kCursorSize);
    if (pixmap.isNull()) return QCursor(Qt::ArrowCursor);
    const QPoint hot = cursorHotSpot(number);
    kept.emplace(pixmap, hot.x(), hot.y());
  }
  return *kept;
}

QIcon Artwork::programIcon() const {
  QIcon icon;
  for (const int size : kIconSizes) {
    const QPixmap pixmap = picture(QStringLiteral("icons/tossbox%1.svg").arg(size), {size, size});
    if (!pixmap.isNull()) icon.addPixmap(pixmap);
  }
  return icon;
}

QPixmap Artwork::titlePicture() const {
  return picture(QStringLiteral("title/Image2.svg"), kTitleSize);
}

QString Artwork::animationPath() const {
  return root_ + QStringLiteral("animate/findfolder.gif");
}

QList<QPixmap> Artwork::animationFrames() const {
  QList<QPixmap> frames;
  for (int i = 0; i < kAnimationFrameCount; ++i) {
    frames.append(
        picture(QStringLiteral("animate/findfolder%1.svg").arg(i, 2, 10, QLatin1Char('0')),
                kAnimationSize));
  }
  return frames;
}

QPixmap Artwork::picture(const QString& relativePath, QSize size) const {
  const auto kept = pictures_.constFind(relativePath);
  if (kept != pictures_.constEnd()) return *kept;
  QSvgRenderer renderer(root_ + relativePath);
  if (!renderer.isValid()) {
    qWarning() << "artwork missing or unreadable:" << root_ + relativePath;
    return {};
  }
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter, QRectF(0, 0, size.width(), size.height()));
  painter.end();
  const QPixmap pixmap = QPixmap::fromImage(std::move(image));
  pictures_.insert(relativePath, pixmap);
  return pixmap;
}

}  // namespace tossbox
