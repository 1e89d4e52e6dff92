// The shipped artwork: every picture loads at its size, is drawn (not empty or one flat
// colour), differs from its neighbours, and the pointers' hot spots sit on the drawing.
#include "platform/art/Artwork.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMovie>
#include <QSet>
#include <QSvgRenderer>
#include <QTextStream>

namespace tossbox {
namespace {

const QString kRoot = QStringLiteral(TOSSBOX_TEST_SOURCE_DIR "/../resources/");

// Premultiplied, so that every fully transparent pixel compares equal whatever its colour.
QImage argb(const QPixmap& pixmap) {
  return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A sixteenth of the picture or more drawn, and not one flat colour over all of it.
void expectDrawn(const QPixmap& pixmap, QSize size, const QString& what) {
  SCOPED_TRACE(what.toStdString());
  ASSERT_FALSE(pixmap.isNull());
  EXPECT_EQ(pixmap.size(), size);
  const QImage image = argb(pixmap);
  int drawn = 0;
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qAlpha(p) == 0) continue;
      ++drawn;
      colours.insert(p);
    }
  }
  const int area = size.width() * size.height();
  EXPECT_GE(drawn * 16, area);
  EXPECT_TRUE(drawn < area || colours.size() >= 2);
}

// The source file itself has the pixel size it is drawn at, so nothing is scaled.
void expectSourceSize(const QString& relativePath, QSize size) {
  QSvgRenderer renderer(kRoot + relativePath);
  ASSERT_TRUE(renderer.isValid()) << relativePath.toStdString();
  EXPECT_EQ(renderer.defaultSize(), size) << relativePath.toStdString();
  EXPECT_EQ(renderer.viewBoxF(), QRectF(QPointF(0, 0), size)) << relativePath.toStdString();
}

void expectAllDifferent(const QList<QPixmap>& pixmaps, const char* what) {
  for (int i = 0; i < pixmaps.size(); ++i) {
    for (int j = i + 1; j < pixmaps.size(); ++j) {
      EXPECT_NE(argb(pixmaps[i]), argb(pixmaps[j])) << what << " " << i << " and " << j;
    }
  }
}

TEST(ArtworkTest, ImageListsHaveEveryPictureAtItsSize) {
  const Artwork art(kRoot);
  QList<QPixmap> list1;
  for (int n = 0; n < Artwork::kImageList1Count; ++n) {
    expectSourceSize(QStringLiteral("imagelist1/%1.svg").arg(n, 2, 10, QLatin1Char('0')),
                     Artwork::kImageList1Size);
    list1.append(art.imageList1(n));
    expectDrawn(list1.back(), Artwork::kImageList1Size, QStringLiteral("ImageList1 %1").arg(n));
  }
  expectAllDifferent(list1, "ImageList1");
  QList<QPixmap> list3;
  for (int n = 0; n < Artwork::kImageList3Count; ++n) {
    expectSourceSize(QStringLiteral("imagelist3/%1.svg").arg(n, 2, 10, QLatin1Char('0')),
                     Artwork::kImageList3Size);
    list3.append(art.imageList3(n));
    expectDrawn(list3.back(), Artwork::kImageList3Size, QStringLiteral("ImageList3 %1").arg(n));
  }
  expectAllDifferent(list3, "ImageList3");

  EXPECT_TRUE(art.imageList1(-1).isNull());
  EXPECT_TRUE(art.imageList1(Artwork::kImageList1Count).isNull());
  EXPECT_TRUE(art.imageList3(-1).isNull());
  EXPECT_TRUE(art.imageList3(Artwork::kImageList3Count).isNull());
  // Drawn once: asking again gives the same pixmap.
  EXPECT_EQ(art.imageList1(5).cacheKey(), list1[5].cacheKey());
}

TEST(ArtworkTest, ButtonGlyphsTitleAndIcon) {
  const Artwork art(kRoot);
  const QList<Glyph> all{Glyph::FileMenuUp,
                         Glyph::FileMenuDisabled,
                         Glyph::FileMenuPressed,
                         Glyph::FileMenuDown,
                         Glyph::Exit,
                         Glyph::Help,
                         Glyph::NewFolder,
                         Glyph::NewFolderDisabled};
  QList<QPixmap> glyphs;
  for (const Glyph g : all) {
    glyphs.append(art.glyph(g));
    expectDrawn(glyphs.back(), Artwork::kGlyphSize,
                QStringLiteral("glyph %1").arg(static_cast<int>(g)));
  }
  expectAllDifferent(glyphs, "glyph");

  expectSourceSize(QStringLiteral("title/Image2.svg"), Artwork::kTitleSize);
  expectDrawn(art.titlePicture(), Artwork::kTitleSize, QStringLiteral("title"));

  const QIcon icon = art.programIcon();
  ASSERT_FALSE(icon.isNull());
  for (const int size : Artwork::kIconSizes) {
    expectSourceSize(QStringLiteral("icons/tossbox%1.svg").arg(size), QSize(size, size));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    expectDrawn(icon.pixmap(size, size), QSize(size, size), QStringLiteral("icon %1").arg(size));
  }
}

TEST(ArtworkTest, PointersHaveTheirNamesAndHotSpotsOnTheDrawing) {
  const Artwork art(kRoot);
  const QStringList names{"IMGCUR1", "IMGCUR2", "IMGCUR3", "IMGCUR4",
                          "FLDCUR1", "FLDCOPY", "FLDMOVE"};
  QList<QPixmap> pixmaps;
  for (int number = 1; number <= Artwork::kCursorCount; ++number) {
    SCOPED_TRACE(number);
    EXPECT_EQ(Artwork::cursorName(number), names[number - 1]);
    expectSourceSize(QStringLiteral("cursors/%1.svg").arg(names[number - 1]), Artwork::kCursorSize);
    const QCursor cursor = art.cursor(number);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), Artwork::cursorHotSpot(number));
    pixmaps.append(cursor.pixmap());
    expectDrawn(pixmaps.back(), Artwork::kCursorSize, names[number - 1]);
    const QImage image = argb(pixmaps.back());
    ASSERT_TRUE(image.rect().contains(cursor.hotSpot()));
    // The hot spot is the tip of the drawing, not empty space beside it.
    EXPECT_EQ(qAlpha(image.pixel(cursor.hotSpot())), 255);
  }
  expectAllDifferent(pixmaps, "pointer");
  EXPECT_EQ(art.cursor(0).shape(), Qt::ArrowCursor);
  EXPECT_EQ(art.cursor(Artwork::kCursorCount + 1).shape(), Qt::ArrowCursor);
  EXPECT_TRUE(Artwork::cursorName(0).isEmpty());
}

// The named pointers are the resources their names say; the arrow has none.
TEST(ArtworkTest, NamedPointersAreTheirResources) {
  EXPECT_TRUE(Artwork::cursorName(Pointer::Arrow).isEmpty());
  EXPECT_EQ(Artwork::cursorName(Pointer::Picture), "IMGCUR1");
  EXPECT_EQ(Artwork::cursorName(Pointer::StepForward), "IMGCUR2");
  EXPECT_EQ(Artwork::cursorName(Pointer::StepBack), "IMGCUR3");
  EXPECT_EQ(Artwork::cursorName(Pointer::Spare), "IMGCUR4");
  EXPECT_EQ(Artwork::cursorName(Pointer::UnsetFolder), "FLDCUR1");
  EXPECT_EQ(Artwork::cursorName(Pointer::CopyToFolder), "FLDCOPY");
  EXPECT_EQ(Artwork::cursorName(Pointer::MoveToFolder), "FLDMOVE");
}

TEST(ArtworkTest, HotSpotListMatchesThePointers) {
  QFile file(kRoot + QStringLiteral("cursors/hotspots.txt"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
  QTextStream in(&file);
  int number = 0;
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    ++number;
    const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    ASSERT_EQ(fields.size(), 3) << line.toStdString();
    EXPECT_EQ(fields[0], Artwork::cursorName(number));
    EXPECT_EQ(QPoint(fields[1].toInt(), fields[2].toInt()), Artwork::cursorHotSpot(number))
        << line.toStdString();
  }
  EXPECT_EQ(number, Artwork::kCursorCount);
}

TEST(ArtworkTest, AnimationGifIsBuiltFromTheFrames) {
  const Artwork art(kRoot);
  const QList<QPixmap> frames = art.animationFrames();
  ASSERT_EQ(frames.size(), Artwork::kAnimationFrameCount);
  for (int i = 0; i < frames.size(); ++i) {
    expectSourceSize(QStringLiteral("animate/findfolder%1.svg").arg(i, 2, 10, QLatin1Char('0')),
                     Artwork::kAnimationSize);
    expectDrawn(frames[i], Artwork::kAnimationSize, QStringLiteral("frame %1").arg(i));
  }
  expectAllDifferent(frames, "frame");

  QMovie movie(art.animationPath());
  ASSERT_TRUE(movie.isValid());
  EXPECT_EQ(movie.frameCount(), Artwork::kAnimationFrameCount);
  QImageReader gif(art.animationPath());
  EXPECT_EQ(gif.imageCount(), Artwork::kAnimationFrameCount);
  for (int i = 0; i < Artwork::kAnimationFrameCount; ++i) {
    SCOPED_TRACE(i);
    const QImage image = gif.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(gif.nextImageDelay(), Artwork::kAnimationFrameMs);
    EXPECT_EQ(image.size(), Artwork::kAnimationSize);
    // Same pixels as the frame's source, transparency included.
    EXPECT_EQ(image, argb(frames[i]));
  }
}

}  // namespace
}  // namespace tossbox
