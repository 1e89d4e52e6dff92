// The enlarged viewer in the running program: its geometry for pictures and
// texts in both modes, the kinds it refuses, the menu and its stored marks,
// the double-click and video-click rules, and what stepping and clearing do
// to it.
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "ShownFileFixture.h"
#include "core/picture/FitRectangle.h"
#include "forms/fileinfo/UFileInfo.h"
#include "forms/picture/PictureControl.h"
#include "forms/viewer/TextLinesList.h"
#include "forms/viewer/ULarge.h"
#include "platform/ui/AsyncKeyState.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

void pressElsewhere(Qt::MouseButton button) {
  QWidget elsewhere;
  QMouseEvent event(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), button, button,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&elsewhere, &event);
}

}  // namespace

class ViewerTest : public ShownFileTest {
 protected:
  QToolButton& button() { return main().speedButton(1); }
  TForm3& viewer() { return program->form3(); }
  QRect screen() {
    const ScreenArea area = viewer().screenArea();
    return {area.left, area.top, area.width, area.height};
  }
  // The window of a picture shown at `fit`'s size, centred.
  QRect centredWindow(const FitResult& fit) {
    const QRect area = screen();
    const int width = fit.width + 2;
    const int height = fit.height + 18;
    return {area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2, width,
            height};
  }
  FitResult screenFit(int mode, int width, int height) {
    return FitRectangle(mode, width, screen().height(), screen().width(), height);
  }
};

TEST_F(ViewerTest, APictureAtActualSizeThenFullScreenAndBack) {
  startWith({{"a photo.jpg", jpeg(300, 200)}, {"b tall.jpg", jpeg(200, 2000)}});
  show("a photo.jpg");
  button().click();
  ASSERT_TRUE(viewer().isVisible());
  EXPECT_TRUE(button().isChecked());
  EXPECT_EQ(viewer().image1().geometry(), QRect(0, 16, 300, 200));
  EXPECT_EQ(viewer().geometry(), centredWindow(screenFit(0, 300, 200)));
  // Decoded at full size, not the preview's half.
  EXPECT_EQ(viewer().image1().picture().image().size(), QSize(300, 200));
  EXPECT_EQ(viewer().panel1().text(), QStringLiteral("a photo.jpg"));

  QAction& n2 = viewer().action("N2");
  n2.trigger();
  EXPECT_EQ(n2.text(), QStringLiteral("実物大表示"));
  EXPECT_EQ(program->state().viewerMode, 1);
  EXPECT_FALSE(n2.isChecked());  // the mark is the stored setting's, not the mode's
  const FitResult full = screenFit(1, 300, 200);
  EXPECT_EQ(viewer().image1().geometry(), QRect(0, 16, full.width, full.height));
  EXPECT_EQ(viewer().geometry(), centredWindow(full));

  // Taller than the screen in either mode: 18 pixels more than the screen.
  show("b tall.jpg");
  EXPECT_EQ(viewer().height(), screen().height() + 18);
  n2.trigger();
  EXPECT_EQ(n2.text(), QStringLiteral("ﾌﾙｽｸﾘｰﾝ表示"));
  EXPECT_EQ(program->state().viewerMode, 0);
  EXPECT_EQ(viewer().height(), screen().height() + 18);

  // Not centred: the window keeps its place while it follows the files.
  viewer().action("N8").trigger();
  EXPECT_FALSE(viewer().action("N8").isChecked());
  viewer().move(screen().x() + 5, screen().y() + 7);
  show("a photo.jpg");
  EXPECT_EQ(viewer().geometry(), QRect(screen().x() + 5, screen().y() + 7, 302, 218));

  // The button up again: the viewer goes with its picture.
  button().click();
  EXPECT_FALSE(viewer().isVisible());
  EXPECT_FALSE(button().isChecked());
}

TEST_F(ViewerTest, ATextIsListedCentredOrOnTheWholeScreen) {
  const std::string wide = "a much longer line than the others, with ﾊﾝｶｸ and 全角 text in it";
  startWith({{"a notes.txt", text("short\n" + wide + "\nmid length line\n")},
             {"b photo.jpg", jpeg(60, 40)}});
  show("a notes.txt");
  button().click();
  ASSERT_TRUE(viewer().isVisible());
  TextLinesList& list = viewer().listBox1();
  EXPECT_TRUE(viewer().panel2().isVisible());
  EXPECT_TRUE(list.isVisible());
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.itemText(1), QString::fromUtf8(wide));
  const QRect area = screen();
  EXPECT_EQ(viewer().geometry(), QRect(area.x() + (area.width() - 400) / 2,
                                       area.y() + (area.height() - 300) / 2, 400, 300));
  const QFontMetrics metrics(list.font());
  EXPECT_EQ(list.horizontalExtent(), metrics.horizontalAdvance(QString::fromUtf8(wide)));
  QApplication::processEvents();
  // The list scrolls sideways as far as the widest line reaches.
  EXPECT_GE(list.horizontalScrollBar()->maximum() + list.viewport()->width(),
            list.horizontalExtent());

  viewer().N2Click();
  EXPECT_EQ(viewer().geometry(), area);

  // A picture next: the text view goes before it is drawn.
  show("b photo.jpg");
  EXPECT_FALSE(viewer().panel2().isVisible());
  EXPECT_FALSE(list.isVisible());
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(viewer().image1().size(),
            QSize(screenFit(1, 60, 40).width, screenFit(1, 60, 40).height));
}

TEST_F(ViewerTest, KindsThatCannotBeEnlargedLeaveTheButtonUp) {
  fixtures::IconLayout icon;
  icon.value = [](int, int) { return 0xFF336699u; };
  icon.masked = [](int, int) { return false; };
  startWith({{"a photo.jpg", jpeg(30, 20)},
             {"b sign.ico", fixtures::makeBitmapIcon(icon)},
             {"c bell.wav", text("RIFF")}});
  for (const char* name : {"b sign.ico", "c bell.wav"}) {
    show(name);
    button().click();
    EXPECT_EQ(main().statusText(), QStringLiteral("拡大表示できません")) << name;
    EXPECT_FALSE(button().isChecked()) << name;
    EXPECT_FALSE(viewer().isVisible()) << name;
  }

  // Stepping to an icon while the viewer is open closes it and releases the button.
  show("a photo.jpg");
  button().click();
  ASSERT_TRUE(viewer().isVisible());
  show("b sign.ico");
  EXPECT_FALSE(viewer().isVisible());
  EXPECT_FALSE(button().isChecked());

  // A file gone since it was listed counts as such a kind.
  show("a photo.jpg");
  fs::remove(folder / "a photo.jpg");
  button().click();
  EXPECT_EQ(main().statusText(), QStringLiteral("拡大表示できません"));
  EXPECT_FALSE(button().isChecked());
}

TEST_F(ViewerTest, DoubleClickSwitchesOrClosesAsTheMenuSays) {
  startWith({{"a photo.jpg", jpeg(300, 200)}});
  show("a photo.jpg");
  button().click();
  ASSERT_TRUE(viewer().isVisible());
  // The default: a double-click switches the display.
  EXPECT_TRUE(viewer().action("N1").isChecked());
  QTest::mouseDClick(&viewer().image1(), Qt::LeftButton);
  EXPECT_EQ(program->state().viewerMode, 1);
  QTest::mouseDClick(&viewer().panel1(), Qt::LeftButton);
  EXPECT_EQ(program->state().viewerMode, 0);
  EXPECT_TRUE(viewer().isVisible());

  viewer().action("Close1").trigger();
  EXPECT_TRUE(viewer().action("Close1").isChecked());
  EXPECT_FALSE(viewer().action("N1").isChecked());
  const Picture before = main().image1().picture();
  QTest::mouseDClick(&viewer().image1(), Qt::LeftButton);
  EXPECT_FALSE(viewer().isVisible());
  EXPECT_FALSE(button().isChecked());
  EXPECT_EQ(program->state().viewerMode, 0);
  // The preview is not drawn again by a double-click close.
  EXPECT_EQ(main().image1().picture().source(), before.source());

  // Close2 draws it again.
  button().click();
  viewer().action("Close2").trigger();
  EXPECT_FALSE(viewer().isVisible());
  EXPECT_FALSE(button().isChecked());
  EXPECT_NE(main().image1().picture().source(), before.source());
}

TEST_F(ViewerTest, TheMenuMarksAreStoredAndComeBack) {
  startWith({});
  SettingsRecord& settings = program->state().settings;
  EXPECT_EQ(settings.ViewerDblClickMode, 1);
  EXPECT_EQ(settings.ViewerAlwaysCentre, 1);
  viewer().action("Close1").trigger();
  EXPECT_EQ(settings.ViewerDblClickMode, 0);
  viewer().action("N8").trigger();
  EXPECT_EQ(settings.ViewerAlwaysCentre, 0);
  viewer().action("N2").trigger();  // the mode is not stored
  stop();

  start();
  EXPECT_TRUE(viewer().action("Close1").isChecked());
  EXPECT_FALSE(viewer().action("N1").isChecked());
  EXPECT_FALSE(viewer().action("N8").isChecked());
  EXPECT_EQ(program->state().viewerMode, 0);
  EXPECT_EQ(viewer().action("N2").text(), QStringLiteral("ﾌﾙｽｸﾘｰﾝ表示"));
}

// The viewer's clip watch acts on clicks over the viewer's own picture only: the information
// window's picture, also named Image1, does not switch or close the viewer.
TEST_F(ViewerTest, TheVideoWatchActsOnlyOnTheViewersOwnPicture) {
  startWith({{"a photo.jpg", jpeg(300, 200)}});
  show("a photo.jpg");
  button().click();
  TForm6& info = program->form6();
  main().N17Click();
  info.move(screen().right() - info.width(), screen().bottom() - info.height());
  QApplication::processEvents();
  AsyncKeyState& keys = program->asyncKeys();
  (void)keys.read(Qt::LeftButton);

  const QPoint overInfo = info.image1().mapToGlobal(info.image1().rect().center());
  QCursor::setPos(overInfo);
  ASSERT_EQ(QApplication::widgetAt(overInfo), &info.image1());
  pressElsewhere(Qt::LeftButton);
  viewer().Timer1Timer();
  EXPECT_EQ(program->state().viewerMode, 0);
  EXPECT_TRUE(viewer().isVisible());

  const QPoint overViewer = viewer().image1().mapToGlobal(viewer().image1().rect().center());
  QCursor::setPos(overViewer);
  ASSERT_EQ(QApplication::widgetAt(overViewer), &viewer().image1());
  pressElsewhere(Qt::LeftButton);
  viewer().Timer1Timer();
  EXPECT_EQ(program->state().viewerMode, 1);
}

TEST_F(ViewerTest, StepsAndClearingReachTheViewer) {
  startWith({{"a photo.jpg", jpeg(300, 200)}, {"b other.jpg", jpeg(40, 30)}});
  show("a photo.jpg");
  button().click();
  viewer().timer1().start();
  // A file gone: the viewer keeps its window and loses its picture.
  fs::remove(folder / "b other.jpg");
  show("b other.jpg");
  EXPECT_FALSE(viewer().timer1().isActive());
  EXPECT_TRUE(viewer().isVisible());
  EXPECT_TRUE(viewer().image1().picture().isNull());

  show("a photo.jpg");
  viewer().timer1().start();
  main().ClearList(true);
  EXPECT_FALSE(viewer().timer1().isActive());
  EXPECT_FALSE(viewer().isVisible());
  EXPECT_FALSE(button().isChecked());
  EXPECT_TRUE(viewer().image1().picture().isNull());
  // Nothing listed: the button springs back.
  button().click();
  EXPECT_FALSE(button().isChecked());
  EXPECT_FALSE(viewer().isVisible());
}

// Where the window manager refuses, the window follows the mouse itself: from the text frame
// it grows by its bottom-right corner, from the title strip it moves, and each ends with the
// button.
TEST_F(ViewerTest, DragsSizeFromTheTextFrameAndMoveFromTheTitleStrip) {
  startWith({{"a notes.txt", text("one\ntwo\n")}});
  show("a notes.txt");
  main().speedButton(1).click();
  TForm3& window = viewer();
  const QRect start = window.geometry();
  const auto drag = [](QWidget& control, QPoint from, QPoint by) {
    QTest::mousePress(&control, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(&control, from + QPoint(1, 1));
    QMouseEvent move(QEvent::MouseMove, QPointF(from + by), control.mapToGlobal(QPointF(from + by)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&control, &move);
    QTest::mouseRelease(&control, Qt::LeftButton, Qt::NoModifier, from + by);
  };
  drag(window.panel2(), QPoint(0, 100), QPoint(100, 50));
  EXPECT_EQ(window.geometry(), QRect(start.topLeft(), start.size() + QSize(99, 49)));
  drag(window.panel1(), QPoint(100, 5), QPoint(-60, -30));
  EXPECT_EQ(window.size(), start.size() + QSize(99, 49));
  EXPECT_EQ(window.pos(), start.topLeft() + QPoint(-61, -31));
}
